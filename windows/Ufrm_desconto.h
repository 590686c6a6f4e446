#pragma once
// The cheque-discount entry window (Tfrm_desconto), "Desconto de Cheques": the
// guided way into a cheque discount. The user types the general data and the
// cheques and presses "F5 - CONTINUA"; the window checks them, hands them to
// the workbench as a cheque discount, has the workbench calculate, and closes.
#include <QPointer>

#include "windows/JanelaEntrada.h"

namespace quantivo {

class Tfrm_desconto : public JanelaEntrada {
    Q_OBJECT
public:
    explicit Tfrm_desconto(QWidget* parent, Tfrm_desconto_cheque* bancada);

    void edtTaxaExit();            // leaving "Taxa (%)": warns when the rate is not above 0
    void BitBtn1Click() override;  // "F5 - CONTINUA": checks, hands the cheques to the workbench and calculates
};

// The program-wide reference; empty while the window does not exist.
extern QPointer<Tfrm_desconto> frm_desconto;

// The main menu's "Desconto de Cheque": creates the window if it does not
// exist, shows it modally over `pai`, and makes sure it is destroyed when it
// returns.
void AbreDescontoCheque(QWidget* pai, Tfrm_desconto_cheque* bancada);

}  // namespace quantivo
