#include "core/Renegociacao.h"
#include "core/Valores.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro registro("renegociacao", [](Pedido& p) {
    const long double qtd = Segura(Numero(Campo(p.req, "qtdParcelas"), "qtdParcelas"), 0);
    ExecutaNaBancada(p, [&](Bancada& b) { CalculaRenegociacao(b, qtd, p.ctx); });
});

}  // namespace
}  // namespace quantivo::batch
