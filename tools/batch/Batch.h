#pragma once
// quantivo-batch: one JSON request per line in, one JSON response per line out.
// Each operation lives in its own file and registers itself by name.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Calculos.h"
#include "core/Mensagens.h"
#include "core/Operacao.h"
#include "core/Tipos.h"
#include "output/OperacaoJson.h"

namespace quantivo::batch {

// The JSON of requests and responses, and the request error: those of an
// operation's JSON form (output/OperacaoJson.h).
using Json = JsonExato;
using quantivo::ErroPedido;

// An error an operation reports under a type of its own (the journal's
// "diario"); as with the core's errors, the response keeps what the
// operation wrote before it.
class ErroTipado : public std::runtime_error {
public:
    ErroTipado(std::string tipo, const std::string& texto) : std::runtime_error(texto), tipo_(std::move(tipo)) {}
    const std::string& Tipo() const { return tipo_; }

private:
    std::string tipo_;
};

// An operation fills `resp` from `req`; a core error thrown after it wrote part
// of the response still reports what was written (see Escrever below).
struct Pedido {
    const Json& req;
    Json& resp;
    const Contexto& ctx;
};
// (A batch op; the operation it calculates is quantivo::Operacao, core/Operacao.h.)
using Operacao = std::function<void(Pedido&)>;

void RegistraOperacao(const std::string& nome, Operacao op);
struct Registro {
    Registro(const std::string& nome, Operacao op) { RegistraOperacao(nome, std::move(op)); }
};

// Answers one request line; never throws.
std::string ProcessaLinha(std::string_view linha);

// A value as one line of JSON, its numbers with every digit they hold
// (output/OperacaoJson.h's TextoJson).
inline std::string EscreveJson(const Json& j) { return TextoJson(j); }

// The journal the journal ops keep operations in (quantivo-batch --diario
// FILE), opened at the first of them; without one they answer "pedido". ""
// closes the journal in use. False when this program was built without the
// journal.
bool UsaDiario(const std::string& arquivo);

// --- reading requests (the readers of output/OperacaoJson.h) ------------
inline const Json& Campo(const Json& obj, const char* nome) { return CampoDoPedido(obj, nome); }  // throws when missing
inline long double Numero(const Json& v, const char* nome) { return NumeroDoPedido(v, nome); }
inline std::string Texto(const Json& v, const char* nome) { return TextoDoPedido(v, nome); }
inline bool Logico(const Json& v, const char* nome) { return LogicoDoPedido(v, nome); }
// A date field value: "dd/mm/yyyy", or "" for the empty field (the null date).
using quantivo::DataDoPedido;
// "feriados_locais" of the request (default none): each "dd/mm" or
// "dd/mm/aaaa", optionally with a name; any other text is a bad request.
using quantivo::FeriadosLocaisDoPedido;

// The workbench state of the workbench operations: "dados", "linhas", "rotulos".
inline Bancada LeBancada(const Json& req) { return BancadaDoPedido(req); }
// Writes "linhas", "ValorFinanciado" and "rotulos" of the state into resp.
inline void EscreveBancada(const Bancada& b, Json& resp) { EscreveBancadaNaResposta(b, resp); }

// The instalment window's four values of "janela", held to the fields'
// decimals (2, 0, 5, 2), and the same written into resp["janela"].
inline JanelaPrice LeJanelaPrice(const Json& janela) { return JanelaDoPedido(janela); }
inline void EscreveJanelaPrice(const JanelaPrice& j, Json& resp) { EscreveJanelaNaResposta(j, resp); }

// The workbench's calculate action on an operation, through the dispatch the
// workbench itself uses. Its state is written into the response
// (EscreveRespostaDaOperacao: with "janela" and the CET as its type has
// them) whether the calculation completed, stopped or threw.
Desfecho CalculaNaBancada(Pedido& p, quantivo::Operacao& op);
// The same for `tipo` on `b` (the request's state), with what the type reads
// outside the workbench taken from the request ("janela", "qtdParcelas");
// `b` is left as the calculation left it.
Desfecho CalculaNaBancada(Pedido& p, TipoCalculo tipo, Bancada& b);
// The same on the request's own operation, for the workbench operations.
Desfecho CalculaNaBancada(Pedido& p, TipoCalculo tipo);

}  // namespace quantivo::batch
