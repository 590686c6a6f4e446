#pragma once
// Saved operations for the accountant's spreadsheet, as CSV and XLSX.
//
// One operation: a header line, one line per cheque (data, dias, valor,
// banco/número, emitente, documento, CMC7), then the totals, each a name and
// the text the workbench showed. Several operations (a date range): each
// operation's table in turn, after a line that names the operation (its
// number, date, customer and document), with an empty line between them.
//
// CSV: UTF-8 with a byte-order mark, ";" between fields, CR LF; an amount
// with a decimal comma and no thousands separator ("2500,50"). XLSX (through
// libxlsxwriter): the same table on one sheet, each amount a number shown
// with two decimals.
//
// The file is written whole or not at all: through a temporary file renamed
// over the path. Failures are ErroDiario with the reason in Portuguese.
#include <string>
#include <vector>

#include "diario/Registros.h"

namespace quantivo::diario {

enum class Formato { Csv, Xlsx };

std::string TextoCsv(const OperacaoSalva& op);
std::string TextoCsvPeriodo(const std::vector<OperacaoSalva>& ops);

void Exporta(const OperacaoSalva& op, Formato formato, const std::string& caminho);
void ExportaPeriodo(const std::vector<OperacaoSalva>& ops, Formato formato, const std::string& caminho);

}  // namespace quantivo::diario
