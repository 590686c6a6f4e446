#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opRenegociacao("renegociacao", [](Pedido& p) { CalculaNaBancada(p, TipoCalculo::RenegociacaoDividas); });

}  // namespace
}  // namespace quantivo::batch
