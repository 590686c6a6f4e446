#pragma once
// Driving the program's own modal dialogs from outside their event loop: the
// actions run from the dialog's event loop, and a dialog the actions leave
// open is closed with a failure instead of hanging the caller.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "tests/support/Falha.h"

namespace quantivo::teste {

// Runs `acao` once `dialogo` is open as a modal dialog (made the active
// window first, so that keys reach its focused field). Call before the code
// that opens the dialog.
inline void QuandoAbrir(QDialog* dialogo, std::function<void()> acao) {
    QPointer<QDialog> d(dialogo);
    QTimer::singleShot(0, dialogo, [d, acao] {
        if (!d || !d->isVisible()) return Falha("the dialog did not open");
        QApplication::setActiveWindow(d);
        acao();
        if (d && d->isVisible()) {
            Falha("the dialog stayed open");
            d->reject();
        }
    });
}

// Runs `acao` on the next modal window that opens (one the caller does not
// hold yet, such as a window its road creates, or a dialog of Qt's), then
// closes it if `acao` left it open. Fails when none opens within `espera` ms.
inline void NaProximaModal(std::function<void(QWidget*)> acao, int espera = 3000) {
    QPointer<QWidget> antes = QApplication::activeModalWidget();
    auto* relogio = new QTimer(QCoreApplication::instance());
    auto inicio = std::make_shared<QElapsedTimer>();
    inicio->start();
    relogio->setInterval(10);
    QObject::connect(relogio, &QTimer::timeout, [relogio, inicio, antes, acao, espera] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        if (!w || w == antes) {
            if (inicio->elapsed() > espera) {
                relogio->deleteLater();
                relogio->stop();
                Falha("no modal window opened");
            }
            return;
        }
        relogio->stop();
        relogio->deleteLater();
        QApplication::setActiveWindow(w);
        acao(w);
        if (w && w->isVisible()) {
            if (auto* d = qobject_cast<QDialog*>(w.data()))
                d->reject();
            else
                w->close();
        }
    });
    relogio->start();
}

// The same for a window of a known class: fails when the one that opens is
// of another (NaProximaModal<TFPRIN>([](TFPRIN* r) { ... })).
template <class Janela>
void NaProximaModal(std::function<void(Janela*)> acao, int espera = 3000) {
    NaProximaModal(
        [acao](QWidget* w) {
            auto* j = qobject_cast<Janela*>(w);
            if (!j) return Falha(std::string("the modal window is a ") + w->metaObject()->className());
            acao(j);
        },
        espera);
}

// The next message box, a real one, answered as a user does: Enter on its
// focused button, through the window system's input. Its text goes to `texto`.
inline void EnterNaProximaCaixa(std::string* texto = nullptr) {
    NaProximaModal([texto](QWidget* w) {
        if (auto* m = qobject_cast<QMessageBox*>(w); m && texto) *texto = m->text().toStdString();
        if (QWindow* j = w->windowHandle()) QTest::keyClick(j, Qt::Key_Return);
    });
}

}  // namespace quantivo::teste
