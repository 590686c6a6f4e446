#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/Mensagens.h"
#include "core/Tipos.h"
#include "core/Valores.h"

namespace quantivo {

// The cheque discount: counts each dated row's days, then the interest, TAC,
// IOF and fee, and writes the totals and the net value (into ValorFinanciado).
// Interrompido after the message at a dated row without value; NadaAFazer
// when no row has a valid date. A text that cannot be read throws
// ErroConversao, an amount out of the fixed-point range ErroAritmetico.
Desfecho CalculaDescontoCheque(Bancada& b, const Contexto& ctx);

// The discount's arithmetic step by step, shared with the search of the rate
// for a wanted net value (core/TaxaParaLiquido), which tries many rates on the
// same cheques and must get, at each, the net value this calculation gives.

// The daily rate in percent: the rate text read as an amount, over 30.
inline long double TaxaAoDia(std::string_view taxa) { return LeValor(taxa) / 30; }
// A cheque's interest, d × t × V / 100 in that order, held to four decimals.
inline Dmil JurosDoCheque(long double dias, long double taxaAoDia, long double valor) {
    return ParaDmil(Finito(dias * taxaAoDia * valor / 100));
}
// A running sum, kept in double.
inline double Acumula(double soma, long double parcela) { return ParaDouble(soma + parcela); }

// The second pass, on rows whose day counts the first one wrote: each dated
// row's value and interest, in row order, added up as the discount adds
// them. `porCheque(linha, valor, juros, somas)` sees each cheque with the
// sums that include it. The discount's totals and the borderô's lines both
// come from here, so that the lines add up to the totals.
struct SomasDoDesconto {
    double valorTotal = 0;
    double juros = 0;
};
template <class PorCheque>
SomasDoDesconto SomaJurosDasLinhas(const std::vector<Parcela>& linhas, std::string_view taxa, PorCheque&& porCheque) {
    SomasDoDesconto s;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const Parcela& p = linhas[i];
        if (p.Data.empty()) continue;
        const long double v = LeValor(p.Valor);
        const long double t = TaxaAoDia(taxa);
        const long double d = LeValor(p.Dias);
        const Dmil juros = JurosDoCheque(d, t, v);
        s.juros = Acumula(s.juros, DeDmil(juros));
        s.valorTotal = Acumula(s.valorTotal, v);
        porCheque(i, v, juros, s);
    }
    return s;
}

// The charges, which do not depend on the rate.
struct EncargosDesconto {
    long double iof, tac, tarifa;
};
EncargosDesconto CalculaEncargos(const DadosGerais& g, double valorTotal, double somaDias, std::int64_t n);
// The total less the interest, held to four decimals, less the charges, on
// the ten-thousandth scale.
long double LiquidoDoDesconto(double valorTotal, double juros, const EncargosDesconto& e);

}  // namespace quantivo
