#pragma once
// TEMPORARY. Stands in for the core's CMC7, CPF and CNPJ rules, which are
// being written elsewhere, so that the journal can check what it keeps. When
// the core's own functions arrive, the journal's callers take them instead
// and this file goes: nothing else may start to depend on it.
#include <string>
#include <string_view>

namespace quantivo::diario::provisorio {

struct Documento {
    std::string tipo;  // "CPF", "CNPJ", or "" when the length is neither
    bool valido = false;
    std::string normalizado;  // without dots, slashes, hyphens and spaces, letters in capitals
    std::string formatado;    // "123.456.789-09", "12.ABC.345/01DE-35"; "" when not valid
    std::string problema;     // why not valid, in Portuguese; "" when valid
};

// A CPF or CNPJ as typed (the alphanumeric CNPJ included).
Documento ValidaDocumento(std::string_view texto);

struct Cmc7 {
    bool valido = false;
    std::string problema;     // in Portuguese; "" when valid
    std::string digitos;      // the 30 digits, when valid
    std::string BancoNumero;  // "banco/agencia/cheque" ("237/0494/001793"), when valid
};

// A cheque's magnetic line as typed or sent by a reader.
Cmc7 LeCmc7(std::string_view linha);

}  // namespace quantivo::diario::provisorio
