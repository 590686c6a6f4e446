// The two printed listings' text: the workbench's (after the calculation its
// print action runs first) and the instalment window's.
#include <functional>

#include "core/DescontoCheque.h"
#include "core/Valores.h"
#include "output/GeraListagem.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

// The calculation the workbench's print action runs for the chosen type.
std::function<void(Bancada&, const Contexto&)> CalculoDoTipo(long double tipo) {
    if (tipo == static_cast<int>(TipoCalculo::Nenhum)) return [](Bancada&, const Contexto&) {};
    if (tipo == static_cast<int>(TipoCalculo::DescontoCheque)) return CalculaDescontoCheque;
    throw ErroPedido("tipo de cálculo sem listagem no quantivo-batch: use -1 (nenhum) ou 0 (desconto de cheque)");
}

Json Linhas(const std::vector<std::string>& linhas) {
    Json j = Json::array();
    for (const std::string& s : linhas) j.push_back(s);
    return j;
}

const Registro listagem("listagem", [](Pedido& p) {
    const long double tipo = Numero(Campo(p.req, "tipo"), "tipo");
    const auto calculo = CalculoDoTipo(tipo);
    std::string tipoTarifaTexto;
    const bool temTexto = p.req.contains("TipoTarifaTexto");
    if (temTexto) tipoTarifaTexto = Texto(p.req["TipoTarifaTexto"], "TipoTarifaTexto");
    Bancada b = LeBancada(p.req);
    b.dados.Tipo = static_cast<TipoCalculo>(static_cast<int>(tipo));
    try {
        calculo(b, p.ctx);
    } catch (...) {
        EscreveBancada(b, p.resp);
        throw;
    }
    EscreveBancada(b, p.resp);
    p.resp["linhas_texto"] = Linhas(GeraListagem(EntradaDaBancada(b, temTexto ? &tipoTarifaTexto : nullptr)));
});

const Registro listagemPrestacoes("listagem_prestacoes", [](Pedido& p) {
    const Json& j = Campo(p.req, "janela");
    const std::string refTexto = Texto(Campo(p.req, "DataReferencia"), "DataReferencia");
    const Data ref = DataDoPedido(Campo(p.req, "DataReferencia"), "DataReferencia");
    // The date field shows its date in the short form, and nothing when empty.
    const auto entrada = EntradaPrestacoes(ref, refTexto.empty() ? std::string() : FormataData(ref),
                                           Numero(Campo(j, "ValorFinanciado"), "ValorFinanciado"),
                                           Numero(Campo(j, "Taxa"), "Taxa"),
                                           Numero(Campo(j, "NumPrestacao"), "NumPrestacao"),
                                           Numero(Campo(j, "VlrPrestacao"), "VlrPrestacao"));
    p.resp["linhas_texto"] = Linhas(GeraListagemPrestacoes(entrada));
});

}  // namespace
}  // namespace quantivo::batch
