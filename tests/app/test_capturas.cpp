// Screenshots of the three windows and of Qt's dialogs, for looking at them. Runs only when
// QUANTIVO_CAPTURAS names a directory (e.g. under Xvfb with the xcb platform).
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/Janelas.h"
#include "output/Arquivos.h"
#include "output/F_PRIN.h"
#include "tests/support/Dialogos.h"
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

// Qt's own dialogs as the program opens them, in Portuguese: the print dialog
// of the listing, the receipt preview, and a field's context menu.
TEST_F(Capturas, SalvaOsDialogosDoQt) {
    const QString dir = qEnvironmentVariable("QUANTIVO_CAPTURAS");
    if (dir.isEmpty()) GTEST_SKIP() << "QUANTIVO_CAPTURAS not set";
    QDir().mkpath(dir);
    guarda.Permite(true);
    QTemporaryDir programa;
    DefineDiretorioPrograma(programa.path());
    QFile ini(programa.filePath(QStringLiteral("valida.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Cadastro]\r\nNome=Maria da Silva\r\nAtividade=Tecidos\r\nEndereco=Rua das Flores, 100\r\nCidade=Recife\r\n"
              "Assinatura=Maria\r\nVias=2\r\n");
    ini.close();
    CriaJanelas();
    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    f->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
    f->ComboBox1->setCurrentIndex(0);
    const auto captura = [&dir](const QString& nome) {
        return [&dir, nome](QWidget* w) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
            QTest::qWait(300);
            EXPECT_TRUE(w->grab().save(dir + "/" + nome));
        };
    };
    teste::NaProximaModal(captura(QStringLiteral("dialogo-impressao.png")));
    f->btnImprime->click();

    std::unique_ptr<QMenu> menu(f->Edit1->createStandardContextMenu());
    menu->popup(f->Edit1->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu.get()));
    QTest::qWait(200);
    EXPECT_TRUE(menu->grab().save(dir + "/menu-contexto.png"));
    menu.reset();  // before its field goes with the windows

    teste::NaProximaModal([&](QWidget* w) {
        auto* r = qobject_cast<TFPRIN*>(w);
        ASSERT_NE(r, nullptr);
        r->tvalor->DefineValor(1234.5L);
        r->CurrencyEdit1Exit();
        r->trecebi->setText(QStringLiteral("João Cliente"));
        r->treferente->setText(QStringLiteral("Aluguel de março"));
        teste::NaProximaModal(captura(QStringLiteral("previa-recibo.png")));
        r->SpeedButton5->click();
    });
    f->btnrecibo->click();
    DestroiJanelas();
    DefineDiretorioPrograma({});
}
