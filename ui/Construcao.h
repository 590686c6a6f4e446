#pragma once
// Small helpers every window's constructor uses: naming controls, placing
// captions, the tab order, centring on the screen and opening a window that
// lives on as another window's modal dialog.
#include <QLabel>
#include <QPoint>
#include <QRect>
#include <QString>
#include <initializer_list>

class QDialog;
class QWidget;

namespace quantivo {

// Gives the control the name the other windows and the tests know it by.
template <class W>
W* Nomeia(W* w, const char* nome) {
    w->setObjectName(QLatin1String(nome));
    return w;
}

// A caption in the given box, or at a point and as large as its text; tied to
// `companheiro` (a screen reader reads it as that control's caption, and its
// "&" letter moves the focus there).
QLabel* Rotulo(QWidget* pai, const QString& texto, const QRect& geo, QWidget* companheiro = nullptr);
QLabel* Rotulo(QWidget* pai, const QString& texto, QPoint pos, QWidget* companheiro = nullptr);

// Tab and Enter go through the controls in this order.
void DefineOrdemTab(std::initializer_list<QWidget*> ordem);

// Places a top-level window in the middle of its screen.
void CentraNaTela(QWidget* janela);
// ... the first time it is shown (later the user's placing stands).
void CentraAoMostrar(QWidget* janela);

// Runs `dialogo` (a window that lives on between openings) as a modal dialog
// over `dono`, its parent only for the time it is open; an open free window
// is hidden first, since a visible window cannot turn modal in place.
// Returns the dialog's result.
int ExecComoDialogoDe(QDialog* dialogo, QWidget* dono);

}  // namespace quantivo
