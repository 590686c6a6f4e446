#pragma once
// The inverse-discount entry window (Tfrm_venda_por_fora), "Venda Certa
// (Desconto Inverso)": the twin of the cheque-discount entry window. The user
// types the general data, the sum the customer wants and the due dates the
// customer offers; the workbench finds the value of each cheque.
#include <QPointer>

#include "windows/JanelaEntrada.h"

namespace quantivo {

class Tfrm_venda_por_fora : public JanelaEntrada {
    Q_OBJECT
public:
    explicit Tfrm_venda_por_fora(QWidget* parent, Tfrm_desconto_cheque* bancada);

    CampoNumerico* edtVlrFinanciado = nullptr;  // "Valor Financiado": the sum the customer wants to buy or borrow

    void edtVlrFinanciadoExit();   // leaving the financed value: warns when it is not above 0
    void BitBtn1Click() override;  // "F5 - CONTINUA": checks, hands the dates to the workbench and calculates
};

// The program-wide reference; empty while the window does not exist.
extern QPointer<Tfrm_venda_por_fora> frm_venda_por_fora;

// The main menu's "Venda certa": creates the window if it does not exist,
// shows it modally over `pai`, and makes sure it is destroyed when it returns.
void AbreVendaPorFora(QWidget* pai, Tfrm_desconto_cheque* bancada);

}  // namespace quantivo
