#pragma once
// Numbers and their texts: reading amount texts, the four-decimal fixed point,
// the numeric fields' held values and edit texts, and the number masks
// ("###,###,##0.00" and its family, "0.0000;-0.0000", ...).
//
// Extended precision is long double (x87, 64-bit mantissa). Numbers read from
// text are parsed straight from the decimal digits into long double.
#include <cfloat>
#include <cstdint>
#include <string>
#include <string_view>

static_assert(LDBL_MANT_DIG == 64, "the calculations need the 80-bit extended type");

namespace quantivo {

// Keeps only the digits and ",", in their order.
std::string RetiraVirgula(std::string_view texto);

// The amount rule: RetiraVirgula, then a decimal number with "," as the
// separator. Fails with "'%s' is not a valid floating point value" (the
// cleaned text) when nothing readable is left.
long double LeValor(std::string_view texto);

// A text read as a number as it stands, without any cleaning: blanks around
// it, a sign, digits with one "," and an exponent. Fails with the conversion
// error naming the text itself.
long double LeNumero(std::string_view texto);

// Four-decimal fixed point: a count of ten-thousandths in 64 bits, converted
// with rounding to the nearest, halves to even. Out of range or not finite:
// ErroAritmetico.
using Dmil = std::int64_t;
Dmil ParaDmil(long double valor);
long double DeDmil(Dmil d);
Dmil SomaDmil(Dmil a, Dmil b);

// Checked arithmetic: IEEE does not trap, the calculations must.
long double Finito(long double v);
long double Divide(long double a, long double b);
double ParaDouble(long double v);
std::int64_t Trunca(long double v);

// A numeric field's held value: the decimal its amount text shows, the value
// first taken to 15 significant digits, then to `decimais`, halves away from
// zero at both steps (2675,534999... of a binary 2675,535 holds 2675,54).
long double Segura(long double valor, int decimais);
// A numeric field's edit text: "," before at most `decimais` decimals (the
// exact value rounded half away from zero), trailing zeros dropped, no
// grouping, empty for zero (1,50 reads 1,5).
std::string TextoCampo(long double valor, int decimais);

// Formats a number with a mask in the family "###,###,##0.00", "0.0000",
// "0.00;-0.00", "R$ ,0.00" (sections for positive;negative;zero, literal text,
// "," before the point for digit groups of "."). The value is first taken to
// 15 significant digits, then to the mask's decimals, halves away from zero at
// both steps, on the exact decimal value of the binary one (an exact half
// included); a negative value that rounds to zero prints as zero.
std::string FormataMascara(long double valor, std::string_view mascara);
// The amount text "###,###,##0.00".
std::string FormataValor(long double valor);

// The general form: at most 15 significant digits (halves away from zero),
// "," as the separator, no grouping, trailing zeros dropped; very large or
// small values in scientific form (1E20).
std::string FormataGeral(long double valor, int precisao = 15);

// The shortest text of a day count.
std::string TextoDias(std::int64_t dias);

}  // namespace quantivo
