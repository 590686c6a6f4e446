#pragma once
// The instalment calculator (TfrmPostecipada): a small window that solves a
// Price-table loan on its own four fields, and that the workbench's type
// "Prestação Taxa Efetiva" reads.
//
// It lives for the whole run and is only hidden when closed, so its four
// values stay readable by the workbench's calculation and by its own listing.
// It is shown either as a free window (main menu) or as a modal dialog (the
// workbench's type list); only in the dialog does the confirming "OK" button
// appear, ending the dialog without solving so that the workbench solves.
//
// Its fields are reset when it is opened (shown from hidden, or opened as the
// dialog), not each time the user comes back to it: a clerk who glances at
// another window must not lose the typed values and the solved result.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "core/Price.h"
#include "ui/CampoData.h"
#include "ui/CampoNumerico.h"

namespace quantivo {

class Tfrm_desconto_cheque;

class TfrmPostecipada : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPostecipada(QWidget* parent = nullptr);

    // The four numeric values as the fields hold them.
    JanelaPrice Valores() const;

    // Shows the window as a free window (the main menu's button). Already
    // open, it is only brought forward.
    void MostraLivre();
    // Opens it as a modal dialog owned by `dono` (whose activation rule then
    // sees it as its own dialog). An open free window is hidden first and
    // comes back as the dialog. Returns the dialog's result.
    int AbreDialogo(QWidget* dono);
    // Brings the window forward keeping what it holds (a value the workbench
    // solved into it); opens it as a free window when it is closed.
    void TrazParaFrente();
    bool EmDialogo() const { return emDialogo_; }
    // "F12 - &Imprime": the schedule's listing from the fields as they stand
    // (the listing's unit wires it, as it does the workbench's).
    std::function<void()> imprime;

    // --- Controls, by the names the other windows use.
    CampoData* DateEdit1;               // "Data de referência": the schedule's reference date (today on opening)
    CampoNumerico* edtValorFinanciado;  // "Valor Financiado": the financed sum; blank to solve it
    CampoNumerico* edtNumPrestacao;     // "Numero de Prestação": the number of monthly instalments
    CampoNumerico* edtTaxa;             // "Taxa Mensal": the monthly rate in percent
    CampoNumerico* edtVlrPrestacao;     // "Valor da Prestação": the instalment; blank to solve it
    QPushButton* BitBtn1;               // "&Calcula": solves the blank value from the other three
    QPushButton* bsair;                 // "SAIR": hides the window (cancels the dialog)
    QPushButton* btnImprime;            // "F12 - &Imprime": prints the schedule's listing
    QPushButton* btnOK;                 // "OK", only in the workbench's dialog: hands the values over

    // --- Event handlers.
    void FormActivate();     // the reset of an opening: date today, the four values empty
    void BitBtn1Click();     // solves the blank financed value or instalment into its field
    void bsairClick();       // hides the window; as the dialog, ends it with cancel
    void btnImprimeClick();  // prints the schedule's listing from the fields as they stand, without solving
    void btnOKClick();       // ends the workbench's dialog with OK, without solving

protected:
    void showEvent(QShowEvent* e) override;

private:
    // A count below 1 is said so, and the count's field takes the focus.
    bool ConfereNumPrestacao();
    void CriaTextos();
    void CriaCampos();
    void CriaBotoes();
    void CriaTeclas();

    bool emDialogo_ = false;
    bool semReset_ = false;
};

// Binds the window to the workbench: the type "Prestação Taxa Efetiva" runs
// CalculaPrice on the window's values, and choosing it in the type list opens
// the window as the workbench's dialog.
void LigaPostecipada(Tfrm_desconto_cheque* bancada, TfrmPostecipada* janela);

}  // namespace quantivo
