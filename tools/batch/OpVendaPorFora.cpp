#include "core/VendaPorFora.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro registro("venda_por_fora", [](Pedido& p) {
    ExecutaNaBancada(p, [&](Bancada& b) { CalculaVendaPorFora(b, p.ctx); });
});

}  // namespace
}  // namespace quantivo::batch
