// Slips that must not cost the clerk money or work: charges never negative,
// a date that is no date never taken for another, a new operation that shows
// nothing of the one before, and the windows open ready for the first key.
#include <QClipboard>
#include <QLineEdit>
#include <cmath>

#include "core/Valores.h"
#include "output/F_PARAMETROS.h"
#include "output/GeraListagem.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/Dialogos.h"
#include "tests/support/Exemplos.h"
#include "tests/support/ProgramaTeste.h"
#include "tests/support/Teclas.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

using namespace quantivo;
using teste::Campos;
using teste::Controles;
using teste::Digita;
using teste::Tecla;

namespace {

class OperacaoNova : public teste::ProgramaTeste {
protected:
    void SetUp() override {
        ProgramaTeste::SetUp();
        guarda.Permite(true);  // the roads below open modal windows and close them
        b = frm_desconto_cheque.data();
    }

    // The cheque-discount example calculated in the workbench: its TAC, IOF,
    // fee and totals are what a later operation must not show.
    void DescontoCalculado() {
        teste::DadosDoExemplo(*b);
        Bancada x = b->LeBancada();
        x.linhas = {
            {"31/12/07", "1000", "", "", ""}, {"26/01/08", "500", "", "", ""}, {"15/02/08", "2500,50", "", "", ""}};
        b->EscreveBancada(x);
        b->DefineTipoSemReacao(TipoCalculo::DescontoCheque);
        Controles(b).btnCalcula->click();
        ASSERT_EQ(Controles(b).Label12->text(), "TAC   = 80,01");
        ASSERT_FALSE(Controles(b).LabelCET->text().isEmpty());
    }

    void MostraBancada() {
        b->show();
        QApplication::setActiveWindow(b);
        ASSERT_TRUE(QTest::qWaitForWindowActive(b));
    }

    // The renegotiation example, from the main menu's road or, with the
    // workbench shown, chosen in its type list.
    bool RenegociaExemplo(bool pelaLista = false) {
        if (pelaLista) MostraBancada();
        teste::QuandoAbrir(frmRenegociacao, [] {
            TfrmRenegociacao& r = *frmRenegociacao;
            teste::DigitaDividaDoExemplo(r);
            Tecla(Qt::Key_Space);  // "Calcula"
            r.DateEdit1->DefineData(D(2008, 4, 15));
            r.edtVlrPago->DefineValor(45);
            r.qtdParcelas->DefineValor(12);
            r.edtNovaTaxa->DefineValor(2);
            r.BitBtn1->click();
        });
        if (!pelaLista) return RenegociaDoMenu(b, frmRenegociacao, frm_principal);
        const int i = static_cast<int>(TipoCalculo::RenegociacaoDividas);
        Controles(b).ComboBox1->setCurrentIndex(i);
        emit Controles(b).ComboBox1->activated(i);
        return true;
    }

    // Opens an entry window as the main menu does and runs `passos` in it;
    // returns whether the window was still open when they ended.
    template <class Janela>
    bool Entrada(void (*abre)(QWidget*, Tfrm_desconto_cheque*), std::function<void(Janela&)> passos) {
        bool aberta = false;
        teste::NaProximaModal<Janela>([&](Janela* j) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(j));
            passos(*j);
            aberta = j->isVisible();
        });
        abre(frm_principal, b);
        return aberta;
    }

    std::string Listagem() {
        std::string t;
        for (const std::string& l : GeraListagem(EntradaDaBancada(b->LeBancada()))) t += l + "\n";
        return t;
    }

    Tfrm_desconto_cheque* b = nullptr;
};

long double Rotulo(const QString& texto) {
    // "TAC   = 80,01", "Juros = 151,53", "Tarifa= 6,00": the amount after "=".
    return LeValor(texto.section(QLatin1Char('='), 1).trimmed().toStdString());
}

}  // namespace

// --- Charges never negative -------------------------------------------------

