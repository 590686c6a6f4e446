// The debt renegotiation dialog, the main menu's road through it to the
// workbench, and the workbench's type "Renegociação de Dívidas".
#include <QGroupBox>

#include "core/Price.h"
#include "core/Renegociacao.h"
#include "core/Valores.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/Dialogos.h"
#include "tests/support/Exemplos.h"
#include "tests/support/GuardaJanelas.h"
#include "tests/support/Teclas.h"
#include "windows/Calculo.h"
#include "windows/UfrmRenegociacao.h"

using namespace quantivo;
using teste::Controles;
using teste::QuandoAbrir;
using teste::Tecla;

namespace {

class Renegociacao : public teste::JanelaTeste {
protected:
    void SetUp() override {
        JanelaTeste::SetUp();
        guarda.Permite(true);  // QuandoAbrir closes what it opens
        bancada = std::make_unique<Tfrm_desconto_cheque>();
        janela = std::make_unique<TfrmRenegociacao>();
        LigaRenegociacao(bancada.get(), janela.get());
    }
    void TearDown() override {
        janela.reset();
        bancada.reset();
        JanelaTeste::TearDown();
    }
    // Opens the dialog from the main menu's road, runs `acao` in it, and
    // returns whether the workbench was shown.
    bool PeloMenu(std::function<void()> acao) {
        QuandoAbrir(janela.get(), std::move(acao));
        return RenegociaDoMenu(bancada.get(), janela.get());
    }
    // The update of the worked example, typed and calculated.
    void AtualizaExemplo() {
        EXPECT_TRUE(janela->edtVlrDivida->hasFocus());
        teste::DigitaDividaDoExemplo(*janela);
        EXPECT_TRUE(janela->btnCalcula->hasFocus());
        Tecla(Qt::Key_Space);
    }
    QString Celula(int l, int c) const { return Controles(bancada).grid->Modelo()->Celula(l, c); }

    std::unique_ptr<Tfrm_desconto_cheque> bancada;
    std::unique_ptr<TfrmRenegociacao> janela;
};

}  // namespace

TEST_F(Renegociacao, CamposEOrdemDeTabulacao) {
    QuandoAbrir(janela.get(), [this] {
        EXPECT_EQ(janela->windowTitle(), "Renegociação de Dívida");
        EXPECT_EQ(janela->dtAtualizado->Data(), Hoje());
        // Tab and Enter go in screen order: from the rate to the update date,
        // then "Calcula"; the three result fields are shown only.
        QWidget* ordem[] = {janela->edtVlrDivida, janela->dtVencimento, janela->edtTaxa,    janela->dtAtualizado,
                            janela->btnCalcula,   janela->DateEdit1,    janela->edtVlrPago, janela->qtdParcelas,
                            janela->edtNovaTaxa,  janela->BitBtn1};
        for (std::size_t i = 1; i < std::size(ordem); ++i) {
            Tecla(i % 2 ? Qt::Key_Return : Qt::Key_Tab);
            EXPECT_TRUE(ordem[i]->hasFocus()) << i;
        }
        janela->reject();
    });
    EXPECT_FALSE(RenegociaDoMenu(bancada.get(), janela.get()));
}

