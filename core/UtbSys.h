#pragma once
// Amounts and dates in Portuguese words, for the receipt and the date labels of
// the calculation windows. The texts are built from fixed pieces that each
// carry their own spaces; nothing is trimmed, so a result may begin or end with
// a space or hold two in a row, and the receipt prints it exactly so.
// Texts are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Datas.h"

namespace quantivo {

// The words of a whole number; 0 gives the empty text.
std::string NumeroExtenso(std::uint32_t n);

// An amount of reais and centavos in words. Outside 0,01..4294967295,99 (or
// not a number) it fails with ErroFaixa.
std::string ValorExtenso(double valor);

// "Janeiro".."Dezembro"; the empty text outside 1..12.
std::string MesExtenso(int mes);

// The weekday name of a date text ("Domingo".."Sábado"); a text that is not a
// date fails with the conversion error.
std::string DiadaSemana(std::string_view textoData, int anoCorrente);

// "Quinta-feira, 31 de Janeiro de 2008". The weekday is that of the date read
// back from its short text, so it follows the two-digit-year window.
std::string DataExtenso(Data data, int anoCorrente);

}  // namespace quantivo
