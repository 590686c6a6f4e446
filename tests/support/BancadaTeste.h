#pragma once
// Workbench-test fixture: a workbench of its own, shown and active, on top of
// the window-test fixture.
#include <QTest>
#include <memory>

#include "tests/support/GuardaJanelas.h"
#include "windows/Calculo.h"

namespace quantivo::teste {

class BancadaTeste : public JanelaTeste {
protected:
    void SetUp() override {
        JanelaTeste::SetUp();
        f = std::make_unique<Tfrm_desconto_cheque>();
        f->show();
        QApplication::setActiveWindow(f.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    }
    void TearDown() override {
        f.reset();
        JanelaTeste::TearDown();
    }
    QString Celula(int l, int c) const { return f->grid->Modelo()->Celula(l, c); }

    std::unique_ptr<Tfrm_desconto_cheque> f;
};

}  // namespace quantivo::teste
