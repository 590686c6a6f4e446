#pragma once
// Calendar dates as whole day numbers (day 0 is 30/12/1899, the null date of an
// empty date field), the short date form "dd/mm/yy" and the rules every
// calculation shares: reading a date text, moving a due date past the weekend
// and the clearing days, and counting days.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quantivo {

using Data = std::int32_t;

constexpr Data kDataNula = 0;  // 30/12/1899

struct DataCivil {
    int ano;
    int mes;
    int dia;
};

bool AnoBissexto(int ano);
int DiasNoMes(int ano, int mes);
// Day number of a calendar date; nothing when the date does not exist or its
// year lies outside 1..9999.
std::optional<Data> CodificaData(int ano, int mes, int dia);
DataCivil DecodificaData(Data d);
int AnoDe(Data d);
// 1 = Sunday ... 7 = Saturday.
int DiaDaSemana(Data d);

// Reading a date text: day, month and year separated by "/", blanks skipped,
// a year of one or two digits placed in the hundred-year window that begins
// 50 years before the current year, a missing year taking the current year.
std::optional<Data> TentaLerData(std::string_view texto, int anoCorrente);
// As above, failing with "'%s' is not a valid date".
Data LeData(std::string_view texto, int anoCorrente);
// Whether the text is a date, optionally followed by a time of day.
bool DataValida(std::string_view texto, int anoCorrente);
// "dd/mm/yyyy" as quantivo-batch passes dates outside cells; "" is the null date.
std::optional<Data> LeDataLonga(std::string_view texto);

// "dd/mm/yy".
std::string FormataData(Data d);
// "dd/mm/yyyy".
std::string FormataDataLonga(Data d);

// A due date moved off the weekend and, with clearing, 2 days later.
Data AjustaVencimento(Data vencimento, bool incluiCompensacao);

// The warning of a due date before the operation date is worded by the window
// the count is made for.
enum class JanelaAviso { Bancada, Entrada };
const char* TextoAvisoDifDias(JanelaAviso janela);

struct Contexto;
// Days from the reference date (read back through its short text) to the due
// date; a due date earlier than the reference date shows the window's warning
// and yields 0.
std::int64_t DifDias(Data vencimento, Data referencia, const Contexto& ctx, JanelaAviso janela);

// Due date of instalment k: k months after the reference month, on the
// reference day or the month's last day.
Data VencimentoMensal(Data referencia, std::int64_t k);

}  // namespace quantivo
