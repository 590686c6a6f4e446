#include "core/Linhas.h"

#include "core/Valores.h"

namespace quantivo {

void MarcaDataInvalida(Parcela& p) {
    p.Data.clear();
    p.Valor = kDataInvalida;
}

std::optional<Calendario> CalendarioDe(const DadosGerais& g) {
    if (!g.Feriados) return std::nullopt;
    return Calendario(g.FeriadosLocais);
}

LinhasConferidas ConfereLinhas(std::vector<Parcela>& linhas, Data referencia, bool incluiCompensacao, RegraLinhas regra,
                               const Contexto& ctx, const Calendario* feriados) {
    LinhasConferidas r{Desfecho::Concluido, 0, 0, {}};
    const int ano = ctx.AnoCorrente();
    for (Parcela& p : linhas) {
        if (p.Data.empty()) continue;
        if (DataValida(p.Data, ano)) {
            const Data vencimento = AjustaVencimento(LeData(p.Data, ano), incluiCompensacao, feriados);
            const std::int64_t dias = DifDias(vencimento, referencia, ctx, regra.aviso);
            if (regra.guardaDias) {
                p.Dias = TextoDias(dias);
                r.dias.push_back(dias);
            }
            r.somaDias = ParaDouble(r.somaDias + static_cast<long double>(dias));
            ++r.validas;
        } else {
            MarcaDataInvalida(p);
        }
        if (regra.exigeValor && p.Valor.empty()) {
            ctx.msg.Mostra(kMsgInformarValorParcela);
            r.desfecho = Desfecho::Interrompido;
            return r;
        }
    }
    return r;
}

}  // namespace quantivo
