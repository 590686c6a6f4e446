#pragma once
// Driving the program's own modal dialogs from a test: the actions run from
// the dialog's event loop, and a dialog the actions leave open is rejected
// with a failure instead of hanging the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

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

}  // namespace quantivo::teste
