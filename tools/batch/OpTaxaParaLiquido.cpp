// The rate for a wanted net value: a cheque discount's request and the net
// the customer wants; the answer is the discount at the rate found.
#include "core/TaxaParaLiquido.h"
#include "core/Valores.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

// The state as the request gave it, in the fields of the discount's
// response, when no rate is written and nothing is calculated.
void DevolveComoVeio(const Bancada& b, Json& resp) {
    EscreveBancada(b, resp);
    resp["CET"] = b.totais.CET;
    resp["cet_anual"] = nullptr;
    resp["cet_mensal"] = nullptr;
}

const Registro opTaxaParaLiquido("taxa_para_liquido", [](Pedido& p) {
    Bancada b = LeBancada(p.req);
    // A text by the amount rule; a number as the dialog's two-decimal field,
    // which takes no minus sign, holds it.
    const Json& desejado = Campo(p.req, "LiquidoDesejado");
    if (desejado.is_number() && Segura(Numero(desejado, "LiquidoDesejado"), 2) < 0)
        throw ErroPedido("LiquidoDesejado não pode ser negativo");
    const auto leDesejado = [&] {
        return desejado.is_number() ? Segura(Numero(desejado, "LiquidoDesejado"), 2)
                                    : LeValor(Texto(desejado, "LiquidoDesejado"));
    };
    b.dados.Tipo = TipoCalculo::DescontoCheque;
    p.resp["Taxa"] = nullptr;
    p.resp["diferenca"] = nullptr;
    TaxaProcurada t;
    try {
        t = ProcuraTaxa(b, leDesejado(), p.ctx);
    } catch (...) {
        DevolveComoVeio(b, p.resp);
        throw;
    }
    switch (t.busca) {
        case BuscaTaxa::Achada:
            b.dados.Taxa = TextoTaxa(t.passos);
            p.resp["Taxa"] = b.dados.Taxa;
            p.resp["diferenca"] = TextoCentavos(t.diferenca());
            CalculaNaBancada(p, TipoCalculo::DescontoCheque, b);
            break;
        case BuscaTaxa::CalculoNaoConclui:
            // Its message or error, as the discount itself gives it.
            CalculaNaBancada(p, TipoCalculo::DescontoCheque, b);
            break;
        case BuscaTaxa::ForaDoAlcance:
        case BuscaTaxa::SemCheques:
            DevolveComoVeio(b, p.resp);
            break;
    }
});

}  // namespace
}  // namespace quantivo::batch
