#pragma once
// Keys and typing as a user gives them: to the widget with the focus, each
// followed by a turn of the event loop.
#include <QApplication>
#include <QTest>
#include <initializer_list>
#include <vector>

#include "tests/support/Falha.h"

namespace quantivo::teste {

// One key; the release goes where the focus is after the press (the press may
// have moved it).
inline void Tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QWidget* w = QApplication::focusWidget();
    if (!w) return Falha("no widget has the focus for a key");
    QTest::keyPress(w, k, m);
    QCoreApplication::processEvents();
    if (QWidget* x = QApplication::focusWidget()) QTest::keyRelease(x, k, m);
    QCoreApplication::processEvents();
}

// The text's characters, one key each.
inline void Digita(const QString& s) {
    for (QChar c : s) {
        QWidget* w = QApplication::focusWidget();
        if (!w) return Falha("no widget has the focus for typing");
        QTest::keyClick(w, c.toLatin1());
        QCoreApplication::processEvents();
    }
}

// The text's characters at a typist's speed (about 25 keys a second), with
// the event loop turning between them.
inline void DigitaAoRitmo(const QString& s, int pausa = 40) {
    for (QChar c : s) {
        QWidget* w = QApplication::focusWidget();
        if (!w) return Falha("no widget has the focus for typing");
        QTest::keyClick(w, c.toLatin1());
        QTest::qWait(pausa);
    }
}

// Types each field's text and moves on with Enter, as a user at the counter
// does ("" only presses Enter).
inline void Campos(std::initializer_list<QString> textos) {
    for (const QString& t : textos) {
        Digita(t);
        Tecla(Qt::Key_Return);
    }
}

// Rows typed into the grid that has the focus, from its current cell: a
// row's cells with Right between them, then Down (which adds a row at the
// end) and Left back to the row's first column.
inline void DigitaLinhas(const std::vector<std::vector<QString>>& linhas) {
    for (std::size_t r = 0; r < linhas.size(); ++r) {
        if (r > 0) {
            Tecla(Qt::Key_Down);
            for (std::size_t c = 1; c < linhas[r - 1].size(); ++c) Tecla(Qt::Key_Left);
        }
        for (std::size_t c = 0; c < linhas[r].size(); ++c) {
            if (c > 0) Tecla(Qt::Key_Right);
            Digita(linhas[r][c]);
        }
    }
}

}  // namespace quantivo::teste
