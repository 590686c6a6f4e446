#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opDescontoCheque("desconto_cheque", [](Pedido& p) { CalculaNaBancada(p, TipoCalculo::DescontoCheque); });

}  // namespace
}  // namespace quantivo::batch
