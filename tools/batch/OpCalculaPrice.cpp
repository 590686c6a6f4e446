#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opCalculaPrice("calcula_price",
                              [](Pedido& p) { CalculaNaBancada(p, TipoCalculo::PrestacaoTaxaEfetiva); });

}  // namespace
}  // namespace quantivo::batch
