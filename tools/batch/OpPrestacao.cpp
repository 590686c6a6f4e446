#include "core/Price.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

// The values as the instalment window's fields hold them.
const Registro opPrestacao("prestacao", [](Pedido& p) {
    const long double valor = Segura(Numero(Campo(p.req, "valor"), "valor"), 2);
    const long double taxa = Segura(Numero(Campo(p.req, "taxa"), "taxa"), 5);
    const long double n = Segura(Numero(Campo(p.req, "n"), "n"), 0);
    const Dmil v = ParaDmil(valor);
    const Dmil i = TaxaFracao(taxa);
    p.resp["prestacao_dmil"] = CalculaPrestacao(v, i, Trunca(n));
});

}  // namespace
}  // namespace quantivo::batch
