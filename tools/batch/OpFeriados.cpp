#include "core/Feriados.h"
#include "tools/batch/Batch.h"

namespace quantivo::batch {
namespace {

const Registro opAjustaVencimento("ajusta_vencimento", [](Pedido& p) {
    const Json& texto = Campo(p.req, "data");
    if (texto == "") throw ErroPedido("data deve ser uma data dd/mm/aaaa");
    const Data data = DataDoPedido(texto, "data");
    const bool compensacao = Logico(Campo(p.req, "IncluiCompensacao"), "IncluiCompensacao");
    const auto f = p.req.find("Feriados");
    const bool feriados = f != p.req.end() && Logico(*f, "Feriados");
    const Calendario calendario(FeriadosLocaisDoPedido(p.req));
    p.resp["data"] = FormataDataLonga(AjustaVencimento(data, compensacao, feriados ? &calendario : nullptr));
});

const Registro opFeriados("feriados", [](Pedido& p) {
    const long double ano = Numero(Campo(p.req, "ano"), "ano");
    if (!(ano >= 1 && ano <= 9999) || ano != static_cast<long double>(static_cast<int>(ano)))
        throw ErroPedido("ano deve ser um número inteiro de 1 a 9999");
    Json feriados = Json::array();
    for (const Feriado& f : FeriadosDoAno(static_cast<int>(ano), FeriadosLocaisDoPedido(p.req)))
        feriados.push_back({{"data", FormataDataLonga(f.data)}, {"nome", f.nome}});
    p.resp["feriados"] = std::move(feriados);
});

}  // namespace
}  // namespace quantivo::batch
