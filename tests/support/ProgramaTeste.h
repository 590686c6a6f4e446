#pragma once
// App-test fixture: the program's windows as start-up creates them (all
// hidden, destroyed after the test), with the program's files in a temporary
// folder, on top of the window-test fixture.
#include <QTest>

#include "app/Janelas.h"
#include "tests/support/GuardaJanelas.h"
#include "tests/support/PastaDoPrograma.h"

namespace quantivo::teste {

class ProgramaTeste : public JanelaTeste {
protected:
    void SetUp() override {
        JanelaTeste::SetUp();
        ASSERT_TRUE(dir.isValid());
        CriaJanelas();
    }
    void TearDown() override {
        DestroiJanelas();
        JanelaTeste::TearDown();
    }
    // The main menu shown and active, as start-up leaves it.
    void MostraMenu() {
        frm_principal->show();
        QApplication::setActiveWindow(frm_principal);
        ASSERT_TRUE(QTest::qWaitForWindowActive(frm_principal));
    }

    PastaDoPrograma dir;
};

}  // namespace quantivo::teste
