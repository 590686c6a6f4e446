#pragma once
// quantivo-batch: one JSON request per line in, one JSON response per line out.
// Each operation lives in its own file and registers itself by name.
#include <cstdint>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Calculos.h"
#include "core/Mensagens.h"
#include "core/Tipos.h"

namespace quantivo::batch {

// Numbers keep their decimal digits: the float type is long double, parsed by
// strtold straight from the text.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t, std::uint64_t, long double>;

// A request that cannot be carried out: unknown op, missing or mistyped field.
class ErroPedido : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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
using Operacao = std::function<void(Pedido&)>;

void RegistraOperacao(const std::string& nome, Operacao op);
struct Registro {
    Registro(const std::string& nome, Operacao op) { RegistraOperacao(nome, std::move(op)); }
};

// Answers one request line; never throws.
std::string ProcessaLinha(std::string_view linha);

// A value as one line of JSON, its numbers with every digit they hold
// (nlohmann's own writer cannot print long double).
std::string EscreveJson(const Json& j);

// The journal the journal ops keep operations in (quantivo-batch --diario
// FILE), opened at the first of them; without one they answer "pedido". ""
// closes the journal in use. False when this program was built without the
// journal.
bool UsaDiario(const std::string& arquivo);

// --- reading requests -----------------------------------------------------
const Json& Campo(const Json& obj, const char* nome);  // throws ErroPedido when missing
long double Numero(const Json& v, const char* nome);
std::string Texto(const Json& v, const char* nome);
bool Logico(const Json& v, const char* nome);
// A date field value: "dd/mm/yyyy", or "" for the empty field (the null date).
Data DataDoPedido(const Json& v, const char* nome);

// "feriados_locais" of the request (default none): each "dd/mm" or
// "dd/mm/aaaa", optionally with a name; any other text is a bad request.
std::vector<FeriadoLocal> FeriadosLocaisDoPedido(const Json& req);

// The workbench state of the workbench operations: "dados", "linhas", "rotulos".
Bancada LeBancada(const Json& req);
// Writes "linhas", "ValorFinanciado" and "rotulos" of the state into resp.
void EscreveBancada(const Bancada& b, Json& resp);

// The instalment window's four values of "janela", held to the fields'
// decimals (2, 0, 5, 2), and the same written into resp["janela"].
JanelaPrice LeJanelaPrice(const Json& janela);
void EscreveJanelaPrice(const JanelaPrice& j, Json& resp);

// The workbench's calculate action for `tipo` on `b` (the request's state),
// through the dispatch the workbench itself uses; types 1 and 3 take what
// they read outside the workbench from the request ("janela",
// "qtdParcelas"). The state is written back into the response (with "janela"
// for type 1, and "CET", "cet_anual" and "cet_mensal" for the two discounts)
// whether the calculation completed, stopped or threw.
Desfecho CalculaNaBancada(Pedido& p, TipoCalculo tipo, Bancada& b);
// The same on the request's own state, for the workbench operations.
Desfecho CalculaNaBancada(Pedido& p, TipoCalculo tipo);

}  // namespace quantivo::batch
