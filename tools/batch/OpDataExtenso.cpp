#include "core/UtbSys.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opDataExtenso("data_extenso", [](Pedido& p) {
    const Data data = DataDoPedido(Campo(p.req, "data"), "data");
    p.resp["texto"] = DataExtenso(data, p.ctx.AnoCorrente());
});

}  // namespace
}  // namespace quantivo::batch
