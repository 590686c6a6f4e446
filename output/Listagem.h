#pragma once
// Writing the listing file and printing it line by line.
//
// The print buttons of the workbench and of the instalment window each call one
// entry function and nothing else; it builds the text (GeraListagem.h), writes
// Listagem.txt, reads it back, shows the print dialog and prints, and reports
// every problem through the message service itself:
//
//   workbench, "F12 - &Imprime": run the calculate action first (btnCalcula's
//     handler; if it throws, stop there), then
//       ImprimeListagemBancada(EntradaDaBancada(bancada, &cbTipoTarifaText));
//     or fill an EntradaListagem from the widgets as GeraListagem.h describes.
//   instalment window, "F12 - &Imprime" (no calculation first):
//       ImprimeListagemPrestacoes(EntradaPrestacoes(DateEdit1's date,
//           DateEdit1's text, edtValorFinanciado's value, edtTaxa's value,
//           edtNumPrestacao's value, edtVlrPrestacao's value));
//
// Tests replace the print dialog with DefineEscolheImpressora, or print straight
// to a QPrinter (a PDF file) with ImprimeLinhas.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "output/ErroArquivo.h"
#include "output/GeraListagem.h"

class QPrinter;

namespace quantivo {

inline constexpr const char* kErroImpressao = "Erro na rotina de impressão";

// The printer failed; the text says how, in Portuguese, for the user.
class ErroImpressora : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the lines to CaminhoListagem() in Windows-1252, CR LF after every
// line, replacing whatever was there. The text goes to a fresh file in the same
// directory that is then renamed over the path, so a link planted at the path is
// replaced, never followed. Throws ErroArquivo.
void GravaListagem(const std::vector<std::string>& linhas);
// The file's lines, as the printer gets them. Throws ErroArquivo.
QStringList LeListagem();

// The print dialog: returns the chosen printer, or nullptr when cancelled.
using EscolheImpressoraFn = std::function<std::unique_ptr<QPrinter>()>;
void DefineEscolheImpressora(EscolheImpressoraFn f);  // empty restores QPrintDialog
// The print dialog as the print buttons show it (or what replaces it).
std::unique_ptr<QPrinter> EscolheImpressora();

// Prints the lines on the printer in the listing's font, one text line below the
// other from the top of the printable area, a new page when the next line does
// not fit. Throws ErroImpressora when the printer fails.
void ImprimeLinhas(const QStringList& linhas, QPrinter& impressora);

enum class ResultadoImpressao { Impresso, Cancelado, Falhou };

// The print dialog, then ImprimeLinhas; a failure shows "Erro na rotina de
// impressão" (caption "Atenção", warning icon), followed by the printer's
// reason when it gave one ("Erro na rotina de impressão: <motivo>.").
// Cancelling prints nothing.
ResultadoImpressao ImprimeListagem(const QStringList& linhas);

// The print buttons' whole action. An error before printing (a text that is no
// number, the file not writable) is shown as the action's error and nothing is
// printed; never throws.
ResultadoImpressao ImprimeListagemBancada(const EntradaListagem& e);
// The borderô (output/Bordero.h) on the printer the clerk chooses, failures
// said as the listing's are.
struct DadosBordero;
ResultadoImpressao ImprimeBordero(const DadosBordero& d);
ResultadoImpressao ImprimeListagemPrestacoes(const EntradaListagemPrestacoes& e);

}  // namespace quantivo
