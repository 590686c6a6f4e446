#pragma once
// Workbench-test fixture: a workbench of its own, shown and active, on top of
// the window-test fixture.
#include <QTest>
#include <memory>

#include "tests/support/ControlesBancada.h"
#include "tests/support/GuardaJanelas.h"
#include "windows/Calculo.h"

namespace quantivo::teste {

class BancadaTeste : public JanelaTeste {
protected:
    void SetUp() override {
        JanelaTeste::SetUp();
        f = std::make_unique<Tfrm_desconto_cheque>();
        ctl = Controles(f);
        f->show();
        QApplication::setActiveWindow(f.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    }
    void TearDown() override {
        f.reset();
        JanelaTeste::TearDown();
    }
    QString Celula(int l, int coluna) const { return ctl.grid->Modelo()->Celula(l, coluna); }

    std::unique_ptr<Tfrm_desconto_cheque> f;
    ControlesBancada ctl;  // f's controls
};

}  // namespace quantivo::teste
