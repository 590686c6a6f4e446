// The instalment window on its own, and the workbench's type "Prestação Taxa
// Efetiva" working with it.
#include <QMessageBox>

#include "tests/support/ControlesBancada.h"
#include "tests/support/Dialogos.h"
#include "tests/support/GuardaJanelas.h"
#include "tests/support/Teclas.h"
#include "windows/Calculo.h"
#include "windows/UfrmPostecipada.h"

using namespace quantivo;
using teste::Campos;
using teste::Controles;
using teste::Digita;
using teste::QuandoAbrir;
using teste::Tecla;

namespace {

const std::string kUmEmBranco = "Necessário deixar apenas um valor em branco\rEste será o valor a ser apurado";

class Postecipada : public teste::JanelaTeste {
protected:
    void SetUp() override {
        JanelaTeste::SetUp();
        guarda.Permite(true);  // QuandoAbrir closes what it opens
        bancada = std::make_unique<Tfrm_desconto_cheque>();
        janela = std::make_unique<TfrmPostecipada>();
        LigaPostecipada(bancada.get(), janela.get());
    }
    void TearDown() override {
        janela.reset();
        bancada.reset();
        JanelaTeste::TearDown();
    }
    void AbreLivre() {
        janela->MostraLivre();
        QApplication::setActiveWindow(janela.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    }
    void Preenche(long double fin, long double n, long double taxa, long double prest) {
        janela->edtValorFinanciado->DefineValor(fin);
        janela->edtNumPrestacao->DefineValor(n);
        janela->edtTaxa->DefineValor(taxa);
        janela->edtVlrPrestacao->DefineValor(prest);
    }
    QString Celula(int l, int c) const { return Controles(bancada).grid->Modelo()->Celula(l, c); }
    // Chooses the type in the workbench's own list, as the user does.
    void EscolheTipo(TipoCalculo t) {
        Controles(bancada).ComboBox1->setCurrentIndex(static_cast<int>(t));
        emit Controles(bancada).ComboBox1->activated(static_cast<int>(t));
    }

    std::unique_ptr<Tfrm_desconto_cheque> bancada;
    std::unique_ptr<TfrmPostecipada> janela;
};

}  // namespace

TEST_F(Postecipada, EnterSegueAOrdemDeTabulacao) {
    AbreLivre();
    EXPECT_EQ(janela->windowTitle(), "Postecipada");
    EXPECT_FALSE(janela->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(janela->btnOK->isVisible());  // only in the workbench's dialog
    // Tab order, and Enter moving as Tab does.
    QWidget* ordem[] = {janela->DateEdit1, janela->edtValorFinanciado, janela->edtNumPrestacao,
                        janela->edtTaxa,   janela->edtVlrPrestacao,    janela->BitBtn1,
                        janela->bsair,     janela->btnImprime};
    janela->DateEdit1->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 1; i < std::size(ordem); ++i) {
        Tecla(Qt::Key_Return);
        EXPECT_TRUE(ordem[i]->hasFocus()) << i;
    }
}

TEST_F(Postecipada, CalculaResolveOValorEmBranco) {
    AbreLivre();
    struct Caso {
        long double fin, n, taxa, prest;
        const char* finTexto;
        const char* prestTexto;
        std::vector<std::string> mensagens;
    } casos[] = {
        {1000, 12, 2, 0, "1000,00", "94,56", {}},
        {0, 12, 2, 100, "1057,53", "100,00", {}},
        // Solved values of a half cent (33821,935; 142,905; 639,975; 108,955) go up.
        {0, 31, 4.08L, 1942.14L, "33821,94", "1942,14", {}},
        {3010.16L, 41, 3.66L, 0, "3010,16", "142,91", {}},
        {11408.33L, 45, 4.98L, 0, "11408,33", "639,98", {}},
        {1079.93L, 13, 4.12L, 0, "1079,93", "108,96", {}},
        {1000, 12, 2, 100, "1000,00", "100,00", {kUmEmBranco}},  // nothing blank any more
        {0, 12, 2, 0, "", "", {kUmEmBranco}},
        {1000, 12, 0, 100, "1000,00", "100,00", {}},  // blank rate: silent
        // A rate of 0,004 % is not blank, but its fraction is 0: 0 / 0.
        {1000, 12, 0.004L, 0, "1000,00", "", {"Erro de ponto flutuante: operação inválida"}},
    };
    for (const auto& c : casos) {
        msgs.mensagens.clear();
        Preenche(c.fin, c.n, c.taxa, c.prest);
        janela->BitBtn1->setFocus();
        janela->BitBtn1->click();
        EXPECT_EQ(janela->edtValorFinanciado->text(), c.finTexto) << c.finTexto << c.prestTexto;
        EXPECT_EQ(janela->edtVlrPrestacao->text(), c.prestTexto) << c.finTexto << c.prestTexto;
        EXPECT_EQ(msgs.Textos(), c.mensagens) << c.finTexto << c.prestTexto;
    }
    // The solved value is held to the field's two decimals.
    Preenche(1000, 12, 2, 0);
    janela->BitBtn1->click();
    EXPECT_EQ(janela->edtVlrPrestacao->Valor(), 94.56L);
}

TEST_F(Postecipada, MensagemDeDuasLinhasNaCaixaDeMensagem) {
    AbreLivre();
    DefineServicoMensagens(nullptr);  // the real message box
    guarda.Permite(false);            // fails, rather than hangs, if the box stays
    QString texto;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texto = box->text();
            box->accept();
        }
    });
    janela->edtNumPrestacao->DefineValor(12);
    janela->BitBtn1->click();  // the other three blank
    DefineServicoMensagens(&msgs);
    EXPECT_EQ(texto, "Necessário deixar apenas um valor em branco\nEste será o valor a ser apurado");
}