TEST_F(Renegociacao, AtualizaADivida) {
    struct Caso {
        long double divida;
        Data vencimento, atualizacao;
        long double taxa;
        const char* atualizado;
        long double dias;
        std::vector<std::string> mensagens;
    } casos[] = {
        {1000, D(2008, 3, 1), D(2008, 4, 15), 3, "R$ 1.045,00", 45, {}},
        {1000, D(2008, 3, 1), D(2008, 3, 11), 2, "R$ 1.006,67", 10, {}},
        {2500.50L, D(2008, 3, 1), D(2008, 3, 18), 4.5L, "R$ 2.564,26", 17, {}},
        // 2675,535 and 37753,275, whose binary values fall short of the half cent.
        {2500.50L, D(2008, 3, 1), D(2008, 6, 14), 2, "R$ 2.675,54", 105, {}},
        {32359.95L, D(2024, 8, 13), D(2024, 12, 16), 4, "R$ 37.753,28", 125, {}},
        {0, D(2008, 3, 1), D(2008, 3, 18), 4.5L, "", 17, {}},
        {1000, D(2008, 3, 1), D(2008, 3, 1), 3, "", 0, {kMsgVencimentoMenor}},
        {1000, kDataNula, D(2008, 3, 1), 3, "", 0, {kMsgInformeVencimento}},
        {1000, D(2008, 3, 1), kDataNula, 3, "", 0, {kMsgInformeAtualizacao}},
    };
    QuandoAbrir(janela.get(), [&] {
        for (const auto& c : casos) {
            msgs.mensagens.clear();
            janela->edtVlrDivida->setFocus(Qt::TabFocusReason);  // clears the last results
            janela->edtVlrDivida->DefineValor(c.divida);
            janela->dtVencimento->DefineData(c.vencimento);
            janela->edtTaxa->DefineValor(c.taxa);
            janela->dtAtualizado->DefineData(c.atualizacao);
            janela->DateEdit1->DefineData(kDataNula);
            janela->btnCalcula->setFocus(Qt::TabFocusReason);
            janela->btnCalcula->click();
            EXPECT_EQ(msgs.Textos(), c.mensagens) << c.atualizado;
            EXPECT_EQ(janela->edtVlrAtualizado->text(), c.atualizado);
            EXPECT_EQ(janela->edtVlrAtualizado2->text(), c.atualizado);
            // The held value is the one shown, which the balance is made from.
            if (*c.atualizado) {
                EXPECT_EQ(janela->edtVlrAtualizado2->Valor(), LeValor(c.atualizado)) << c.atualizado;
            }
            EXPECT_EQ(janela->edtDias->Valor(), c.dias);
            if (c.mensagens.empty()) {
                EXPECT_EQ(janela->DateEdit1->Data(), Hoje());
                EXPECT_TRUE(janela->DateEdit1->hasFocus());
            } else {
                EXPECT_EQ(janela->DateEdit1->Data(), kDataNula);
            }
        }
        janela->reject();
    });
    EXPECT_FALSE(RenegociaDoMenu(bancada.get(), janela.get()));
}

TEST_F(Renegociacao, DataQueNaoExisteAvisaENadaECalculadoNemConfirmado) {
    QuandoAbrir(janela.get(), [&] {
        janela->edtVlrDivida->DefineValor(1000);
        janela->edtTaxa->DefineValor(3);
        janela->dtAtualizado->DefineData(D(2008, 4, 15));
        // Typed and never left: an accessibility client presses "Calcula".
        janela->dtVencimento->setFocus(Qt::TabFocusReason);
        teste::Digita("310208");
        janela->btnCalcula->click();
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalida("31/02/08").toStdString()});
        EXPECT_EQ(janela->edtVlrAtualizado2->Valor(), 0);
        msgs.mensagens.clear();
        janela->dtVencimento->DefineData(D(2008, 3, 1));
        janela->btnCalcula->click();
        ASSERT_EQ(janela->edtVlrAtualizado2->Valor(), 1045);
        janela->DateEdit1->setFocus(Qt::TabFocusReason);
        teste::Digita("999999");
        janela->BitBtn1->click();
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalida("99/99/99").toStdString()});
        EXPECT_TRUE(janela->isVisible());
        janela->reject();
    });
    EXPECT_FALSE(RenegociaDoMenu(bancada.get(), janela.get()));
}

TEST_F(Renegociacao, EntrarNumaEntradaLimpaOsResultadosMasNaoADataDeAtualizacao) {
    QuandoAbrir(janela.get(), [this] {
        AtualizaExemplo();
        janela->dtAtualizado->setFocus(Qt::TabFocusReason);
        janela->dtAtualizado->DefineData(D(2008, 4, 30));
        EXPECT_EQ(janela->edtDias->Valor(), 45);  // the old result stands
        for (QWidget* w : {static_cast<QWidget*>(janela->edtVlrDivida), static_cast<QWidget*>(janela->dtVencimento),
                           static_cast<QWidget*>(janela->edtTaxa)}) {
            janela->btnCalcula->setFocus(Qt::TabFocusReason);
            janela->btnCalcula->click();
            EXPECT_EQ(janela->edtDias->Valor(), 60);
            w->setFocus(Qt::BacktabFocusReason);
            EXPECT_EQ(janela->edtVlrAtualizado->Valor(), 0) << w->objectName().toStdString();
            EXPECT_EQ(janela->edtDias->Valor(), 0);
            EXPECT_EQ(janela->edtVlrAtualizado2->Valor(), 0);
        }
        // Confirming now is refused: the update must be calculated again.
        janela->BitBtn1->click();
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kMsgCalculeDivida});
        janela->reject();
    });
    RenegociaDoMenu(bancada.get(), janela.get());
}

