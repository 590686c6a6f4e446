#pragma once
// The debt renegotiation dialog (TfrmRenegociacao). The upper group brings an
// overdue debt up to date with simple interest; the lower group takes the
// payment, the number of new instalments and the new rate, and confirms. The
// caller then hands the balance to the workbench, whose type "Renegociação de
// Dívidas" re-splits it (reading the number of instalments from here, since
// this window lives for the whole run and keeps its values when it closes).
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "ui/CampoData.h"
#include "ui/CampoNumerico.h"

namespace quantivo {

class Tfrm_desconto_cheque;

inline constexpr const char* kMsgCalculeDivida = "Necessário calcular o valor atual da divida";
inline constexpr const char* kMsgPagoMaior = "O valor pago é maior que o valor atualizado da dívida";
inline constexpr const char* kMsgInformePagamento = "Informe a data do pagamento";

class TfrmRenegociacao : public QDialog {
    Q_OBJECT
public:
    explicit TfrmRenegociacao(QWidget* parent = nullptr);

    // Opens the dialog owned by `dono` (whose activation rule then sees it as
    // its own dialog), reset. Returns the dialog's result.
    int AbreDialogo(QWidget* dono);

    // --- Controls, by the names the other windows use.
    // "ATUALIZA A DÍVIDA"
    CampoNumerico* edtVlrDivida;      // "Valor da Dívida": the overdue debt
    CampoData* dtVencimento;          // "Data do Vencimento": the debt's due date
    CampoNumerico* edtTaxa;           // "Taxa de Juros (ao mês)": the monthly simple interest in percent
    QPushButton* btnCalcula;          // "Calcula": brings the debt up to date
    CampoNumerico* edtVlrAtualizado;  // "Valor Atualizado": the updated debt (shown only)
    CampoNumerico* edtDias;           // "Número de dias": days from the due date to the update (shown only)
    CampoData* dtAtualizado;          // "Atualizar até o dia": the date the debt is updated to (today on opening)
    // "RENEGOCIA A DÍVIDA"
    CampoNumerico* edtVlrAtualizado2;  // "Vlr.Dívida atualizada": the updated debt again (shown only)
    CampoData* DateEdit1;              // "Data do pagamento" (box "Pagamento"): the payment date, the schedule's start
    CampoNumerico* edtVlrPago;         // "Valor pago" (box "Pagamento"): the sum paid now
    CampoNumerico* qtdParcelas;        // "Qtd.Prestação": the number of new instalments
    CampoNumerico* edtNovaTaxa;        // "Taxa de juros (ao mês)": the new monthly rate in percent
    QPushButton* BitBtn1;              // "Calcula Renegociação": confirms the dialog

    // --- Event handlers.
    void FormActivate();       // the reset of each opening
    void edtVlrDividaEnter();  // entering an input of the update empties the three results
    void btnCalculaClick();    // updates the debt into the results; the payment date becomes today
    void BitBtn1Click();       // checks the update was calculated, the payment and its date; ends with OK

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void CriaAtualiza();
    void CriaRenegocia();
};

// Binds the window to the workbench: the type "Renegociação de Dívidas" runs
// CalculaRenegociacao with this window's number of instalments, and choosing
// it in the type list opens this dialog (the balance and the new rate are
// then handed over and calculated).
void LigaRenegociacao(Tfrm_desconto_cheque* bancada, TfrmRenegociacao* janela);

// The main menu's "Renegociação de Dívidas": the dialog owned by `dono`; on
// confirmation the balance, the new rate and the payment date go into the
// workbench, its type becomes "Renegociação de Dívidas" (quietly), it
// calculates and, unless the calculation ended with an error report, it is
// shown. Returns whether the workbench was shown.
bool RenegociaDoMenu(Tfrm_desconto_cheque* bancada, TfrmRenegociacao* janela, QWidget* dono = nullptr);

}  // namespace quantivo
