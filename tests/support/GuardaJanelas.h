#pragma once
// Window-test fixture: every message goes to a recorder, today is fixed, and a
// watchdog fails the test (and closes the dialog) when a real modal dialog
// opens, so that a test can never hang on one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <ostream>

#include "core/Datas.h"
#include "core/Mensagens.h"
#include "ui/Servicos.h"

// Readable QStrings in gtest's failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace quantivo::teste {

class GuardaModal {
public:
    GuardaModal() {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Verifica(); });
        timer_.start();
    }
    // Dialogs a test opens on purpose and closes itself.
    void Permite(bool permitir) { permitir_ = permitir; }

private:
    void Verifica() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || permitir_) return;
        ADD_FAILURE() << "a modal dialog opened: " << modal->metaObject()->className() << " \""
                      << modal->windowTitle().toStdString() << "\"";
        if (auto* d = qobject_cast<QDialog*>(modal))
            d->reject();
        else
            modal->close();
    }
    QTimer timer_;
    bool permitir_ = false;
};

// The control Tab goes to from `w`: the next one in the focus chain that
// takes the focus by Tab.
inline QWidget* ProximoNoTab(QWidget* w) {
    QWidget* p = w->nextInFocusChain();
    while (p && !(p->focusPolicy() & Qt::TabFocus)) p = p->nextInFocusChain();
    return p;
}

class JanelaTeste : public ::testing::Test {
protected:
    void SetUp() override {
        DefineServicoMensagens(&msgs);
        DefineHoje(*CodificaData(2007, 12, 28));
        DefineAbreUrl([this](const QString& u) { urls.push_back(u); });
        DefineAbreArquivo([this](const QString& c) {
            arquivos.push_back(c);
            return abreArquivos;
        });
    }
    void TearDown() override {
        DefineServicoMensagens(nullptr);
        DefineHoje(std::nullopt);
        DefineAbreUrl({});
        DefineAbreArquivo({});
    }
    static Data D(int a, int m, int d) { return *CodificaData(a, m, d); }

    MensageiroGravador msgs;
    GuardaModal guarda;
    QStringList urls, arquivos;
    bool abreArquivos = true;  // what the file opener answers
};

}  // namespace quantivo::teste
