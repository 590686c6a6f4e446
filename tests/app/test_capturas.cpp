// Screenshots of the three windows, for looking at them. Runs only when
// QUANTIVO_CAPTURAS names a directory (e.g. under Xvfb with the xcb platform).
#include <QDir>
#include <QTest>

#include "app/Janelas.h"
#include "tests/support/GuardaJanelas.h"

using namespace quantivo;

class Capturas : public teste::JanelaTeste {};

TEST_F(Capturas, SalvaAsTresJanelas) {
    const QString dir = qEnvironmentVariable("QUANTIVO_CAPTURAS");
    if (dir.isEmpty()) GTEST_SKIP() << "QUANTIVO_CAPTURAS not set";
    QDir().mkpath(dir);
    CriaJanelas();
    frm_principal->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm_principal));
    QTest::mouseMove(frm_principal->SpeedButton5);
    QTest::qWait(200);
    EXPECT_TRUE(frm_principal->grab().save(dir + "/principal.png"));

    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    f->show();
    QApplication::setActiveWindow(f);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    f->data_ref->DefineData(D(2007, 12, 28));
    f->Edit1->setText("3");
    f->edtTAC->DefineValor(2);
    f->edtIOF->DefineValor(0.0041L);
    f->edtTARIFA->DefineValor(2);
    f->cbTipoTarifa->setCurrentIndex(0);
    f->ComboBox1->setCurrentIndex(0);
    const char* cheques[][4] = {{"31/12/07", "1000", "001/123456", "Maria da Silva"},
                                {"26/01/08", "500", "237/004411", "José Souza"},
                                {"15/02/08", "2500,50", "104/778899", "Comercial Exemplo Ltda"}};
    for (int l = 0; l < 3; ++l)
        for (int c = 0; c < 4; ++c) f->grid->Modelo()->DefineCelula(l, c, QString::fromUtf8(cheques[l][c]));
    f->btnCalcula->click();
    f->data_refChange();
    f->grid->setFocus();
    QTest::qWait(200);
    EXPECT_TRUE(f->grab().save(dir + "/bancada.png"));

    frm_Ajuda = new Tfrm_Ajuda(f);
    frm_Ajuda->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm_Ajuda));
    QTest::qWait(200);
    EXPECT_TRUE(frm_Ajuda->grab().save(dir + "/ajuda.png"));
    DestroiJanelas();
}
