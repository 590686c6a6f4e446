#pragma once
// Paste from a spreadsheet into the grids and copy out of them: the text of a
// block of cells (rows by line breaks, cells by tabs) and the cleaning that a
// pasted text gets in a filtered column, so that it becomes what typing would
// have given.
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/Teclado.h"

namespace quantivo {

// The rows and cells of a copied block. A final line break ends the last row
// and adds none ("\n" alone is one empty cell); "\r\n" counts as one break.
std::vector<QStringList> LeBloco(const QString& texto);
// The inverse: cells joined by tabs, rows by "\n".
QString EscreveBloco(const std::vector<QStringList>& linhas);

// A pasted amount as the "Valor" column's key filter would leave it: digits
// and one ",". Where a text holds both "." and ",", the last of them is the
// decimal separator and the others are digit-group marks, dropped
// ("1.000,00" and "1,000.00" give "1000,00"); a mark repeated alone is a
// group mark too ("1.000.000"); otherwise "." becomes "," as typed.
QString LimpaValorColado(const QString& texto);

// A pasted date in the grid's dd/mm/yy shape: day, month and year read from
// the groups of digits (day first, or year first when it has four digits),
// the year cut to its last two digits ("31/12/2007" and "2007-12-31" give
// "31/12/07", "1/2/08" gives "01/02/08"); a time after a blank is ignored.
// A text that does not split that way keeps its digits in the mask's places
// ("31/12" gives "31/12/"), for the calculation to mark as not a date.
QString LimpaDataColada(const QString& texto);

// A pasted cell for a column with the given key filter; a column that takes
// no typing (`Bloqueado`) takes no paste either: the result is null.
QString LimpaCelulaColada(FiltroTeclas filtro, const QString& texto);

}  // namespace quantivo
