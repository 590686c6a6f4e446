#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opVendaPorFora("venda_por_fora", [](Pedido& p) { CalculaNaBancada(p, TipoCalculo::VendaPorFora); });

}  // namespace
}  // namespace quantivo::batch
