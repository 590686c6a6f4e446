#pragma once
// The Price table with payments in arrears: equal monthly instalments at a
// monthly effective rate. Amounts and the rate are four-decimal counts (Dmil);
// every step between them runs in extended precision. An undefined formula
// (a rate count of 0, no instalments) or a value that leaves the 64-bit count
// throws ErroAritmetico before anything is written.
#include <cstdint>
#include <vector>

#include "core/Mensagens.h"
#include "core/Tipos.h"
#include "core/Valores.h"

namespace quantivo {

// q^n by square-and-multiply from the lowest bit of |n|; 1 / q^|n| for a
// negative n, exactly 1 for n = 0. An overflow at any step is an arithmetic
// error, as the floating-point unit would raise it.
long double Potencia(long double q, std::int64_t n);

// A rate in percent as a four-decimal fraction: round(taxa / 100 * 10000),
// halves to even, so the percentage counts with two decimals (2,345 -> 0,0234).
Dmil TaxaFracao(long double taxaPercentual);

// Instalment from the financed value.
Dmil CalculaPrestacao(Dmil valorFinanciado, Dmil taxa, std::int64_t n);
// Financed value from the instalment.
Dmil CalculaValorFinanciado(Dmil prestacao, Dmil taxa, std::int64_t n);

// A schedule of more rows than this is refused with kMsgLimitePrestacoes: no
// one lends in that many months, and the grid would exhaust the memory.
inline constexpr std::int64_t kLimitePrestacoes = 100000;
inline constexpr const char* kMsgLimitePrestacoes = "Número de prestações acima do limite de 100000";

// The windows take no count of instalments below 1 (a count of 0 makes no
// schedule, a negative one solves a negative instalment): they say so, naming
// the field the count is typed in, and calculate nothing. The calculations
// themselves, and quantivo-batch with them, answer such counts as before.
inline constexpr const char* kMsgNumPrestacaoMinima = "Numero de Prestação: informe 1 prestação ou mais";
inline constexpr const char* kMsgQtdPrestacaoMinima = "Qtd.Prestação: informe 1 prestação ou mais";

// The due dates of instalments 1..n (none when n < 1). A date past the year
// 9999 cannot be formed: ErroAritmetico.
std::vector<Data> Vencimentos(Data referencia, std::int64_t n);

// Writes the schedule into the workbench: empties every row, leaves exactly n
// rows (one empty row when n < 1), each with its due date and the instalment,
// and ValorTotal = n x instalment. Above kLimitePrestacoes it shows the
// message and writes nothing (Interrompido). Errors come before any write.
Desfecho MontaParcelas(Bancada& b, Data referencia, Dmil prestacao, std::int64_t n, const Contexto& ctx);

// The instalment window's four numeric fields as they hold them (2, 0, 5 and
// 2 decimals); 0 is a blank field.
struct JanelaPrice {
    long double ValorFinanciado = 0;
    long double NumPrestacao = 0;
    long double Taxa = 0;
    long double VlrPrestacao = 0;
    bool operator==(const JanelaPrice&) const = default;
};

inline constexpr const char* kMsgUmValorEmBranco =
    "Necessário deixar apenas um valor em branco\rEste será o valor a ser apurado";

// The workbench's Price calculation: the blank test on the window, then the
// financed value (written back into the window, held to 2 decimals; the
// workbench is not touched) or the schedule from the workbench's financed
// value and rate. Not exactly one blank value: the message, then NadaAFazer,
// as when the blank value is the count or the rate (no message then).
Desfecho CalculaPrice(Bancada& b, JanelaPrice& janela, const Contexto& ctx);

// The instalment window's own solve, on its four values alone: Concluido when
// it wrote the blank value (held to 2 decimals) into `janela`.
Desfecho CalculaPostecipada(JanelaPrice& janela, const Contexto& ctx);

}  // namespace quantivo
