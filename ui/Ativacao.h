#pragma once
// Which of the program's windows was active before the one being activated.
// Qt activates a window again when a message box or dialog it opened itself
// closes; a window's reset (FormActivate) must run only when the user comes
// from another window of the program, or when the window is first shown.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace quantivo {

// Shows a window the user works in next and makes it the active window, with
// the keyboard, whether it was hidden or open already behind another.
void TrazParaOTrabalho(QWidget* janela);

class Ativacao : public QObject {
    Q_OBJECT
public:
    // Calls `aoAtivar` each time `janela` becomes active after another of the
    // program's windows (or after none), not after one of its own dialogs.
    Ativacao(QWidget* janela, std::function<void()> aoAtivar);
    ~Ativacao() override;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QWidget* janela_;
    std::function<void()> aoAtivar_;
};

}  // namespace quantivo