TEST_F(Postecipada, DigitadoComTeclasEAltC) {
    AbreLivre();
    EXPECT_TRUE(janela->edtValorFinanciado->hasFocus());  // the opening's reset
    Campos({"1000", "12", "2.5"});                        // the point enters the comma
    EXPECT_TRUE(janela->edtVlrPrestacao->hasFocus());
    Tecla(Qt::Key_C, Qt::AltModifier);  // the button's animated click comes a little later
    EXPECT_TRUE(QTest::qWaitFor([this] { return janela->edtVlrPrestacao->Valor() != 0; }, 2000));
    EXPECT_EQ(janela->edtTaxa->text(), "2,50000");
    EXPECT_EQ(janela->edtVlrPrestacao->Valor(), 97.49L);  // 2,5 % : 97,4871
}

TEST_F(Postecipada, SoReiniciaAoAbrirNaoAoVoltar) {
    AbreLivre();
    janela->DateEdit1->DefineData(D(2008, 1, 31));
    Preenche(1000, 12, 2, 0);
    janela->BitBtn1->click();
    // The user glances at another window and comes back: nothing is lost.
    QWidget outra;
    outra.show();
    QApplication::setActiveWindow(&outra);
    QApplication::setActiveWindow(janela.get());
    janela->MostraLivre();  // the main menu's button again, while it is open
    EXPECT_EQ(janela->edtVlrPrestacao->text(), "94,56");
    EXPECT_EQ(janela->DateEdit1->Data(), D(2008, 1, 31));
    // SAIR only hides: the values stay for the workbench and the listing.
    janela->bsair->click();
    EXPECT_FALSE(janela->isVisible());
    EXPECT_EQ(janela->Valores().VlrPrestacao, 94.56L);
    // Opened again: reset, the date to today.
    AbreLivre();
    EXPECT_EQ(janela->Valores().VlrPrestacao, 0);
    EXPECT_EQ(janela->Valores().ValorFinanciado, 0);
    EXPECT_EQ(janela->DateEdit1->Data(), Hoje());
    EXPECT_TRUE(janela->edtValorFinanciado->hasFocus());
}

