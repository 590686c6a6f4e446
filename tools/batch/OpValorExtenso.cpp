#include "core/UtbSys.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

// The words take a double, as the receipt's value field gives one.
const Registro opValorExtenso("valor_extenso", [](Pedido& p) {
    const double valor = static_cast<double>(Numero(Campo(p.req, "valor"), "valor"));
    p.resp["texto"] = ValorExtenso(valor);
});

}  // namespace
}  // namespace quantivo::batch
