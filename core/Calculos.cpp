#include "core/Calculos.h"

namespace quantivo {

Desfecho CalculaBancada(Bancada& b, OutrasJanelas& janelas, const Contexto& ctx) {
    const TipoOperacao* tipo = DescricaoDoTipo(b.dados.Tipo);
    if (!tipo) return Desfecho::NadaAFazer;
    const Desfecho d = tipo->calcula(b, janelas, ctx);
    // A schedule's CET is not a discount's: the label must not show a
    // discount's figures beside it.
    if (!tipo->cet && d == Desfecho::Concluido) {
        b.cet.reset();
        b.totais.CET = TextoCet(std::nullopt);
    }
    return d;
}

Desfecho CalculaOperacao(Operacao& op, const Contexto& ctx) { return CalculaBancada(op.bancada, op.janelas, ctx); }

}  // namespace quantivo
