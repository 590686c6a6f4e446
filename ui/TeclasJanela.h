#pragma once
// The keys a receipt window sees before its controls: Enter moves to the next
// control as Tab does and is swallowed; Escape closes the window.
#include <QObject>

class QWidget;

namespace quantivo {

class TeclasJanela : public QObject {
    Q_OBJECT
public:
    // Watches every key meant for a widget of `janela` (not those of the
    // message boxes and dialogs it opens); lives as long as the window.
    explicit TeclasJanela(QWidget* janela);

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    QWidget* janela_;
};

}  // namespace quantivo
