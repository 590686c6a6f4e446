#include "core/Price.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opVencimentos("vencimentos", [](Pedido& p) {
    const Data referencia = DataDoPedido(Campo(p.req, "DataReferencia"), "DataReferencia");
    const std::int64_t n = Trunca(Numero(Campo(p.req, "n"), "n"));
    Json datas = Json::array();
    if (n > kLimitePrestacoes) {
        p.ctx.msg.Mostra(kMsgLimitePrestacoes);
    } else {
        for (const Data d : Vencimentos(referencia, n)) datas.push_back(FormataData(d));
    }
    p.resp["datas"] = std::move(datas);
});

}  // namespace
}  // namespace quantivo::batch
