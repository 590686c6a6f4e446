#include "core/Price.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro registro("calcula_price", [](Pedido& p) {
    const Json& j = Campo(p.req, "janela");
    JanelaPrice janela;
    janela.ValorFinanciado = Segura(Numero(Campo(j, "ValorFinanciado"), "ValorFinanciado"), 2);
    janela.NumPrestacao = Segura(Numero(Campo(j, "NumPrestacao"), "NumPrestacao"), 0);
    janela.Taxa = Segura(Numero(Campo(j, "Taxa"), "Taxa"), 5);
    janela.VlrPrestacao = Segura(Numero(Campo(j, "VlrPrestacao"), "VlrPrestacao"), 2);
    auto escreveJanela = [&] {
        p.resp["janela"] = {{"ValorFinanciado", janela.ValorFinanciado},
                            {"NumPrestacao", janela.NumPrestacao},
                            {"Taxa", janela.Taxa},
                            {"VlrPrestacao", janela.VlrPrestacao}};
    };
    try {
        ExecutaNaBancada(p, [&](Bancada& b) { CalculaPrice(b, janela, p.ctx); });
    } catch (...) {
        escreveJanela();
        throw;
    }
    escreveJanela();
});

}  // namespace
}  // namespace quantivo::batch
