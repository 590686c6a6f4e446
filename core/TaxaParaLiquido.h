#pragma once
// The rate for a wanted net value: the customer names the sum needed today,
// and the clerk asks at what monthly rate the cheque discount of these
// cheques pays it out. The answer is the rate, in steps of 0,0001 % a month
// from 0 to 100 %, whose net value as the workbench shows it (to the cent) is
// nearest the wanted one; of two equally near, the lower rate.
//
// The net value never rises with the rate: each cheque's interest is a
// product of non-negative factors (the value and the day count are read
// through the amount rule, which drops any sign), held to four decimals by a
// rounding that never goes backwards, and the sums, the charges (which do not
// depend on the rate) and the amount text all keep the order. So the rates
// are bisected. What the cheques bring apart from the rate is read once; each
// rate tried is then one pass of products over the cheques, by the
// discount's own arithmetic (core/DescontoCheque.h). The rate found and its
// two neighbours are run through the discount itself, silently, and must
// give the same net values, or the search is done again on the discount
// itself.
#include <cstdint>
#include <string>

#include "core/Mensagens.h"
#include "core/Tipos.h"

namespace quantivo {

// 100 % a month, in steps of 0,0001 %.
inline constexpr std::int64_t kPassosTaxaMaxima = 1000000;

// The rate of `passos` ten-thousandths of a percent as the "Taxa (%)" field
// holds it: "2,7345", "3", "0,0001".
std::string TextoTaxa(std::int64_t passos);

// Cents as an amount text writes them ("-1.234,05"), and back: the cents an
// amount text of that form shows (ErroAritmetico beyond 64 bits).
std::string TextoCentavos(std::int64_t centavos);
std::int64_t CentavosDoTexto(const std::string& texto);

enum class BuscaTaxa {
    Achada,         // the rate is `passos`: the caller writes it and calculates
    ForaDoAlcance,  // no rate reaches the wanted net; the message with the range was shown
    SemCheques,     // no cheque with a valid date; said so
    // The discount stops or fails whatever the rate (a dated cheque without
    // value, a value that is no number): the caller runs it as it stands, so
    // that its message or error is seen.
    CalculoNaoConclui,
};

struct TaxaProcurada {
    BuscaTaxa busca = BuscaTaxa::CalculoNaoConclui;
    std::int64_t passos = 0;         // the rate (Achada)
    std::int64_t liquido = 0;        // its net value, in cents (Achada)
    std::int64_t desejado = 0;       // the wanted net in cents, as its amount text shows it
    std::int64_t liquidoMinimo = 0;  // the net at the highest rate (Achada, ForaDoAlcance)
    std::int64_t liquidoMaximo = 0;  // the net at rate 0 (Achada, ForaDoAlcance)
    std::int64_t diferenca() const { return liquido - desejado; }
};

// The search on the cheque discount of `b`, which is left as it is. None of
// the discount's messages is shown (the calculation at the rate found, which
// the caller runs, shows them once); the search's own, when no rate reaches
// the net or there is no cheque, goes to ctx.msg. `passosMaximos` is the
// highest rate tried. An amount out of the fixed-point range at some rate
// throws ErroAritmetico, as the discount at that rate would.
TaxaProcurada ProcuraTaxa(const Bancada& b, long double liquidoDesejado, const Contexto& ctx,
                          std::int64_t passosMaximos = kPassosTaxaMaxima);

// The message of a net out of reach, with the range the rates give.
std::string TextoForaDoAlcance(const TaxaProcurada& t, std::int64_t passosMaximos = kPassosTaxaMaxima);
// What the clerk is told when the rate found misses the wanted net by some
// cents: the net it gives and by how much.
std::string TextoTaxaAproximada(const TaxaProcurada& t);
inline constexpr const char* kMsgSemChequesParaTaxa =
    "Não há cheque com data válida: informe os cheques para procurar a taxa.";

}  // namespace quantivo
