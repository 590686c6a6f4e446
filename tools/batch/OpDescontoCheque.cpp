#include "core/DescontoCheque.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro registro("desconto_cheque", [](Pedido& p) {
    ExecutaNaBancada(p, [&](Bancada& b) { CalculaDescontoCheque(b, p.ctx); });
});

}  // namespace
}  // namespace quantivo::batch