TEST_F(Postecipada, F12ImprimeSemCalcularAntes) {
    int impressoes = 0;
    janela->imprime = [&] { ++impressoes; };
    AbreLivre();
    Preenche(1000, 4, 2, 0);
    janela->edtVlrPrestacao->setFocus();
    Tecla(Qt::Key_F12);
    EXPECT_EQ(impressoes, 1);
    EXPECT_EQ(janela->edtVlrPrestacao->Valor(), 0);  // nothing solved
}

TEST_F(Postecipada, F12ComDataQueNaoExisteAvisaENaoImprime) {
    int impressoes = 0;
    janela->imprime = [&] { ++impressoes; };
    AbreLivre();
    Preenche(1000, 4, 2, 0);
    // Typed and not left: F12 is a shortcut, the field keeps the focus.
    janela->DateEdit1->setFocus(Qt::TabFocusReason);
    Digita("310226");
    Tecla(Qt::Key_F12);
    EXPECT_EQ(impressoes, 0);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalida("31/02/26").toStdString()});
    EXPECT_EQ(janela->DateEdit1->text(), "31/02/26");
}

TEST_F(Postecipada, TipoDaBancadaComOKMontaAsParcelas) {
    bancada->show();
    Controles(bancada).data_ref->DefineData(D(2008, 1, 31));
    QuandoAbrir(janela.get(), [this] {
        EXPECT_TRUE(janela->btnOK->isVisible());
        EXPECT_TRUE(janela->edtValorFinanciado->hasFocus());
        Campos({"1000", "12"});
        Digita("2");
        janela->btnOK->click();  // no solve: the workbench solves
    });
    EscolheTipo(TipoCalculo::PrestacaoTaxaEfetiva);
    EXPECT_FALSE(janela->btnOK->isVisible());
    EXPECT_EQ(janela->Valores().VlrPrestacao, 0);
    EXPECT_EQ(Controles(bancada).Edit6->text(), "1000");
    EXPECT_EQ(Controles(bancada).Edit1->text(), "2");
    ASSERT_EQ(Controles(bancada).grid->Modelo()->NumeroLinhas(), 12);
    EXPECT_EQ(Celula(0, 0), "29/02/08");
    EXPECT_EQ(Celula(11, 0), "31/01/09");
    for (int l = 0; l < 12; ++l) EXPECT_EQ(Celula(l, 1), "94,56") << l;
    EXPECT_EQ(Controles(bancada).Edit2->text(), "1.134,72");
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_FALSE(janela->isVisible());
}

TEST_F(Postecipada, TipoDaBancadaComFinanciadoEmBrancoResolveNaJanela) {
    bancada->show();
    QuandoAbrir(janela.get(), [this] {
        Preenche(0, 12, 2, 100);
        janela->btnOK->click();
    });
    EscolheTipo(TipoCalculo::PrestacaoTaxaEfetiva);
    EXPECT_EQ(Controles(bancada).Edit6->text(), "0");
    // Solved into the window, which comes forward as a free window keeping it.
    EXPECT_TRUE(janela->isVisible());
    EXPECT_FALSE(janela->isModal());
    EXPECT_EQ(janela->edtValorFinanciado->text(), "1057,53");
    EXPECT_EQ(janela->Valores().VlrPrestacao, 100);
    EXPECT_EQ(Controles(bancada).grid->Modelo()->NumeroLinhas(), 1);
    EXPECT_EQ(Controles(bancada).Edit2->text(), "0");
    // Nothing blank now: F5 again gives the two-line message and changes nothing.
    Controles(bancada).btnCalcula->click();
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kUmEmBranco});
}

