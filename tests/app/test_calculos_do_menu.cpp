// The main menu's "Prestação Taxa Efetiva" and "Renegociação de Dívidas", and
// the workbench's type list reaching the same windows, in the program as
// start-up builds it.
#include <QTest>

#include "tests/support/ControlesBancada.h"
#include "tests/support/Dialogos.h"
#include "tests/support/Exemplos.h"
#include "tests/support/ProgramaTeste.h"
#include "tests/support/Teclas.h"

using namespace quantivo;
using teste::Campos;
using teste::Controles;
using teste::QuandoAbrir;
using teste::Tecla;

namespace {

class CalculosDoMenu : public teste::ProgramaTeste {
protected:
    void SetUp() override {
        ProgramaTeste::SetUp();
        guarda.Permite(true);  // QuandoAbrir closes what it opens
        MostraMenu();
    }
    QString Celula(int l, int c) const { return Controles(frm_desconto_cheque).grid->Modelo()->Celula(l, c); }
};

}  // namespace

TEST_F(CalculosDoMenu, RenegociacaoAteAsDozeParcelas) {
    TfrmRenegociacao* r = frmRenegociacao;
    QuandoAbrir(r, [r] {
        teste::DigitaDividaDoExemplo(*r);  // 1000,00 due 01/03/08 at 3 %, to 15/04/08
        Tecla(Qt::Key_Space);              // "Calcula"
        EXPECT_EQ(r->edtDias->text(), "45");
        EXPECT_EQ(r->edtVlrAtualizado->text(), "R$ 1.045,00");
        EXPECT_EQ(r->edtVlrAtualizado2->text(), "R$ 1.045,00");
        EXPECT_TRUE(r->DateEdit1->hasFocus());
        EXPECT_EQ(r->DateEdit1->Data(), Hoje());
        // Paid 45,00 on 15/04/08; 12 instalments at 2 %.
        Campos({"150408", "45", "12", "2"});
        EXPECT_TRUE(r->BitBtn1->hasFocus());
        Tecla(Qt::Key_Space);  // "Calcula Renegociação"
    });
    frm_principal->SpeedButton8->click();

    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{});
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(r->isVisible());  // opened once: the quiet type change did not reopen it
    EXPECT_EQ(Controles(f).Edit6->text(), "1000");
    EXPECT_EQ(Controles(f).Edit1->text(), "2");
    EXPECT_EQ(Controles(f).data_ref->Data(), D(2008, 4, 15));
    EXPECT_EQ(Controles(f).ComboBox1->currentText(), "Renegociação de Dívidas");
    ASSERT_EQ(Controles(f).grid->Modelo()->NumeroLinhas(), 12);
    EXPECT_EQ(Celula(0, 0), "15/05/08");
    EXPECT_EQ(Celula(11, 0), "15/04/09");
    for (int l = 0; l < 12; ++l) EXPECT_EQ(Celula(l, 1), "94,56") << l;
    EXPECT_EQ(Controles(f).Edit2->text(), "1.134,72");
    // F5 again recomputes from the workbench and the window's count, kept after it closed.
    Controles(f).Edit1->setText("3");
    Controles(f).btnCalcula->click();
    EXPECT_EQ(Celula(0, 1), "100,46");
}

TEST_F(CalculosDoMenu, RenegociacaoDoMenuDeixaABancadaAtivaComOFocoNaData) {
    frm_desconto_cheque->show();
    QApplication::setActiveWindow(frm_principal);
    TfrmRenegociacao* r = frmRenegociacao;
    QuandoAbrir(r, [r] {
        r->edtVlrDivida->DefineValor(1000);
        r->dtVencimento->DefineData(*CodificaData(2007, 11, 28));
        r->edtTaxa->DefineValor(3);
        r->btnCalcula->click();
        r->qtdParcelas->DefineValor(12);
        r->edtNovaTaxa->DefineValor(2);
        r->BitBtn1->click();
    });
    frm_principal->SpeedButton8->click();
    QCoreApplication::processEvents();  // the turn of the event loop a typed key waits for
    ASSERT_EQ(frm_desconto_cheque->TipoSelecionado(), TipoCalculo::RenegociacaoDividas);
    EXPECT_TRUE(Controles(frm_desconto_cheque).data_ref->hasFocus());
    Tecla(Qt::Key_F10);
    EXPECT_EQ(Controles(frm_desconto_cheque).Edit1->text(), "0");
}

TEST_F(CalculosDoMenu, RenegociacaoFechadaNaCaixaNaoMudaABancada) {
    QuandoAbrir(frmRenegociacao, [] { frmRenegociacao->close(); });
    frm_principal->SpeedButton8->click();
    EXPECT_FALSE(frm_desconto_cheque->isVisible());
    EXPECT_EQ(Controles(frm_desconto_cheque).Edit6->text(), "0");
    EXPECT_EQ(frm_desconto_cheque->TipoSelecionado(), TipoCalculo::Nenhum);
}

TEST_F(CalculosDoMenu, PrestacaoAbreLivreEOTipoDaBancadaUsaAMesmaJanela) {
    frm_principal->SpeedButton7->click();
    TfrmPostecipada* p = frmPostecipada;
    EXPECT_TRUE(p->isVisible());
    EXPECT_FALSE(p->isModal());
    EXPECT_FALSE(p->btnOK->isVisible());
    p->edtValorFinanciado->DefineValor(1000);
    // Back to the main menu and again to the window: the values stay.
    QApplication::setActiveWindow(frm_principal);
    frm_principal->SpeedButton7->click();
    EXPECT_EQ(p->edtValorFinanciado->Valor(), 1000);

    // The workbench's own list, while the window is open as a free window.
    Tfrm_desconto_cheque* f = frm_desconto_cheque;
    f->show();
    Controles(f).data_ref->DefineData(D(2007, 11, 15));
    QuandoAbrir(p, [p] {
        EXPECT_TRUE(p->btnOK->isVisible());
        Campos({"1000", "3", "1", ""});
        EXPECT_TRUE(p->BitBtn1->hasFocus());
        p->btnOK->click();
    });
    Controles(f).ComboBox1->setCurrentIndex(1);
    emit Controles(f).ComboBox1->activated(1);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{});
    ASSERT_EQ(Controles(f).grid->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(Celula(0, 0), "15/12/07");
    EXPECT_EQ(Celula(2, 0), "15/02/08");
    EXPECT_EQ(Celula(0, 1), "340,02");
    EXPECT_FALSE(p->isVisible());  // it was turned into the dialog, which ended
}