TEST_F(Renegociacao, ConfirmacoesRecusadasDeixamAJanelaAberta) {
    const bool mostrada = PeloMenu([this] {
        janela->BitBtn1->click();  // nothing calculated yet
        AtualizaExemplo();
        janela->edtVlrPago->DefineValor(1045.01L);
        janela->qtdParcelas->DefineValor(12);
        janela->edtNovaTaxa->DefineValor(2);
        janela->BitBtn1->click();  // more than the updated debt
        EXPECT_TRUE(janela->edtVlrPago->hasFocus());
        janela->edtVlrPago->DefineValor(45);
        janela->DateEdit1->DefineData(kDataNula);
        janela->BitBtn1->click();  // no payment date
        EXPECT_TRUE(janela->DateEdit1->hasFocus());
        // No instalment, or a negative count: the division by zero, or an
        // empty schedule, in the workbench.
        janela->DateEdit1->DefineData(D(2008, 4, 15));
        for (long double n : {0.0L, -3.0L}) {
            janela->qtdParcelas->DefineValor(n);
            janela->BitBtn1->click();
            EXPECT_TRUE(janela->qtdParcelas->hasFocus()) << n;
        }
        EXPECT_TRUE(janela->isVisible());
        janela->close();  // the title bar's close box: cancel
    });
    EXPECT_EQ(msgs.Textos(), (std::vector<std::string>{kMsgCalculeDivida, kMsgPagoMaior, kMsgInformePagamento,
                                                       kMsgQtdPrestacaoMinima, kMsgQtdPrestacaoMinima}));
    EXPECT_FALSE(mostrada);
    EXPECT_FALSE(bancada->isVisible());
    EXPECT_EQ(Controles(bancada).Edit6->text(), "0");
    EXPECT_EQ(Controles(bancada).ComboBox1->currentIndex(), -1);
}

TEST_F(Renegociacao, DividaZeroAtualizaMasNaoConfirma) {
    PeloMenu([this] {
        janela->dtVencimento->DefineData(D(2007, 12, 1));
        janela->btnCalcula->click();
        EXPECT_EQ(janela->edtDias->Valor(), 27);
        janela->BitBtn1->click();
        EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kMsgCalculeDivida});
        janela->reject();
    });
}

TEST_F(Renegociacao, ErroNoReparcelamentoNaoMostraABancada) {
    const bool mostrada = PeloMenu([this] {
        AtualizaExemplo();
        janela->edtVlrPago->DefineValor(45);
        janela->qtdParcelas->DefineValor(12);  // new rate left empty
        janela->BitBtn1->click();
    });
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"'' is not a valid floating point value"});
    EXPECT_FALSE(mostrada);
    EXPECT_FALSE(bancada->isVisible());
    // What the hand-over wrote stays in the workbench.
    EXPECT_EQ(Controles(bancada).Edit6->text(), "1000");
    EXPECT_EQ(Controles(bancada).Edit1->text(), "");
    EXPECT_EQ(bancada->TipoSelecionado(), TipoCalculo::RenegociacaoDividas);
}

TEST_F(Renegociacao, TipoDaListaDaBancadaMantemADataDeReferencia) {
    bancada->show();
    Controles(bancada).data_ref->DefineData(D(2008, 1, 31));
    QuandoAbrir(janela.get(), [this] {
        AtualizaExemplo();
        janela->DateEdit1->DefineData(D(2008, 4, 15));
        janela->edtVlrPago->DefineValor(45.5L);
        janela->qtdParcelas->DefineValor(3);
        janela->edtNovaTaxa->DefineValor(2.5L);
        janela->BitBtn1->click();
    });
    Controles(bancada).ComboBox1->setCurrentIndex(3);
    emit Controles(bancada).ComboBox1->activated(3);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{});
    EXPECT_EQ(Controles(bancada).Edit6->text(), "999,5");
    EXPECT_EQ(Controles(bancada).Edit1->text(), "2,5");
    EXPECT_EQ(Controles(bancada).data_ref->Data(), D(2008, 1, 31));
    ASSERT_EQ(Controles(bancada).grid->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(Celula(0, 0), "29/02/08");
    EXPECT_EQ(janela->parentWidget(), nullptr);
    // F5 later, with the window's count emptied by an opening that was
    // cancelled: said so, not a division by zero, and the schedule stays.
    QuandoAbrir(janela.get(), [this] { janela->reject(); });
    Controles(bancada).ComboBox1->setCurrentIndex(3);
    emit Controles(bancada).ComboBox1->activated(3);
    Controles(bancada).btnCalcula->click();
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kMsgQtdPrestacaoMinima});
    EXPECT_EQ(Controles(bancada).grid->Modelo()->NumeroLinhas(), 3);
}
