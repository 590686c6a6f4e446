#include "core/Price.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

// The values as the instalment window's fields hold them.
const Registro opValorFinanciado("valor_financiado", [](Pedido& p) {
    const long double prestacao = Segura(Numero(Campo(p.req, "prestacao"), "prestacao"), 2);
    const long double taxa = Segura(Numero(Campo(p.req, "taxa"), "taxa"), 5);
    const long double n = Segura(Numero(Campo(p.req, "n"), "n"), 0);
    const Dmil m = ParaDmil(prestacao);
    const Dmil i = TaxaFracao(taxa);
    p.resp["valor_financiado_dmil"] = CalculaValorFinanciado(m, i, Trunca(n));
});

}  // namespace
}  // namespace quantivo::batch
