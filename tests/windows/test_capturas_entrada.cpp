// Screenshots of the two entry windows, for looking at them. Runs only when
// QUANTIVO_CAPTURAS names a directory (e.g. under Xvfb with the xcb platform).
#include <QDir>
#include <QTest>

#include "tests/support/GuardaJanelas.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

using namespace quantivo;

class CapturasEntrada : public teste::JanelaTeste {};

TEST_F(CapturasEntrada, SalvaAsDuasJanelas) {
    const QString dir = qEnvironmentVariable("QUANTIVO_CAPTURAS");
    if (dir.isEmpty()) GTEST_SKIP() << "QUANTIVO_CAPTURAS not set";
    QDir().mkpath(dir);
    Tfrm_desconto_cheque bancada;

    auto mostra = [](JanelaEntrada& j) {
        j.setWindowModality(Qt::NonModal);
        j.show();
        QApplication::setActiveWindow(&j);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&j));
        j.edtTaxa->DefineValor(3);
        j.edtTAC->DefineValor(2);
        j.edtIOF->DefineValor(0.0041L);
        j.edtTARIFA->DefineValor(2);
    };
    {
        auto* j = new Tfrm_desconto(nullptr, &bancada);
        mostra(*j);
        const char* cheques[][4] = {{"31/12/07", "1000", "001/123456", "Maria da Silva"},
                                    {"26/01/08", "500", "237/004411", "José Souza"},
                                    {"15/02/08", "2500,50", "104/778899", "Comercial Exemplo"}};
        for (int l = 0; l < 3; ++l)
            for (int c = 0; c < 4; ++c) j->grid_pre->Modelo()->DefineCelula(l, c, QString::fromUtf8(cheques[l][c]));
        j->data_ref->setFocus();
        QTest::qWait(200);
        EXPECT_TRUE(j->grab().save(dir + "/desconto.png"));
        j->close();
    }
    {
        auto* j = new Tfrm_venda_por_fora(nullptr, &bancada);
        mostra(*j);
        j->edtVlrFinanciado->DefineValor(5000);
        const char* datas[] = {"20/06/07", "30/06/07", "15/07/07"};
        for (int l = 0; l < 3; ++l) j->grid_pre->Modelo()->DefineCelula(l, 0, QString::fromLatin1(datas[l]));
        j->data_ref->setFocus();
        QTest::qWait(200);
        EXPECT_TRUE(j->grab().save(dir + "/venda_certa.png"));
        j->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The keyboard at work: 20 cheques typed with Enter (whole rows at the top),
// the focus frame after Enter, and the notice after F10 in the workbench.
TEST_F(CapturasEntrada, SalvaOTecladoEmUso) {
    const QString dir = qEnvironmentVariable("QUANTIVO_CAPTURAS");
    if (dir.isEmpty()) GTEST_SKIP() << "QUANTIVO_CAPTURAS not set";
    QDir().mkpath(dir);
    const auto tecla = [](Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QCoreApplication::processEvents();
    };
    const auto digita = [](const QString& s) {
        for (QChar c : s) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    };
    Tfrm_desconto_cheque bancada;
    {
        auto* j = new Tfrm_desconto(nullptr, &bancada);
        j->setWindowModality(Qt::NonModal);
        j->show();
        QApplication::setActiveWindow(j);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(j));
        j->grid_pre->setFocus(Qt::TabFocusReason);
        for (int i = 1; i <= 20; ++i) {
            digita(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')) + "0108");
            tecla(Qt::Key_Return);
            digita(QString::number(100 * i));
            tecla(Qt::Key_Return);
            digita("001/" + QString::number(4400 + i));
            tecla(Qt::Key_Return);
            digita("Cliente " + QString::number(i));
            if (i < 20) tecla(Qt::Key_Return);
        }
        QTest::qWait(200);
        EXPECT_TRUE(j->grab().save(dir + "/entrada-vinte-cheques.png"));
        j->CheckBox1->setFocus(Qt::MouseFocusReason);
        j->edtTARIFA->setFocus(Qt::MouseFocusReason);
        tecla(Qt::Key_Return);  // on to the clearing box, as by Tab
        QTest::qWait(200);
        EXPECT_TRUE(j->grab().save(dir + "/entrada-foco-enter.png"));
        j->close();
    }
    bancada.show();
    QApplication::setActiveWindow(&bancada);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bancada));
    bancada.btnLimpa->setFocus(Qt::MouseFocusReason);
    tecla(Qt::Key_Return);  // on to "F12 - &Imprime"
    QTest::qWait(200);
    EXPECT_TRUE(bancada.grab().save(dir + "/bancada-foco-enter.png"));
    tecla(Qt::Key_F10);
    QTest::qWait(200);
    EXPECT_TRUE(bancada.grab().save(dir + "/bancada-f10.png"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
