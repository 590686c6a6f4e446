#include "core/DescontoCheque.h"

#include "core/Linhas.h"
#include "core/Valores.h"

namespace quantivo {

EncargosDesconto CalculaEncargos(const DadosGerais& g, double valorTotal, double somaDias, std::int64_t n) {
    const long double iof = Finito(g.IOF * valorTotal * somaDias / static_cast<long double>(n) / 100);
    const long double tac = Finito(g.TAC * valorTotal / 100);
    return {iof, tac, Finito(TarifaDaOperacao(g, n))};
}

long double LiquidoDoDesconto(double valorTotal, double juros, const EncargosDesconto& e) {
    const Dmil base = ParaDmil(static_cast<long double>(valorTotal) - juros);
    return Finito((static_cast<long double>(base) - e.iof * 10000 - e.tac * 10000 - e.tarifa * 10000) / 10000);
}

Desfecho CalculaDescontoCheque(Bancada& b, const Contexto& ctx) {
    const DadosGerais& g = b.dados;

    // Pass 1: day counts; a dated row without value ends the calculation.
    const std::optional<Calendario> feriados = CalendarioDe(g);
    const LinhasConferidas conferidas =
        ConfereLinhas(b.linhas, g.DataReferencia, g.IncluiCompensacao, {JanelaAviso::Bancada, true, true}, ctx,
                      feriados ? &*feriados : nullptr);
    if (conferidas.desfecho == Desfecho::Interrompido) return Desfecho::Interrompido;
    const std::int64_t n = conferidas.validas;
    const double somaDias = conferidas.somaDias;
    if (n == 0) return Desfecho::NadaAFazer;

    // Pass 2: interest, row by row, each held to four decimals.
    std::vector<FluxoCet> cheques;
    cheques.reserve(static_cast<std::size_t>(n));
    const auto [valorTotal, juros] =
        SomaJurosDasLinhas(b.linhas, g.Taxa, [&](std::size_t, long double v, Dmil, const SomasDoDesconto&) {
            // The rows counted, in their order: the day count the check kept for each.
            cheques.push_back({conferidas.dias[cheques.size()], v});
        });

    // Charges and net value.
    const EncargosDesconto encargos = CalculaEncargos(g, valorTotal, somaDias, n);
    const auto [iof, tac, tarifa] = encargos;
    const long double liquido = LiquidoDoDesconto(valorTotal, juros, encargos);

    b.totais.ValorTotal = FormataValor(valorTotal);
    b.totais.TAC = TextoTAC(tac);
    b.totais.IOF = TextoIOF(iof);
    b.totais.Juros = TextoJuros(juros);
    b.dados.ValorFinanciado = FormataValor(liquido);
    b.totais.Tarifa = TextoTarifa(tarifa);
    // The customer receives the net value today for the cheques' face values.
    b.cet = CalculaCet(liquido, std::move(cheques));
    b.totais.CET = TextoCet(b.cet);
    return Desfecho::Concluido;
}

}  // namespace quantivo
