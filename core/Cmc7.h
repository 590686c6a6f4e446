#pragma once
// The cheque's magnetic line (CMC7), as a clerk types it or a reader that acts
// as a keyboard sends it: 30 digits in three fields, guarded by three mod-10
// check digits.
//
//   field 1 (digits 1-8):   bank (3), branch (4), DV2
//   field 2 (digits 9-18):  clearing house "câmara" (3), cheque number (6),
//                           "tipificação" (1)
//   field 3 (digits 19-30): DV1, account (10), DV3
//
// DV1 guards bank and branch, DV2 field 2, DV3 the account. The reader's
// separators ("<", ">", ":"), blanks and line ends are dropped wherever they
// stand; any other character makes the line not valid. These run on every
// grid cell committed and on every pasted line: no allocation beyond the
// answer.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quantivo {

inline constexpr std::size_t kDigitosCmc7 = 30;

// A valid line's 30 digits and its parts.
struct Cmc7 {
    std::string digitos;

    std::string Banco() const { return digitos.substr(0, 3); }
    std::string Agencia() const { return digitos.substr(3, 4); }
    std::string Camara() const { return digitos.substr(8, 3); }
    std::string Cheque() const { return digitos.substr(11, 6); }
    std::string Tipificacao() const { return digitos.substr(17, 1); }
    std::string Conta() const { return digitos.substr(19, 10); }
    // What the grid shows for the cheque: "237/0494/001793".
    std::string BancoNumero() const;
};

struct LeituraCmc7 {
    std::optional<Cmc7> cmc7;  // when valid
    std::string problema;      // when not: what is wrong, in Portuguese, for the clerk
    bool Valido() const { return cmc7.has_value(); }
};

LeituraCmc7 LeCmc7(std::string_view linha);

// The check digit of a run of digits: from the rightmost leftwards, times 2,
// 1, 2, ...; the digits of each product added; (10 - sum mod 10) mod 10.
int DigitoModulo10(std::string_view digitos);

// Whether a cell's text is to be checked as a CMC7 line rather than kept as
// free text: a reader's line (it begins with "<"), or a text of nothing but
// digits, blanks, the reader's separators and its "?" with 20 digits or more
// (so that a digit dropped while typing is caught, not taken as free text).
bool PareceCmc7(std::string_view texto);
// A line sent by a reader: it begins with "<".
inline bool VemDoLeitor(std::string_view texto) { return !texto.empty() && texto.front() == '<'; }

}  // namespace quantivo
