#pragma once
// The workbench's controls, as a test reaches them from outside: the window
// keeps them to itself, and each is found by the object name it carries
// (its name in the rules), among the widgets of the workbench's own window,
// not of a dialog it opened.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "ui/CampoData.h"
#include "ui/CampoNumerico.h"
#include "windows/Calculo.h"
#include "windows/GradeParcelas.h"

namespace quantivo::teste {

struct ControlesBancada {
    CampoData* data_ref = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    CampoNumerico* edtTAC = nullptr;
    CampoNumerico* edtIOF = nullptr;
    QComboBox* cbTipoTarifa = nullptr;
    CampoNumerico* edtTARIFA = nullptr;
    GradeParcelas* grid = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* LabelCET = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QPushButton* btnFeriados = nullptr;
    QPushButton* btnCalcula = nullptr;
    QPushButton* btnTaxa = nullptr;
    QPushButton* btnLimpa = nullptr;
    QPushButton* btnImprime = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* btnFecha = nullptr;
    QPushButton* btnrecibo = nullptr;
    QPushButton* btnSalva = nullptr;
    QPushButton* btnOperacoes = nullptr;
    QStatusBar* Status = nullptr;
};

namespace detalhe {
template <class T>
void Acha(const QWidget* bancada, T*& controle, const char* nome) {
    controle = nullptr;
    for (T* c : bancada->findChildren<T*>(QString::fromLatin1(nome))) {
        const auto* w = qobject_cast<const QWidget*>(c);
        if (!w || w->window() == bancada) {
            controle = c;
            return;
        }
    }
    // A renamed control: every test would otherwise fail on a null pointer.
    std::fprintf(stderr, "A bancada não tem o controle %s\n", nome);
    std::abort();
}
}  // namespace detalhe

inline ControlesBancada Controles(const QWidget* bancada) {
    ControlesBancada c;
#define QUANTIVO_ACHA(nome) detalhe::Acha(bancada, c.nome, #nome)
    QUANTIVO_ACHA(data_ref);
    QUANTIVO_ACHA(Label4);
    QUANTIVO_ACHA(Edit6);
    QUANTIVO_ACHA(Edit1);
    QUANTIVO_ACHA(ComboBox1);
    QUANTIVO_ACHA(edtTAC);
    QUANTIVO_ACHA(edtIOF);
    QUANTIVO_ACHA(cbTipoTarifa);
    QUANTIVO_ACHA(edtTARIFA);
    QUANTIVO_ACHA(grid);
    QUANTIVO_ACHA(Edit2);
    QUANTIVO_ACHA(Label15);
    QUANTIVO_ACHA(Label12);
    QUANTIVO_ACHA(Label13);
    QUANTIVO_ACHA(Label14);
    QUANTIVO_ACHA(LabelCET);
    QUANTIVO_ACHA(CheckBox1);
    QUANTIVO_ACHA(CheckBox2);
    QUANTIVO_ACHA(btnFeriados);
    QUANTIVO_ACHA(btnCalcula);
    QUANTIVO_ACHA(btnTaxa);
    QUANTIVO_ACHA(btnLimpa);
    QUANTIVO_ACHA(btnImprime);
    QUANTIVO_ACHA(SpeedButton2);
    QUANTIVO_ACHA(btnFecha);
    QUANTIVO_ACHA(btnrecibo);
    QUANTIVO_ACHA(btnSalva);
    QUANTIVO_ACHA(btnOperacoes);
    QUANTIVO_ACHA(Status);
#undef QUANTIVO_ACHA
    return c;
}
inline ControlesBancada Controles(const QWidget& bancada) { return Controles(&bancada); }
inline ControlesBancada Controles(const std::unique_ptr<Tfrm_desconto_cheque>& bancada) {
    return Controles(bancada.get());
}

}  // namespace quantivo::teste
