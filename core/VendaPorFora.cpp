#include "core/VendaPorFora.h"

#include "core/Linhas.h"
#include "core/Valores.h"

namespace quantivo {

Desfecho CalculaVendaPorFora(Bancada& b, const Contexto& ctx) {
    const DadosGerais& g = b.dados;

    if (g.ValorFinanciado == "0" || g.ValorFinanciado.empty()) {
        const bool temValor = !b.linhas.empty() && !b.linhas.front().Valor.empty();
        ctx.msg.Mostra(temValor ? kMsgValorFinanciadoComParcela : kMsgInformarValorFinanciado);
        return Desfecho::Interrompido;
    }

    // Day counts; the moved due date is only counted, the typed one stays.
    const std::optional<Calendario> feriados = CalendarioDe(g);
    const LinhasConferidas conferidas =
        ConfereLinhas(b.linhas, g.DataReferencia, g.IncluiCompensacao, {JanelaAviso::Bancada, false, true}, ctx,
                      feriados ? &*feriados : nullptr);
    const std::int64_t c = conferidas.validas;
    const double somaDias = conferidas.somaDias;
    if (c == 0) return Desfecho::NadaAFazer;
    const long double cheques = static_cast<long double>(c);

    const Dmil tarifa = ParaDmil(TarifaDaOperacao(g, c));
    const long double financiado = LeValor(g.ValorFinanciado);
    const double base = ParaDouble((financiado * 10000 + static_cast<long double>(tarifa)) / 10000);

    const long double prazo = somaDias / cheques;
    const long double taxa = LeNumero(g.Taxa);
    const Dmil encargos = ParaDmil(g.IOF * prazo + (g.TAC + taxa * prazo / 30));
    if (encargos >= 1000000) {
        ctx.msg.Mostra(kMsgEncargosAcimaDoValor, {}, Icone::Aviso);
        return Desfecho::Interrompido;
    }

    const double liquidoPercentual = ParaDouble((1000000.0L - static_cast<long double>(encargos)) / 10000);
    const double fator = ParaDouble(Divide(100, liquidoPercentual));
    const double valorCheque = ParaDouble(static_cast<long double>(base) / cheques * fator);

    // The total adds the unrounded cheque value, held to four decimals at each
    // step, so it can differ by a cent from the sum of the shown row values.
    const std::string textoCheque = FormataValor(valorCheque);
    Dmil total = 0;
    for (Parcela& p : b.linhas) {
        if (p.Data.empty()) continue;
        p.Valor = textoCheque;
        total = ParaDmil(DeDmil(total) + valorCheque);
    }

    const long double totalReais = DeDmil(total);
    const double tac = ParaDouble(g.TAC * totalReais / 100);
    const double iofPercentual = ParaDouble(g.IOF * prazo);
    const double iof = ParaDouble(totalReais * iofPercentual / 100);
    const long double financiado2 = LeValor(g.ValorFinanciado);
    const long double juros = Finito((static_cast<long double>(total) - iof * 10000.0L - tac * 10000.0L -
                                      static_cast<long double>(tarifa) - financiado2 * 10000) /
                                     10000);

    b.totais.TAC = TextoTAC(tac);
    b.totais.IOF = TextoIOF(iof);
    b.totais.Juros = TextoJuros(juros);
    b.totais.Tarifa = TextoTarifa(DeDmil(tarifa));
    b.totais.ValorTotal = FormataValor(totalReais);
    // The customer receives the financed value today for c cheques of value V.
    std::vector<FluxoCet> fluxos;
    fluxos.reserve(conferidas.dias.size());
    for (const std::int64_t d : conferidas.dias) fluxos.push_back({d, valorCheque});
    b.cet = CalculaCet(financiado, std::move(fluxos));
    b.totais.CET = TextoCet(b.cet);
    return Desfecho::Concluido;
}

}  // namespace quantivo
