// From the main menu's buttons through the entry windows to the workbench,
// the program's windows as start-up creates them.
#include <QTest>
#include <QTimer>

#include "tests/support/ControlesBancada.h"
#include "tests/support/ProgramaTeste.h"
#include "tests/support/Teclas.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

using namespace quantivo;
using teste::Campos;
using teste::Controles;
using teste::Tecla;

namespace {

// A click as the window system delivers it, so that a window blocked by a
// modal one does not get it (QTest's widget clicks go straight to the widget).
void ClicaPelaJanela(QWidget* w) {
    QWidget* janela = w->window();
    QTest::mouseClick(janela->windowHandle(), Qt::LeftButton, {}, w->mapTo(janela, w->rect().center()));
    QCoreApplication::processEvents();
}

class MenuEntrada : public teste::ProgramaTeste {
protected:
    void SetUp() override {
        ProgramaTeste::SetUp();
        MostraMenu();
    }
    // Clicks a main-menu button and runs `passos` in the modal window it
    // opens; a window the steps leave open is closed as the user would.
    void Clica(QPushButton* botao, const std::function<void(JanelaEntrada&)>& passos) {
        guarda.Permite(true);
        bool rodou = false;
        QTimer::singleShot(0, [&] {
            auto* j = qobject_cast<JanelaEntrada*>(QApplication::activeModalWidget());
            if (!j) return ADD_FAILURE() << "no entry window";
            QApplication::setActiveWindow(j);
            EXPECT_TRUE(QTest::qWaitForWindowActive(j));
            EXPECT_EQ(j->parentWidget(), frm_principal.data());  // modal over the main menu
            rodou = true;
            passos(*j);
            if (j->isVisible()) {
                ficouAberta = true;
                j->close();
            }
        });
        QTest::mouseClick(botao, Qt::LeftButton);
        guarda.Permite(false);
        EXPECT_TRUE(rodou);
        EXPECT_TRUE(frm_desconto.isNull());
        EXPECT_TRUE(frm_venda_por_fora.isNull());
    }
    bool ficouAberta = false;
};

}  // namespace

TEST_F(MenuEntrada, DescontoDeChequeDoBotaoAteOsTotais) {
    Clica(frm_principal->SpeedButton5, [](JanelaEntrada& j) {
        EXPECT_EQ(j.windowTitle(), "Desconto de Cheques");
        Campos({"281207", "3", "2", "0,0041", "", "2"});  // Enter after the fee: on to the first date
        teste::DigitaLinhas({{"311207", "1000"}, {"260108", "500"}, {"150208", "2500,50"}});
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    Tfrm_desconto_cheque& b = *frm_desconto_cheque;
    EXPECT_TRUE(b.isVisible());
    EXPECT_EQ(Controles(b).Edit2->text(), "4.000,50");
    EXPECT_EQ(Controles(b).Label12->text(), "TAC   = 80,01");
    EXPECT_EQ(Controles(b).Label13->text(), "IOF   = 4,92");
    EXPECT_EQ(Controles(b).Label14->text(), "Juros = 151,53");
    EXPECT_EQ(Controles(b).Edit6->text(), "3.758,04");
    EXPECT_EQ(Controles(b).Label15->text(), "Tarifa= 6,00");
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(MenuEntrada, VendaCertaDoBotaoAteOsValores) {
    Clica(frm_principal->SpeedButton6, [](JanelaEntrada& j) {
        EXPECT_EQ(j.windowTitle(), "Venda Certa (Desconto Inverso)");
        Campos({"010607", "5", "1", "0,0041", "", "2", "5000"});
        teste::DigitaLinhas({{"200607"}, {"300607"}, {"150707"}});
        Tecla(Qt::Key_F5);
    });
    EXPECT_FALSE(ficouAberta);
    Tfrm_desconto_cheque& b = *frm_desconto_cheque;
    for (int r = 0; r < 3; ++r) EXPECT_EQ(Controles(b).grid->Modelo()->Celula(r, 1), "1.789,44");
    EXPECT_EQ(Controles(b).Edit2->text(), "5.368,31");
    EXPECT_EQ(Controles(b).Label14->text(), "Juros = 301,22");
    EXPECT_TRUE(msgs.mensagens.empty());
}

// After a stopped hand-over the workbench takes the user's clicks while the
// entry window waits over it; the main menu stays blocked.
TEST_F(MenuEntrada, AposParadaABancadaAtendeEOMenuNao) {
    int abriuVenda = 0;
    Clica(frm_principal->SpeedButton5, [&](JanelaEntrada& j) {
        j.edtTaxa->DefineValor(3);
        j.grid_pre->Modelo()->DefineLinhas({Parcela{"31/12/07", "1,500,00", "", "", ""}});
        Tecla(Qt::Key_F5);
        ASSERT_TRUE(j.isVisible());
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"'1,500,00' is not a valid floating point value"});
        ClicaPelaJanela(Controles(frm_desconto_cheque).btnLimpa);
        EXPECT_EQ(Controles(frm_desconto_cheque).Edit1->text(), "0");  // the workbench took the click
        const auto antes = frm_principal->abreVendaCerta;
        frm_principal->abreVendaCerta = [&] { ++abriuVenda; };
        ClicaPelaJanela(frm_principal->SpeedButton6);
        frm_principal->abreVendaCerta = antes;
        EXPECT_EQ(j.grid_pre->Modelo()->Celula(0, 1), "1,500,00");
    });
    EXPECT_TRUE(ficouAberta);
    EXPECT_EQ(abriuVenda, 0);
}

// The workbench, open already behind the main menu, takes the keyboard after
// the hand-over: F10 pressed at once clears it.
TEST_F(MenuEntrada, AposEntregaComBancadaAbertaF10LogoEmSeguidaLimpaABancada) {
    frm_desconto_cheque->show();
    QApplication::setActiveWindow(frm_principal);
    ASSERT_TRUE(QTest::qWaitForWindowActive(frm_principal));
    Clica(frm_principal->SpeedButton5, [](JanelaEntrada& j) {
        j.edtTaxa->DefineValor(3);
        j.grid_pre->Modelo()->DefineLinhas({Parcela{"31/12/07", "1000", "", "", ""}});
        Tecla(Qt::Key_F5);
    });
    ASSERT_FALSE(ficouAberta);
    Tecla(Qt::Key_F10);
    Tfrm_desconto_cheque& b = *frm_desconto_cheque;
    EXPECT_EQ(Controles(b).Edit1->text(), "0");
    EXPECT_EQ(Controles(b).grid->Modelo()->Celula(0, 0), "");
    EXPECT_TRUE(Controles(b).Edit6->hasFocus());
}
