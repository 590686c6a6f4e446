// The two printed listings' text: the workbench's (after the calculation its
// print action runs first) and the instalment window's.
#include "core/Valores.h"
#include "output/GeraListagem.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

Json Linhas(const std::vector<std::string>& linhas) {
    Json j = Json::array();
    for (const std::string& s : linhas) j.push_back(s);
    return j;
}

// "F12 - &Imprime" of the workbench: its calculate action, then the listing
// of what the workbench shows. A stop after a message ends the print before
// anything is written (no lines); an error ends it too (no "linhas_texto").
const Registro opListagem("listagem", [](Pedido& p) {
    quantivo::Operacao op = quantivo::OperacaoDoPedido(p.req);
    if (EncerraAcao(CalculaNaBancada(p, op))) {
        p.resp["linhas_texto"] = Json::array();
        return;
    }
    const std::string* tipoTarifaTexto = op.tipoTarifaTexto ? &*op.tipoTarifaTexto : nullptr;
    p.resp["linhas_texto"] = Linhas(GeraListagem(EntradaDaBancada(op.bancada, tipoTarifaTexto)));
});

const Registro opListagemPrestacoes("listagem_prestacoes", [](Pedido& p) {
    const Json& j = Campo(p.req, "janela");
    const std::string refTexto = Texto(Campo(p.req, "DataReferencia"), "DataReferencia");
    const Data ref = DataDoPedido(Campo(p.req, "DataReferencia"), "DataReferencia");
    // The date field shows its date in the short form, and nothing when empty.
    const auto entrada = EntradaPrestacoes(
        ref, refTexto.empty() ? std::string() : FormataData(ref),
        Numero(Campo(j, "ValorFinanciado"), "ValorFinanciado"), Numero(Campo(j, "Taxa"), "Taxa"),
        Numero(Campo(j, "NumPrestacao"), "NumPrestacao"), Numero(Campo(j, "VlrPrestacao"), "VlrPrestacao"));
    p.resp["linhas_texto"] = Linhas(GeraListagemPrestacoes(entrada));
});

}  // namespace
}  // namespace quantivo::batch
