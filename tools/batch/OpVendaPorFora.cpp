#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro vendaPorFora("venda_por_fora", [](Pedido& p) { CalculaNaBancada(p, TipoCalculo::VendaPorFora); });

}  // namespace
}  // namespace quantivo::batch
