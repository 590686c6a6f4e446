#pragma once
// CPF and CNPJ as typed: dots, slashes, hyphens and spaces are dropped and
// letters taken as capitals; 11 characters are a CPF, 14 a CNPJ. A CPF is 11
// digits with two mod-11 check digits; a CNPJ is 12 characters of 0-9 or A-Z
// (the alphanumeric CNPJ; a numeric one is the same rule) and two check
// digits, each character counting as its ASCII code minus 48. Eleven or
// fourteen equal characters are refused although their check digits agree.
#include <string>
#include <string_view>

namespace quantivo {

enum class TipoDocumento { Nenhum, Cpf, Cnpj };

struct LeituraDocumento {
    TipoDocumento tipo = TipoDocumento::Nenhum;  // by length, valid or not
    bool valido = false;
    std::string formatado;  // when valid: "123.456.789-09", "12.ABC.345/01DE-35"
    std::string problema;   // when not: why, in Portuguese
};

LeituraDocumento LeDocumento(std::string_view texto);

// "CPF", "CNPJ", or empty for Nenhum.
const char* NomeDoTipo(TipoDocumento tipo);

}  // namespace quantivo
