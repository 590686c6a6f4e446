#pragma once
// Driving the program's own modal dialogs from a test: the actions run from
// the dialog's event loop, and a dialog the actions leave open is rejected
// with a failure instead of hanging the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace quantivo::teste {

// Keys go where a user's keys go: to the widget with the focus.
inline void Tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    QTest::keyPress(w, k, m);
    QCoreApplication::processEvents();
    if (QWidget* x = QApplication::focusWidget()) QTest::keyRelease(x, k, m);
    QCoreApplication::processEvents();
}

inline void Digita(const QString& s) {
    for (QChar c : s) {
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        QTest::keyClick(w, c.toLatin1());
        QCoreApplication::processEvents();
    }
}

// Runs `acao` once `dialogo` is open as a modal dialog (made the active
// window first, so that keys reach its focused field). Call before the code
// that opens the dialog.
inline void QuandoAbrir(QDialog* dialogo, std::function<void()> acao) {
    QPointer<QDialog> d(dialogo);
    QTimer::singleShot(0, dialogo, [d, acao] {
        if (!d || !d->isVisible()) {
            ADD_FAILURE() << "the dialog did not open";
            return;
        }
        QApplication::setActiveWindow(d);
        acao();
        if (d && d->isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            d->reject();
        }
    });
}

// Runs `acao` on the next modal window that opens (one the test does not
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
                ADD_FAILURE() << "no modal window opened";
            }
            return;
        }
        relogio->stop();
        relogio->deleteLater();
        QApplication::setActiveWindow(w);
        acao(w);
        if (w && w->isVisible()) {
            if (auto* d = qobject_cast<QDialog*>(w.data())) d->reject();
            else w->close();
        }
    });
    relogio->start();
}

}  // namespace quantivo::teste
