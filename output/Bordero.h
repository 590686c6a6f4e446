#pragma once
// The borderô: the customer's copy of a cheque discount or a "Venda certa",
// as a PDF or on paper. The firm (valida.ini's issuer), the customer, the
// operation's number, date and terms, one line per cheque with its own
// figures (core/ChequesCalculados.h), the totals as the workbench shows them,
// the net value and the CET.
//
// Qt Gui alone (no widgets), so that the desktop program and quantivo-batch
// print the same document. A4 portrait; the header, the columns' titles and
// "página n de m" on every page, the totals once, after the last cheque.
#include <QString>
#include <cstdint>
#include <string>

#include "core/Operacao.h"
#include "output/Cadastro.h"

class QPagedPaintDevice;

namespace quantivo {

struct DadosBordero {
    Cadastro firma;           // valida.ini's issuer (output/Cadastro.h); empty fields print nothing
    std::int64_t numero = 0;  // the operation's number in the journal (0: not saved, printed without it)
    std::string salvaEm;      // when it was saved, as the journal keeps it ("" when not saved)
    Operacao operacao;        // as calculated: rows, totals texts, CET, customer, rows' CMC7/Documento
    // The day it was calculated on, whose year the rows' two-digit years were
    // read against; null: the reference date's.
    Data hoje = kDataNula;
};

// Paints the borderô on a paged device (QPdfWriter, or a QPrinter the window
// set up), breaking pages. An operation that holds no completed discount
// prints its rows' cells without their figures. False when the device could
// not be opened, refused a page or failed to finish the document.
bool DesenhaBordero(const DadosBordero& d, QPagedPaintDevice& dispositivo);

// Writes the PDF at `caminho` safely (never leaving a half-written file at
// the path); false with a Portuguese reason.
bool GravaBorderoPdf(const DadosBordero& d, const QString& caminho, QString* motivo);

}  // namespace quantivo
