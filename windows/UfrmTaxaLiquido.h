#pragma once
// The small dialog of the rate for a wanted net value (TfrmTaxaLiquido): the
// net the customer wants today, in reais. Opened by the workbench's
// "F9 - Taxa p/ líquido" as a modal dialog; OK (or Enter) gives the value.
#include <QDialog>

class QPushButton;

namespace quantivo {

class CampoNumerico;

class TfrmTaxaLiquido : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTaxaLiquido(QWidget* parent = nullptr);

    // The wanted net, as the field holds it (two decimals).
    long double Liquido() const;

private:
    CampoNumerico* edtLiquido;  // "Líquido desejado (R$)"
    QPushButton* btnOK;         // "OK": searches the rate
    QPushButton* btnCancela;    // "Cancelar": nothing changes
};

}  // namespace quantivo
