#include "core/Renegociacao.h"

#include "core/Price.h"
#include "core/Valores.h"

namespace quantivo {

std::optional<DividaAtualizada> AtualizaDivida(long double divida, Data vencimento, long double taxa, Data atualizacao,
                                               const Contexto& ctx) {
    if (vencimento == kDataNula) {
        ctx.msg.Mostra(kMsgInformeVencimento, {}, Icone::Informacao);
        return std::nullopt;
    }
    if (atualizacao == kDataNula) {
        ctx.msg.Mostra(kMsgInformeAtualizacao, {}, Icone::Informacao);
        return std::nullopt;
    }
    if (!(vencimento < atualizacao)) {
        ctx.msg.Mostra(kMsgVencimentoMenor, {}, Icone::Informacao);
        return std::nullopt;
    }
    // The debt's due date is the reference of the count, so it is the one read
    // back through the two-digit-year window.
    const std::int64_t dias = DifDias(atualizacao, vencimento, ctx, JanelaAviso::Bancada);
    const double jurosMes = ParaDouble(taxa * divida / 100);
    const double juros = ParaDouble(jurosMes / 30.0L * static_cast<long double>(dias));
    return DividaAtualizada{dias, Finito(divida + juros)};
}

std::string TextoSaldo(long double saldo) { return FormataGeral(saldo); }

std::string TextoTaxa(long double taxa) { return TextoCampo(taxa, 5); }

Desfecho CalculaRenegociacao(Bancada& b, long double qtdParcelas, const Contexto& ctx) {
    const Dmil financiado = ParaDmil(LeValor(b.dados.ValorFinanciado));
    const Dmil taxa = TaxaFracao(LeValor(b.dados.Taxa));
    const std::int64_t n = Trunca(qtdParcelas);
    const Dmil prestacao = CalculaPrestacao(financiado, taxa, n);
    return MontaParcelas(b, b.dados.DataReferencia, prestacao, n, ctx);
}

}  // namespace quantivo