TEST_F(OperacaoNova, EncargosRecusamOSinalDeMenosDigitadoColadoOuPostoDeFora) {
    const auto confere = [](const char* janela, std::initializer_list<CampoNumerico*> campos) {
        for (CampoNumerico* c : campos) {
            const std::string nome = std::string(janela) + "." + c->objectName().toStdString();
            c->DefineValor(0);
            c->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(c, "-1");
            EXPECT_EQ(c->Texto(), "1") << nome;
            c->clear();
            QApplication::clipboard()->setText(QStringLiteral("-2"));
            c->paste();
            EXPECT_EQ(c->Valor(), 0) << nome;
            c->clearFocus();
            c->DefineValor(3);
            c->setText(QStringLiteral("-3"));  // an accessibility client
            EXPECT_EQ(c->Valor(), 3) << nome;
            c->DefineValor(-4);
            EXPECT_EQ(c->Valor(), 0) << nome;
        }
    };
    MostraBancada();
    confere("bancada", {Controles(b).edtTAC, Controles(b).edtIOF, Controles(b).edtTARIFA});
    Entrada<Tfrm_desconto>(&AbreDescontoCheque, [&](Tfrm_desconto& j) {
        confere("desconto", {j.edtTAC, j.edtIOF, j.edtTARIFA});
    });
    Entrada<Tfrm_venda_por_fora>(&AbreVendaPorFora, [&](Tfrm_venda_por_fora& j) {
        confere("venda", {j.edtTAC, j.edtIOF, j.edtTARIFA});
    });
}

TEST_F(OperacaoNova, LiquidoEhOTotalMenosJurosEEncargosMostrados) {
    MostraBancada();
    teste::DadosDoExemplo(*b);
    for (const char* tac : {"-1", "2", "0"}) {
        Controles(b).edtTAC->DefineValor(0);
        Controles(b).edtTAC->setFocus(Qt::TabFocusReason);
        Digita(tac);
        Bancada x = b->LeBancada();
        x.linhas = {{"31/12/07", "1000", "", "", ""}, {"15/02/08", "2500,50", "", "", ""}};
        b->EscreveBancada(x);
        b->DefineTipoSemReacao(TipoCalculo::DescontoCheque);
        Controles(b).btnCalcula->click();
        const long double total = LeValor(Controles(b).Edit2->text().toStdString());
        const long double encargos = Rotulo(Controles(b).Label14->text()) + Rotulo(Controles(b).Label12->text()) +
                                     Rotulo(Controles(b).Label13->text()) + Rotulo(Controles(b).Label15->text());
        // Each label is rounded to the cent on its own.
        EXPECT_LE(std::fabs(static_cast<double>(total - encargos - LeValor(Controles(b).Edit6->text().toStdString()))),
                  0.025)
            << tac << ": " << Controles(b).Label12->text().toStdString() << " "
            << Controles(b).Edit6->text().toStdString();
        EXPECT_GE(Controles(b).edtTAC->Valor(), 0) << tac;
    }
    EXPECT_TRUE(msgs.mensagens.empty());
}

// --- A date that is no date -------------------------------------------------

TEST_F(OperacaoNova, F5ComDataQueNaoEhDataAvisaENaoCalcula) {
    MostraBancada();
    DescontoCalculado();
    Controles(b).Label12->setText(QStringLiteral("TAC:"));
    Controles(b).data_ref->setFocus(Qt::TabFocusReason);
    Controles(b).data_ref->selectAll();
    Digita("310226");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalida("31/02/26").toStdString()});
    EXPECT_EQ(Controles(b).Label12->text(), "TAC:");  // nothing calculated
    EXPECT_TRUE(Controles(b).data_ref->hasFocus());
    EXPECT_EQ(Controles(b).data_ref->text(), "31/02/26");
    // F2 still closes the window: nothing traps the clerk.
    msgs.mensagens.clear();
    Tecla(Qt::Key_F2);
    QTest::qWait(20);
    EXPECT_FALSE(b->isVisible());
    EXPECT_TRUE(msgs.mensagens.empty());

    msgs.mensagens.clear();
    const bool aberta = Entrada<Tfrm_desconto>(&AbreDescontoCheque, [&](Tfrm_desconto& j) {
        EXPECT_TRUE(j.data_ref->hasFocus());
        Campos({"", "3"});
        j.data_ref->setFocus(Qt::BacktabFocusReason);
        j.data_ref->selectAll();
        Digita("999999");
        Tecla(Qt::Key_F5);
        EXPECT_TRUE(j.data_ref->hasFocus());
        EXPECT_EQ(j.data_ref->text(), "99/99/99");
    });
    EXPECT_TRUE(aberta);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalida("99/99/99").toStdString()});
    EXPECT_FALSE(b->isVisible());  // nothing handed over
}

// --- A new operation starts clean ---------------------------------------------

