// The workbench operations, one for each operation type, by the name its
// entry in the type table gives: the request's operation, calculated.
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const bool opBancada = [] {
    for (const TipoOperacao& t : TiposOperacao())
        RegistraOperacao(t.op, [tipo = t.tipo](Pedido& p) { CalculaNaBancada(p, tipo); });
    return true;
}();

}  // namespace
}  // namespace quantivo::batch