// A count below 1 is refused on every road, naming the field, and nothing is
// solved, printed or scheduled: -1 solved -999,99 unannounced, and 0 blamed
// the blank values.
TEST_F(Postecipada, NumeroDePrestacaoAbaixoDeUmRecusadoEmTodosOsCaminhos) {
    const std::vector<std::string> recusa{kMsgNumPrestacaoMinima};
    int impressoes = 0;
    janela->imprime = [&] { ++impressoes; };
    AbreLivre();
    for (long double n : {-1.0L, 0.0L}) {
        msgs.mensagens.clear();
        Preenche(1000, n, 2, 0);
        janela->BitBtn1->click();
        EXPECT_EQ(msgs.Textos(), recusa) << n;
        EXPECT_EQ(janela->edtVlrPrestacao->Valor(), 0) << n;
        EXPECT_TRUE(janela->edtNumPrestacao->hasFocus()) << n;
        msgs.mensagens.clear();
        Tecla(Qt::Key_F12);
        EXPECT_EQ(msgs.Textos(), recusa) << n;
    }
    EXPECT_EQ(impressoes, 0);
    janela->bsair->click();

    // The workbench's dialog keeps the clerk in it.
    bancada->show();
    Controles(bancada).grid->Modelo()->DefineCelula(0, 0, "01/01/08");
    bool ficou = false;
    QuandoAbrir(janela.get(), [&] {
        Preenche(1000, -1, 2, 0);
        msgs.mensagens.clear();
        janela->btnOK->click();
        ficou = janela->isVisible();
        janela->bsair->click();
    });
    EscolheTipo(TipoCalculo::PrestacaoTaxaEfetiva);
    EXPECT_TRUE(ficou);
    EXPECT_EQ(msgs.Textos(), recusa);
    // The workbench's F5 on the window's values leaves its rows as they are.
    msgs.mensagens.clear();
    Controles(bancada).Edit6->setText("1000");
    Controles(bancada).Edit1->setText("2");
    Controles(bancada).btnCalcula->click();
    EXPECT_EQ(msgs.Textos(), recusa);
    EXPECT_EQ(Celula(0, 0), "01/01/08");
}

TEST_F(Postecipada, AbertaLivreViraDialogoSemFalhaESairCancela) {
    AbreLivre();
    Preenche(1000, 12, 2, 0);
    bancada->show();
    Controles(bancada).Edit6->setText("55");
    bool aberto = false;
    QuandoAbrir(janela.get(), [&] {
        aberto = janela->isModal() && janela->isVisible();
        EXPECT_EQ(janela->Valores().ValorFinanciado, 0);  // opened as the dialog: reset
        janela->bsair->click();
    });
    EscolheTipo(TipoCalculo::PrestacaoTaxaEfetiva);
    EXPECT_TRUE(aberto);
    EXPECT_FALSE(janela->isVisible());
    EXPECT_EQ(Controles(bancada).Edit6->text(), "55");  // cancelled: nothing copied or calculated
    EXPECT_EQ(janela->parentWidget(), nullptr);
    // Free again afterwards, without the confirming button.
    AbreLivre();
    EXPECT_FALSE(janela->isModal());
    EXPECT_FALSE(janela->btnOK->isVisible());
}

TEST_F(Postecipada, OKSoTerminaODialogo) {
    AbreLivre();
    janela->btnOK->click();  // hidden, but even a stray click must not close the free window
    EXPECT_TRUE(janela->isVisible());
}

// An amount still being typed as "1.500" is asked about before Calcula, F12
// or OK reads it: "no" goes back to the field, nothing solved or handed on.
TEST_F(Postecipada, MilharAindaDigitadoPerguntadoAntesDeLer) {
    AbreLivre();
    Preenche(0, 5, 2, 0);
    janela->edtValorFinanciado->setFocus(Qt::TabFocusReason);
    Digita("1.000");
    msgs.respostas = {false};
    janela->BitBtn1->click();
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(msgs.mensagens[0].texto, "O valor \"1,000\" é 1.000,00?\nResponda Não para corrigi-lo.");
    EXPECT_EQ(janela->edtVlrPrestacao->Valor(), 0);
    EXPECT_TRUE(janela->edtValorFinanciado->hasFocus());
    msgs.mensagens.clear();
    janela->BitBtn1->click();  // Enter's answer: the thousands
    EXPECT_EQ(janela->edtValorFinanciado->Valor(), 1000);
    EXPECT_GT(janela->edtVlrPrestacao->Valor(), 0);
}