// Both roads into a renegotiation: the earlier discount's charges and totals
// are neither shown nor printed, and the totals lines read as before any
// calculation (they were four empty lines).
TEST_F(OperacaoNova, RenegociacaoDepoisDeUmDescontoNaoMostraNemImprimeOsEncargosDele) {
    for (const bool pelaLista : {false, true}) {
        SCOPED_TRACE(pelaLista ? "type list" : "main menu");
        DescontoCalculado();
        ASSERT_TRUE(RenegociaExemplo(pelaLista));
        EXPECT_EQ(b->TipoSelecionado(), TipoCalculo::RenegociacaoDividas);
        EXPECT_EQ(Controles(b).Edit2->text(), "1.134,72");
        for (CampoNumerico* c : {Controles(b).edtTAC, Controles(b).edtIOF, Controles(b).edtTARIFA})
            EXPECT_EQ(c->Valor(), 0) << c->objectName().toStdString();
        EXPECT_EQ(Controles(b).Label15->text(), "Tarifa:");
        EXPECT_EQ(Controles(b).Label12->text(), "TAC:");
        EXPECT_EQ(Controles(b).Label13->text(), "IOF:");
        EXPECT_EQ(Controles(b).Label14->text(), "Juros:");
        EXPECT_EQ(Controles(b).LabelCET->text(), "CET: -");
        const std::string listagem = Listagem();
        for (const char* antigo : {"80,01", "4,92", "151,53", "6,00", "0,0041%"})
            EXPECT_EQ(listagem.find(antigo), std::string::npos) << antigo << "\n" << listagem;
        EXPECT_NE(listagem.find("TAC   : %       IOF: %"), std::string::npos) << listagem;
        EXPECT_NE(listagem.find("     Tarifa:\n     TAC:\n     IOF:\n     Juros:\n"), std::string::npos) << listagem;
    }
}

TEST_F(OperacaoNova, EntregaCujoCalculoParaNaoDeixaOsTotaisDoAnterior) {
    DescontoCalculado();
    // The discount stops at its conversion error (a value no key gives).
    const bool aberta = Entrada<Tfrm_desconto>(&AbreDescontoCheque, [&](Tfrm_desconto& j) {
        Campos({"281207", "3", "1"});
        j.grid_pre->Modelo()->DefineLinhas({Parcela{"31/12/07", "1,500,00", "", "", ""}});
        Tecla(Qt::Key_F5);
    });
    EXPECT_TRUE(aberta);
    EXPECT_EQ(Controles(b).edtTAC->Valor(), 1);  // the window's
    EXPECT_EQ(Controles(b).edtIOF->Valor(), 0);
    EXPECT_EQ(Controles(b).edtTARIFA->Valor(), 0);
    const auto comoAntesDeCalcular = [this] {
        EXPECT_EQ(Controles(b).Label15->text(), "Tarifa:");
        EXPECT_EQ(Controles(b).Label12->text(), "TAC:");
        EXPECT_EQ(Controles(b).Label13->text(), "IOF:");
        EXPECT_EQ(Controles(b).Label14->text(), "Juros:");
        EXPECT_EQ(Controles(b).LabelCET->text(), "");
    };
    comoAntesDeCalcular();

    // "Venda certa" with no date at all stops silently.
    DescontoCalculado();
    msgs.mensagens.clear();
    Entrada<Tfrm_venda_por_fora>(&AbreVendaPorFora, [&](Tfrm_venda_por_fora& j) {
        j.edtVlrFinanciado->DefineValor(5000);
        Tecla(Qt::Key_F5);
    });
    EXPECT_EQ(b->TipoSelecionado(), TipoCalculo::VendaPorFora);
    comoAntesDeCalcular();
    EXPECT_EQ(Controles(b).edtTAC->Valor(), 0);
}

// --- The first keys land ------------------------------------------------------

TEST_F(OperacaoNova, CadastroDeParametrosAbreComOFocoEmNome) {
    auto* p = new TFPARAMETROS;
    p->show();
    QApplication::setActiveWindow(p);
    ASSERT_TRUE(QTest::qWaitForWindowActive(p));
    EXPECT_TRUE(p->tnome->hasFocus()) << (QApplication::focusWidget()
                                              ? QApplication::focusWidget()->metaObject()->className()
                                              : "none");
    Digita("Maria");
    EXPECT_EQ(p->tnome->text(), "Maria");
    // The tab order stays: from "Assinatura", on to the copies, then the buttons first.
    EXPECT_EQ(teste::ProximoNoTab(p->bsair), p->tnome);
    p->close();
    QTest::qWait(0);
}
