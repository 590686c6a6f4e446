#pragma once
// An operation's JSON form: the one reader and the one writer, which
// quantivo-batch's requests and responses, the journal's stored operations
// and the desktop program share.
//
// The request form (what a workbench request sends, what the journal keeps):
//   "tipo"             the type's value (-1 for none); only in the form that
//                      names its type (listagem's, the journal's)
//   "dados"            the workbench's fields: "DataReferencia" ("dd/mm/aaaa",
//                      "" the empty field), "ValorFinanciado", "Taxa" (texts),
//                      "TAC", "IOF", "Tarifa" (numbers, held to the fields'
//                      decimals, never negative), "TipoTarifa" (-1, 0 or 1),
//                      "IncluiCompensacao", "Feriados" (booleans; the latter
//                      optional, false)
//   "feriados_locais"  optional: ["dd/mm Nome", "dd/mm/aaaa", ...]
//   "linhas"           the rows: {"Data", "Valor", "BancoNumero", "Emitente",
//                      "Dias", "CMC7", "Documento"}, each optional, ""
//   "rotulos"          optional: what the totals showed, {"ValorTotal", "TAC",
//                      "IOF", "Juros", "Tarifa", "CET"}, each optional
//   "TipoTarifaTexto"  optional: the fee-kind box's text as typed; only in
//                      the form that names its type
//   "cliente"          optional: {"nome", "documento"}, each optional (these
//                      and the rows' "CMC7" and "Documento" may also be null)
//   "janela"           the instalment window's four values, for a type that
//                      reads them: {"ValorFinanciado", "NumPrestacao",
//                      "Taxa", "VlrPrestacao"} (0 a blank field)
//   "qtdParcelas"      the renegotiation window's count, for a type that reads it
// A field missing or of the wrong kind is an ErroPedido whose text says which.
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Operacao.h"

namespace quantivo {

// Numbers keep their decimal digits: the float type is long double, parsed by
// strtold straight from the text.
using JsonExato =
    nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t, std::uint64_t, long double>;

// A request (or a kept operation) that cannot be read: a field missing or
// mistyped, a value no field holds. quantivo-batch answers it as "pedido".
class ErroPedido : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// --- Fields, each with the text of what is wrong with it ------------------
const JsonExato& CampoDoPedido(const JsonExato& obj, const char* nome);  // "campo ausente: ..."
long double NumeroDoPedido(const JsonExato& v, const char* nome);
std::string TextoDoPedido(const JsonExato& v, const char* nome);
bool LogicoDoPedido(const JsonExato& v, const char* nome);
// A date field value: "dd/mm/aaaa", or "" for the empty field (the null date).
Data DataDoPedido(const JsonExato& v, const char* nome);
// "feriados_locais" (default none): each "dd/mm" or "dd/mm/aaaa",
// optionally with a name; any other text is refused.
std::vector<FeriadoLocal> FeriadosLocaisDoPedido(const JsonExato& pedido);

// --- Reading --------------------------------------------------------------
// "dados", "feriados_locais", "linhas" and "rotulos".
Bancada BancadaDoPedido(const JsonExato& pedido);
// The instalment window's four values, held to the fields' decimals (2, 0, 5, 2).
JanelaPrice JanelaDoPedido(const JsonExato& janela);
// What `tipo` reads outside the workbench ("janela", "qtdParcelas"); zeros
// for what it does not read.
OutrasJanelas OutrasJanelasDoPedido(const JsonExato& pedido, TipoCalculo tipo);
// "tipo": -1 or a type's value.
TipoCalculo TipoDoPedido(const JsonExato& v);
// A workbench request of a type its op gives: the workbench, "cliente", then
// what the type reads outside the workbench.
Operacao OperacaoDoPedido(const JsonExato& pedido, TipoCalculo tipo);
// A request that names its type: "tipo" and "TipoTarifaTexto" first, then as above.
Operacao OperacaoDoPedido(const JsonExato& pedido);

// --- Writing --------------------------------------------------------------
// The request form that names its type, every field written (the rows'
// "CMC7" and "Documento" when not empty, "TipoTarifaTexto" when given).
// OperacaoDoPedido(PedidoDaOperacao(op)) gives op back, but for
// bancada.cet (figures a calculation finds again; the CET label's text is in
// "rotulos") and for what the type does not read outside the workbench.
JsonExato PedidoDaOperacao(const Operacao& op);
// A workbench response's "linhas" (the five cells of each row),
// "ValorFinanciado" and "rotulos" (without "CET").
void EscreveBancadaNaResposta(const Bancada& b, JsonExato& resp);
// "janela" with the four values.
void EscreveJanelaNaResposta(const JanelaPrice& j, JsonExato& resp);
// The response of a workbench operation after its calculation (completed or
// not): the workbench; "janela" for a type that reads it; for a type with a
// CET, "CET" (the label's text), "cet_anual" and "cet_mensal" (the figures,
// null when there are none).
void EscreveRespostaDaOperacao(const Operacao& op, JsonExato& resp);

// --- Text -----------------------------------------------------------------
// The shortest text of 15 to 21 significant digits, in the general form, that
// reads back as the same extended value; "null" for what is not finite.
std::string TextoDoNumero(long double v);
// One line of JSON, the numbers as TextoDoNumero writes them (nlohmann's own
// writer cannot print long double); invalid UTF-8 replaced.
std::string TextoJson(const JsonExato& j);

}  // namespace quantivo
