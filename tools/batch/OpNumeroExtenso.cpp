#include <cmath>

#include "core/UtbSys.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opNumeroExtenso("numero_extenso", [](Pedido& p) {
    const long double n = Numero(Campo(p.req, "n"), "n");
    if (n < 0 || n > 4294967295.0L || n != std::trunc(n)) throw ErroPedido("n deve ser inteiro de 0 a 4294967295");
    p.resp["texto"] = NumeroExtenso(static_cast<std::uint32_t>(n));
});

}  // namespace
}  // namespace quantivo::batch
