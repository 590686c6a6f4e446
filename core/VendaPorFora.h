#pragma once
#include "core/Mensagens.h"
#include "core/Tipos.h"

namespace quantivo {

// Messages of a financed value left as "0" or empty: the first when row 1
// already holds a value (the user probably meant a cheque discount).
inline constexpr const char* kMsgValorFinanciadoComParcela =
    "Atenção\rVerifique se você escolheu o tipo de calculo CORRETO,\rpois foi informado valor da parcela e não foi "
    "informado\ro valor FINANCIADO";
inline constexpr const char* kMsgInformarValorFinanciado =
    "Para calcular as prestações é necessário\rinformar o VALOR FINANCIADO";
// Charges that eat the whole face value leave no cheque value that pays the
// customer: refused instead of dividing by zero or giving negative cheques.
inline constexpr const char* kMsgEncargosAcimaDoValor =
    "Os encargos (juros, TAC e IOF) chegam a 100% ou mais do valor dos cheques. Verifique a taxa e as datas.";

// The inverse discount: from the financed value, the rate, the charges and the
// due dates, the one face value every cheque must have. Writes each dated
// row's Dias and Valor and the totals texts (not ValorFinanciado).
// Interrompido after a message when the financed value is "0" or empty
// (nothing written) or when the charges reach 100 % (day counts written);
// NadaAFazer without a valid date. A text that cannot be read throws
// ErroConversao, a value out of range ErroAritmetico.
Desfecho CalculaVendaPorFora(Bancada& b, const Contexto& ctx);

}  // namespace quantivo
