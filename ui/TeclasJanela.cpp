#include "ui/TeclasJanela.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quantivo {

TeclasJanela::TeclasJanela(QWidget* janela) : QObject(janela), janela_(janela) {
    qApp->installEventFilter(this);
}

bool TeclasJanela::eventFilter(QObject* alvo, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress || !alvo->isWidgetType()) return false;
    if (static_cast<QWidget*>(alvo)->window() != janela_) return false;
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    switch (tecla->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (tecla->modifiers() & ~Qt::KeypadModifier) return false;
            // Exactly what Tab does, radio groups and focus proxies included.
            if (QWidget* atual = janela_->focusWidget()) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QApplication::sendEvent(atual, &tab);
            }
            return true;
        case Qt::Key_Escape:
            janela_->close();
            return true;
        default:
            return false;
    }
}

}  // namespace quantivo
