#include "core/DescontoCheque.h"

#include "core/Linhas.h"
#include "core/Valores.h"

namespace quantivo {

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
    double valorTotal = 0;
    double juros = 0;
    std::vector<FluxoCet> cheques;
    cheques.reserve(static_cast<std::size_t>(n));
    for (const Parcela& p : b.linhas) {
        if (p.Data.empty()) continue;
        const long double v = LeValor(p.Valor);
        const long double t = LeValor(g.Taxa) / 30;
        const long double d = LeValor(p.Dias);
        const Dmil jurosLinha = ParaDmil(Finito(d * t * v / 100));
        juros = ParaDouble(juros + DeDmil(jurosLinha));
        valorTotal = ParaDouble(valorTotal + v);
        // The rows counted, in their order: the day count the check kept for each.
        cheques.push_back({conferidas.dias[cheques.size()], v});
    }

    // Charges and net value.
    const long double iof = Finito(g.IOF * valorTotal * somaDias / static_cast<long double>(n) / 100);
    const long double tac = Finito(g.TAC * valorTotal / 100);
    const Dmil base = ParaDmil(static_cast<long double>(valorTotal) - juros);
    const long double tarifa = Finito(TarifaDaOperacao(g, n));
    const long double liquido =
        Finito((static_cast<long double>(base) - iof * 10000 - tac * 10000 - tarifa * 10000) / 10000);

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
