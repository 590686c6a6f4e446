#include "core/Documento.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opDocumento("documento", [](Pedido& p) {
    const LeituraDocumento d = LeDocumento(Texto(Campo(p.req, "documento"), "documento"));
    Json& r = p.resp;
    r["tipo"] = d.tipo == TipoDocumento::Nenhum ? Json(nullptr) : Json(NomeDoTipo(d.tipo));
    r["valido"] = d.valido;
    r["formatado"] = d.valido ? Json(d.formatado) : Json(nullptr);
    r["problema"] = d.valido ? Json(nullptr) : Json(d.problema);
});

}  // namespace
}  // namespace quantivo::batch
