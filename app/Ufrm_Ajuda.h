#pragma once
// The help window of the workbench: three framed panels, each a title and a
// text, the e-mail line and the close button.
#include <QDialog>
#include <QPushButton>

namespace quantivo {

class Tfrm_Ajuda : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Ajuda(QWidget* parent = nullptr);
    QPushButton* btnFecha;  // "F2 - &Fecha": closes the window (F2 too)
};

}  // namespace quantivo
