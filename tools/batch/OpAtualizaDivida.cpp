#include "core/Renegociacao.h"
#include "core/Valores.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

// A refused update writes nothing: "dias" and "ValorAtualizado" are null.
const Registro opAtualizaDivida("atualiza_divida", [](Pedido& p) {
    const long double divida = Segura(Numero(Campo(p.req, "ValorDivida"), "ValorDivida"), 2);
    const long double taxa = Segura(Numero(Campo(p.req, "Taxa"), "Taxa"), 5);
    const Data vencimento = DataDoPedido(Campo(p.req, "Vencimento"), "Vencimento");
    const Data atualizacao = DataDoPedido(Campo(p.req, "AtualizarAte"), "AtualizarAte");
    p.resp["dias"] = nullptr;
    p.resp["ValorAtualizado"] = nullptr;
    if (const auto r = AtualizaDivida(divida, vencimento, taxa, atualizacao, p.ctx)) {
        p.resp["dias"] = r->dias;
        p.resp["ValorAtualizado"] = Segura(r->valor, 2);
    }
});

}  // namespace
}  // namespace quantivo::batch
