// The workbench, driven by key events as a user would.
#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>

#include "core/Valores.h"
#include "tests/support/BancadaTeste.h"
#include "tests/support/Dialogos.h"
#include "tests/support/Exemplos.h"
#include "tests/support/Teclas.h"
#include "ui/Aparencia.h"
#include "windows/Calculo.h"

using namespace quantivo;
using teste::Digita;
using teste::Tecla;

namespace {

class JanelaBancada : public teste::BancadaTeste {
protected:
    // The cheques of the worked example, typed into the grid from its first cell.
    void DigitaCheques() {
        ctl.grid->setFocus(Qt::TabFocusReason);
        ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 0));
        teste::DigitaLinhas({{"311207", "1000"}, {"260108", "500"}, {"150208", "2500,50"}});
    }
    // A cheque discount of 28/12/2007 at 3 % a month, its first cheque's
    // date typed into the first cell, which stays open.
    void DigitaPrimeiraData() {
        ctl.ComboBox1->setCurrentIndex(0);
        ctl.data_ref->DefineData(D(2007, 12, 28));
        ctl.Edit1->setText("3");
        ctl.grid->setFocus(Qt::TabFocusReason);
        ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 0));
        Digita("311207");
    }
    // A click on a cell as the mouse gives it, with no wait after it.
    void ClicaCelula(int l, int c) {
        const QRect r = ctl.grid->visualRect(ctl.grid->model()->index(l, c));
        QTest::mouseClick(ctl.grid->viewport(), Qt::LeftButton, {}, r.center());
    }
    // The workbench as the widgets show it, for comparing before and after.
    struct Retrato {
        Bancada b;
        QString dia;
    };
    Retrato Tira() { return {f->LeBancada(), ctl.Label4->text()}; }
};

// Every field, row and total text the widgets hold.
auto Conteudo(const Bancada& b) {
    const DadosGerais& d = b.dados;
    const Totais& t = b.totais;
    return std::tie(d.DataReferencia, d.ValorFinanciado, d.Taxa, d.TAC, d.IOF, d.Tarifa, b.linhas, t.ValorTotal, t.TAC,
                    t.IOF, t.Juros, t.Tarifa);
}

}  // namespace

TEST_F(JanelaBancada, ExemploDoDescontoDeChequeDigitadoComTeclas) {
    EXPECT_TRUE(ctl.data_ref->hasFocus());  // FormActivate
    Digita("281207");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(ctl.Edit6->hasFocus());
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(ctl.Edit1->hasFocus());
    Digita("3");
    Tecla(Qt::Key_Return);
    Digita("2");
    Tecla(Qt::Key_Return);
    Digita("0,0041");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(ctl.edtTARIFA->hasFocus());
    Digita("2");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(ctl.grid->hasFocus());  // past the two lists
    ctl.cbTipoTarifa->setFocus();
    Tecla(Qt::Key_Down);  // "Tarifa por título"
    ctl.ComboBox1->setFocus();
    Tecla(Qt::Key_Down);  // "Desconto de Cheque"
    EXPECT_EQ(f->TipoSelecionado(), TipoCalculo::DescontoCheque);
    DigitaCheques();
    Tecla(Qt::Key_F5);  // with the last value still in its cell editor

    EXPECT_EQ(ctl.Edit2->text(), "4.000,50");
    EXPECT_EQ(ctl.Label12->text(), "TAC   = 80,01");
    EXPECT_EQ(ctl.Label13->text(), "IOF   = 4,92");
    EXPECT_EQ(ctl.Label14->text(), "Juros = 151,53");
    EXPECT_EQ(ctl.Edit6->text(), "3.758,04");
    EXPECT_EQ(ctl.Label15->text(), "Tarifa= 6,00");
    EXPECT_EQ(Celula(0, 4), "5");
    EXPECT_EQ(Celula(1, 4), "33");
    EXPECT_EQ(Celula(2, 4), "52");
    EXPECT_EQ(Celula(2, 1), "2500,50");
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(ctl.Label4->text(), "Sexta-feira, 28 de Dezembro de 2007");
}

TEST_F(JanelaBancada, CETEscritoSoPorCalculoConcluidoELimpoComOsTotais) {
    ctl.ComboBox1->setCurrentIndex(0);
    ctl.data_ref->DefineData(D(2007, 12, 28));
    ctl.Edit1->setText("3");
    ctl.edtTAC->DefineValor(2);
    ctl.edtIOF->DefineValor(0.0041L);
    ctl.cbTipoTarifa->setCurrentIndex(0);
    ctl.edtTARIFA->DefineValor(2);
    ctl.grid->Modelo()->DefineLinhas(
        {{"31/12/07", "1000", "", "", ""}, {"26/01/08", "500", "", "", ""}, {"15/02/08", "2500,50", "", "", ""}});
    EXPECT_EQ(ctl.LabelCET->text(), "CET:");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(ctl.LabelCET->text(), "CET: 83,65% a.a. (5,20% a.m.)");
    EXPECT_EQ(ctl.LabelCET->accessibleName(), "CET");
    EXPECT_TRUE(ctl.LabelCET->accessibleDescription().startsWith("CET: 83,65% a.a. (5,20% a.m.)"));
    // A calculation that stops leaves it, as it leaves the totals.
    ctl.Edit1->setText("");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(ctl.LabelCET->text(), "CET: 83,65% a.a. (5,20% a.m.)");
    // Another type chosen: empty with the totals.
    ctl.ComboBox1->setFocus();
    Tecla(Qt::Key_Down);
    EXPECT_EQ(ctl.LabelCET->text(), "");
}

TEST_F(JanelaBancada, F5SemTipoNaoFazNada) {
    ctl.grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    ctl.grid->Modelo()->DefineCelula(0, 1, "1000");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(Celula(0, 4), "");
    EXPECT_EQ(ctl.Label14->text(), "Juros:");
}

TEST_F(JanelaBancada, EscolherOTipoLimpaOsTotaisSemCalcular) {
    ctl.Label14->setText("Juros = 1,00");
    ctl.grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    ctl.ComboBox1->setFocus();
    Tecla(Qt::Key_Down);
    for (QLabel* l : {ctl.Label12, ctl.Label13, ctl.Label14, ctl.Label15}) EXPECT_EQ(l->text(), "");
    EXPECT_EQ(Celula(0, 4), "");
}

TEST_F(JanelaBancada, F10LimpaOsTotaisMasGuardaTipoECompensacao) {
    ctl.ComboBox1->setCurrentIndex(0);
    ctl.data_ref->DefineData(D(2007, 12, 28));
    ctl.Edit1->setText("3");
    ctl.edtTAC->DefineValor(2);
    ctl.CheckBox1->setChecked(false);
    ctl.grid->Modelo()->DefineCelula(2, 0, "31/12/07");
    ctl.grid->Modelo()->DefineCelula(2, 1, "1000");
    Tecla(Qt::Key_F5);
    ASSERT_TRUE(ctl.Label14->text().startsWith("Juros = ")) << ctl.Label14->text().toStdString();
    Tecla(Qt::Key_F10);
    // No old Tarifa, TAC, IOF or Juros beside a Valor Total of 0.
    EXPECT_EQ(ctl.Label15->text(), "Tarifa:");
    EXPECT_EQ(ctl.Label12->text(), "TAC:");
    EXPECT_EQ(ctl.Label13->text(), "IOF:");
    EXPECT_EQ(ctl.Label14->text(), "Juros:");
    EXPECT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 1);
    EXPECT_EQ(Celula(0, 0), "");
    EXPECT_EQ(ctl.Edit6->text(), "");
    EXPECT_EQ(ctl.Edit1->text(), "0");
    EXPECT_EQ(ctl.Edit2->text(), "0");
    EXPECT_EQ(ctl.edtTAC->Valor(), 0);
    EXPECT_EQ(ctl.data_ref->Data(), Hoje());
    EXPECT_TRUE(ctl.Edit6->hasFocus());
    EXPECT_EQ(f->TipoSelecionado(), TipoCalculo::DescontoCheque);
    EXPECT_FALSE(ctl.CheckBox1->isChecked());
}

TEST_F(JanelaBancada, F7DuasVezesDeixaACaixaComoEstava) {
    const bool antes = ctl.CheckBox1->isChecked();
    Tecla(Qt::Key_F7);
    EXPECT_NE(ctl.CheckBox1->isChecked(), antes);
    Tecla(Qt::Key_F7);
    EXPECT_EQ(ctl.CheckBox1->isChecked(), antes);
}

TEST_F(JanelaBancada, F2FechaEscondendoMesmoEditandoUmaCelula) {
    ctl.grid->setFocus();
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 2));
    Digita("Banco");
    ASSERT_NE(ctl.grid->EditorAberto(), nullptr);
    Tecla(Qt::Key_F2);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(ctl.grid->TextoCelula(0, 2), "Banco");  // hidden, not destroyed
}

TEST_F(JanelaBancada, FiltrosDeTeclasDasColunas) {
    struct Caso {
        int coluna;
        const char* teclas;
        const char* celula;
    } casos[] = {
        {1, "1.234,5", "1234,5"},  // the point as the digit-group mark
        {1, "1,5,2", "1,52"},      // a second separator that regroups nothing: refused
        {1, "1234,5", "1234,5"},  {1, "abc12", "12"},          {0, "ab3112cd07", "31/12/07"},
        {4, "12ab", ""},          {2, "Bco 1/23", "Bco 1/23"},
    };
    for (const auto& c : casos) {
        ctl.grid->Modelo()->DefineLinhas(std::vector<Parcela>(1));
        ctl.grid->setFocus();
        ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, c.coluna));
        Digita(c.teclas);
        Tecla(Qt::Key_Return);
        EXPECT_EQ(Celula(0, c.coluna).toStdString(), c.celula) << c.teclas;
    }
}

// Amounts typed as Brazilians write them are the amounts; one left with three
// digits after its comma is asked about, in a cell as in "Valor Financiado".
TEST_F(JanelaBancada, ValoresComPontoDeMilharSaoOQueFoiDigitado) {
    DigitaPrimeiraData();
    Tecla(Qt::Key_Right);
    Digita("1.234,5");
    Tecla(Qt::Key_F5);
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(Celula(0, 1), "1234,5");
    EXPECT_EQ(ctl.Edit2->text(), "1.234,50");

    ctl.grid->Modelo()->DefineNumeroLinhas(2);
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(1, 1));
    Digita("2.500");
    Tecla(Qt::Key_Return);
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(msgs.mensagens[0].texto, "O valor \"2,500\" da linha 2 é 2.500,00?\nResponda Não para corrigi-lo.");
    EXPECT_EQ(Celula(1, 1), "2500");
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(1, 2));
    // No: the cell stays current, as typed, and F5 asks again before it reads it.
    msgs.respostas = {false, false};
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(1, 1));
    Digita("1.000");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celula(1, 1), "1,000");
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(1, 1));
    Tecla(Qt::Key_F5);
    EXPECT_EQ(msgs.mensagens.size(), 3u);
    EXPECT_EQ(ctl.Edit2->text(), "1.234,50");  // not calculated

    msgs.mensagens.clear();
    ctl.Edit6->setFocus(Qt::TabFocusReason);
    Digita("1.500,00");
    EXPECT_EQ(ctl.Edit6->text(), "1500,00");
    ctl.Edit6->selectAll();
    Digita("1.500");
    Tecla(Qt::Key_Return);
    QTest::qWait(0);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"O valor \"1,500\" é 1.500,00?\nResponda Não para corrigi-lo."});
    EXPECT_EQ(ctl.Edit6->text(), "1500");
    EXPECT_TRUE(ctl.Edit1->hasFocus());
}

TEST_F(JanelaBancada, SetaDireitaNumaDataInvalidaAvisa) {
    ctl.grid->setFocus();
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 0));
    Digita("3113");
    Tecla(Qt::Key_Right);  // inside the text: the caret moves
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"Data invalida"});
    Tecla(Qt::Key_Left);
    Digita("07");
    msgs.mensagens.clear();
    // Leaving the cell says which row and text, once; the cell stays
    // current with its text, for correction.
    Tecla(Qt::Key_Right);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalidaNaLinha("31/13/07", 1).toStdString()});
    EXPECT_EQ(Celula(0, 0), "31/13/07");
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(0, 0));
}

// A date that does not exist is said so when its cell is left (Enter, Tab,
// a click elsewhere), F5 stops at it, and no typed value is lost; a date
// cell opened and left blank says nothing and is an empty cell.
TEST_F(JanelaBancada, DataQueNaoExisteAvisaAoSairEF5ParaSemPerderOValor) {
    DigitaPrimeiraData();
    Tecla(Qt::Key_Return);
    Digita("900");
    Tecla(Qt::Key_Down);
    for (int i = 0; i < 2; ++i) Tecla(Qt::Key_Left);
    Digita("310208");
    Tecla(Qt::Key_Return);
    const std::string aviso = TextoDataInvalidaNaLinha("31/02/08", 2).toStdString();
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{aviso});
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(1, 0));
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(1, 1));
    Digita("400");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(msgs.Textos(), (std::vector<std::string>{aviso, aviso}));
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(1, 0));
    EXPECT_EQ(Celula(1, 1), "400");
    EXPECT_EQ(ctl.Edit2->text(), "0");
    // Left for another control: said once the focus has settled.
    msgs.mensagens.clear();
    Digita("000000");
    Tecla(Qt::Key_Tab);
    QTest::qWait(0);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalidaNaLinha("00/00/00", 2).toStdString()});
    EXPECT_TRUE(ctl.grid->hasFocus());
    // Corrected: F5 counts both cheques; a blank mask is an empty cell.
    msgs.mensagens.clear();
    Digita("290208");
    Tecla(Qt::Key_Down);
    const QPoint vazia = ctl.grid->visualRect(ctl.grid->model()->index(2, 0)).center();
    QTest::mouseClick(ctl.grid->viewport(), Qt::LeftButton, {}, vazia);
    QTest::mouseDClick(ctl.grid->viewport(), Qt::LeftButton, {}, vazia);
    ASSERT_NE(ctl.grid->EditorAberto(), nullptr);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celula(2, 0), "");
    Tecla(Qt::Key_F5);
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(ctl.Edit2->text(), "1.300,00");
}

// As in a spreadsheet: Delete and Backspace on cells not being edited clear
// them (never "Nº Dias"); Ctrl+Z right after brings them back; F10's undo is
// as before.
TEST_F(JanelaBancada, DeleteEBackspaceLimpamCelulasECtrlZAsTraz) {
    const std::vector<Parcela> linhas = {Parcela{"31/12/07", "1000", "001", "Ana", "5"},
                                         Parcela{"26/01/08", "500", "002", "Rui", "33"}};
    ctl.grid->Modelo()->DefineLinhas(linhas);
    ctl.grid->setFocus(Qt::TabFocusReason);
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 1));
    Tecla(Qt::Key_Backspace);
    EXPECT_EQ(Celula(0, 1), "");
    EXPECT_EQ(ctl.grid->EditorAberto(), nullptr);
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Celula(0, 1), "1000");
    for (int i = 0; i < 3; ++i) Tecla(Qt::Key_Right, Qt::ShiftModifier);
    Tecla(Qt::Key_Down, Qt::ShiftModifier);
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(ctl.grid->Modelo()->Linhas(),
              (std::vector<Parcela>{Parcela{"31/12/07", "", "", "", "5"}, Parcela{"26/01/08", "", "", "", "33"}}));
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctl.grid->Modelo()->Linhas(), linhas);
    Tecla(Qt::Key_Delete);
    Digita("7");  // any other key keeps the clearing
    ctl.grid->EncerraEdicao(false);
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Celula(1, 3), "");
    Tecla(Qt::Key_F10);
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Celula(0, 0), "31/12/07");
    EXPECT_EQ(Celula(1, 3), "");
}

TEST_F(JanelaBancada, SetaDireitaNumaDataValidaOuVaziaNaoAvisa) {
    ctl.grid->setFocus();
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 0));
    Tecla(Qt::Key_Right);  // no editor opened yet: nothing remembered
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 0));
    Digita("311207");
    Tecla(Qt::Key_Right);
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(JanelaBancada, DescerDaUltimaLinhaCriaUmaLinha) {
    ctl.grid->setFocus();
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 1));
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    EXPECT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(ctl.grid->currentIndex().row(), 2);
    Tecla(Qt::Key_Up);
    EXPECT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 3);
}

TEST_F(JanelaBancada, EnterNosCamposPassaAdianteUmaVezENaoEntraNoTexto) {
    ctl.Edit6->setFocus(Qt::TabFocusReason);
    Digita("1.5a");
    EXPECT_EQ(ctl.Edit6->text(), "1,5");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(ctl.Edit1->hasFocus());
    Tecla(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(ctl.edtTAC->hasFocus());
}

TEST_F(JanelaBancada, CampoComFocoFicaAmarelo) {
    const QColor normal = ctl.Edit1->palette().color(QPalette::Base);
    ctl.Edit1->setFocus();
    EXPECT_EQ(ctl.Edit1->palette().color(QPalette::Base), QColor(255, 255, 0));
    ctl.edtTAC->setFocus();
    EXPECT_EQ(ctl.Edit1->palette().color(QPalette::Base), normal);
    // Red, dark enough to read on white and on the focused field's yellow.
    EXPECT_EQ(ctl.Edit6->palette().color(QPalette::Text), QColor(192, 0, 0));
}

TEST_F(JanelaBancada, ErroDeConversaoDeixaAJanelaComoEsta) {
    ctl.ComboBox1->setCurrentIndex(0);
    ctl.data_ref->DefineData(D(2007, 12, 28));
    ctl.Edit1->setText("");
    ctl.grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    ctl.grid->Modelo()->DefineCelula(0, 1, "1000");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"'' is not a valid floating point value"});
    EXPECT_EQ(Celula(0, 4), "5");
    EXPECT_EQ(ctl.Label14->text(), "Juros:");
}

TEST_F(JanelaBancada, DialogosDosTipos1E3CopiamECalculam) {
    // The instalment window's values leave the financed value blank: the
    // calculation solves it into that window and leaves the workbench alone.
    std::vector<JanelaPrice> apurados;
    f->lePrestacao = [] { return JanelaPrice{0, 12, 2.5L, 100}; };
    f->apurouValorFinanciado = [&](const JanelaPrice& j) { apurados.push_back(j); };
    f->leQtdParcelas = [] { return 12.0L; };
    f->abrePrestacao = [] { return Tfrm_desconto_cheque::DadosPrestacao{"", "2,5"}; };
    f->abreRenegociacao = [] { return Tfrm_desconto_cheque::DadosRenegociacao{1045, 45, "2"}; };
    ctl.data_ref->DefineData(D(2008, 4, 15));
    ctl.ComboBox1->setFocus();
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);  // "Prestação Taxa Efetiva"
    EXPECT_EQ(ctl.Edit6->text(), "0");
    EXPECT_EQ(ctl.Edit1->text(), "2,5");
    ASSERT_EQ(apurados.size(), 1u);
    EXPECT_EQ(apurados[0].ValorFinanciado, Segura(1025.78L, 2));
    EXPECT_EQ(f->UltimoDesfecho(), Desfecho::Concluido);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);  // "Renegociação de Dívidas": 1000 at 2 % in the renegotiation window's 12
    EXPECT_EQ(ctl.Edit6->text(), "1000");
    EXPECT_EQ(ctl.Edit1->text(), "2");
    EXPECT_EQ(Celula(11, 0), "15/04/09");
    EXPECT_EQ(ctl.Edit2->text(), "1.134,72");
    EXPECT_EQ(ctl.LabelCET->text(), "CET: -");  // a schedule has none
    EXPECT_EQ(apurados.size(), 1u);
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(JanelaBancada, FormActivateSoQuandoVemDeOutraJanela) {
    QWidget outra;
    outra.show();
    ctl.Edit1->setFocus();
    // A message box the workbench itself opened gives the focus back where it was.
    QWidget propria(f.get(), Qt::Dialog);
    propria.show();
    QApplication::setActiveWindow(&propria);
    QApplication::setActiveWindow(f.get());
    EXPECT_TRUE(ctl.Edit1->hasFocus());
    propria.close();
    // Coming back from another window of the program resets the focus.
    QApplication::setActiveWindow(&outra);
    QApplication::setActiveWindow(f.get());
    EXPECT_TRUE(ctl.data_ref->hasFocus());
}

TEST_F(JanelaBancada, ControlesComNomesETextos) {
    const char* nomes[] = {"data_ref",     "Label4",    "Edit6",        "Edit1",     "ComboBox1",
                           "edtTAC",       "edtIOF",    "cbTipoTarifa", "edtTARIFA", "grid",
                           "Edit2",        "LabelCET",  "Label15",      "Label12",   "Label13",
                           "Label14",      "CheckBox1", "btnCalcula",   "btnLimpa",  "btnImprime",
                           "SpeedButton2", "btnFecha",  "btnrecibo",    "Status",    "Timer"};
    for (const char* n : nomes) EXPECT_NE(f->findChild<QObject*>(n), nullptr) << n;
    EXPECT_EQ(f->windowTitle(), "QUANTIVO");
    EXPECT_EQ(f->size(), QSize(687, 535));
    EXPECT_EQ(ctl.Edit6->accessibleName(), "Valor Financiado");
    EXPECT_EQ(ctl.Edit1->accessibleName(), "Taxa (%)");
    EXPECT_EQ(ctl.edtTARIFA->accessibleName(), "Tarifa");
    EXPECT_EQ(ctl.btnCalcula->text(), "F5 - &Calcula");
    EXPECT_EQ(ctl.CheckBox1->text(), "F7- Inclui C&ompensação");
    EXPECT_EQ(ctl.ComboBox1->currentIndex(), -1);
    EXPECT_EQ(ctl.cbTipoTarifa->currentIndex(), -1);
    QStringList titulos;
    for (int c = 0; c < 5; ++c) titulos << ctl.grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titulos, (QStringList{"Data", "Valor", "Banco/Número", "Emitente", "Nº Dias"}));
    const int larguras[] = {81, 91, 111, 132, 64};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(ctl.grid->columnWidth(c), larguras[c]);
    // Tab order: each control hands over to the next.
    QWidget* ordem[] = {ctl.data_ref,     ctl.Edit6,     ctl.Edit1,      ctl.edtTAC,    ctl.edtIOF,    ctl.edtTARIFA,
                        ctl.cbTipoTarifa, ctl.ComboBox1, ctl.grid,       ctl.CheckBox1, ctl.CheckBox2, ctl.btnFeriados,
                        ctl.btnCalcula,   ctl.btnLimpa,  ctl.btnImprime, ctl.btnFecha,  ctl.btnrecibo};
    for (std::size_t i = 0; i + 1 < std::size(ordem); ++i) {
        if (ordem[i] == ctl.cbTipoTarifa) continue;  // the editable list's line edit sits between
        EXPECT_EQ(teste::ProximoNoTab(ordem[i]), ordem[i + 1]) << i;
    }
}

TEST_F(JanelaBancada, LinksDoFornecedorAbremAPagina) {
    auto* site = f->findChild<QLabel*>("lblSite");
    ASSERT_NE(site, nullptr);
    QTest::mouseClick(site, Qt::LeftButton);
    ASSERT_EQ(urls.size(), 1);
    EXPECT_TRUE(urls[0].contains("example.com"));
}

TEST_F(JanelaBancada, VendaPorForaPeloF5) {
    ctl.data_ref->DefineData(D(2007, 6, 1));
    ctl.Edit6->setText("5000");
    ctl.Edit1->setText("5");
    ctl.edtTAC->DefineValor(1);
    ctl.edtIOF->DefineValor(0.0041L);
    ctl.edtTARIFA->DefineValor(2);
    ctl.cbTipoTarifa->setCurrentIndex(0);
    ctl.ComboBox1->setCurrentIndex(2);
    for (int l = 0; l < 3; ++l)
        ctl.grid->Modelo()->DefineCelula(l, 0, QStringList{"20/06/07", "30/06/07", "15/07/07"}[l]);
    Tecla(Qt::Key_F5);
    EXPECT_TRUE(msgs.mensagens.empty());
    for (int l = 0; l < 3; ++l) EXPECT_EQ(Celula(l, 1), "1.789,44");
    EXPECT_EQ(ctl.Edit2->text(), "5.368,31");
    EXPECT_EQ(ctl.Label14->text(), "Juros = 301,22");
    EXPECT_EQ(ctl.Edit6->text(), "5000");
}

TEST_F(JanelaBancada, DigitadoLogoAposClicarNaCelulaAtualFicaNelaSemProcurarLinha) {
    for (int l = 0; l < 3; ++l) ctl.grid->Modelo()->DefineCelula(l, 1, QString::number(100 * (l + 1)));
    ctl.grid->setFocus(Qt::TabFocusReason);
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 1));
    ClicaCelula(0, 1);
    Digita("350");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celula(0, 1), "350");
    EXPECT_EQ(Celula(2, 1), "300");
}

TEST_F(JanelaBancada, DuploCliqueAindaAbreOEditorDaCelula) {
    ctl.grid->Modelo()->DefineCelula(0, 3, "Ana");
    const QRect r = ctl.grid->visualRect(ctl.grid->model()->index(0, 3));
    // A double click as the mouse gives it: a click, then the second press.
    QTest::mouseClick(ctl.grid->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(ctl.grid->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_NE(ctl.grid->EditorAberto(), nullptr);
    EXPECT_EQ(ctl.grid->EditorAberto()->text(), "Ana");
}

// A date cell opened by a double click and clicked into: a whole date typed
// with the caret inside the old one is the date typed, not a mix of both.
TEST_F(JanelaBancada, DataDigitadaNaCelulaAbertaComCliqueEhADigitada) {
    ctl.grid->Modelo()->DefineCelula(0, 0, "15/11/07");
    const QRect r = ctl.grid->visualRect(ctl.grid->model()->index(0, 0));
    QTest::mouseClick(ctl.grid->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(ctl.grid->viewport(), Qt::LeftButton, {}, r.center());
    QLineEdit* editor = ctl.grid->EditorAberto();
    ASSERT_NE(editor, nullptr);
    // A click between the year's digits.
    const int y = editor->height() / 2;
    int x = 0;
    while (x < editor->width() && editor->cursorPositionAt({x, y}) < 7) ++x;
    QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(x, y));
    ASSERT_EQ(editor->cursorPosition(), 7);
    Digita("281207");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celula(0, 0), "28/12/07");
}

TEST_F(JanelaBancada, EnterLevaDeCelulaEmCelulaEDoEmitenteAProximaLinhaSemPassarPorNDias) {
    ctl.ComboBox1->setCurrentIndex(0);
    teste::DadosDoExemplo(*f);
    ctl.grid->setFocus(Qt::TabFocusReason);
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 0));
    // Date, value, bank, issuer, each followed by one Enter ("|"); the
    // issuer's Enter goes to the next row's date.
    const QStringList celulas = QStringLiteral("311207|1000|001/123|Ana|260108|500|||150208|2500,50").split('|');
    for (int i = 0; i < celulas.size(); ++i) {
        if (i > 0) Tecla(Qt::Key_Return);
        Digita(celulas[i]);
    }
    Tecla(Qt::Key_F5);
    EXPECT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(Celula(0, 2), "001/123");
    EXPECT_EQ(Celula(0, 3), "Ana");
    EXPECT_EQ(Celula(1, 0), "26/01/08");
    EXPECT_EQ(Celula(2, 1), "2500,50");
    EXPECT_EQ(ctl.Edit2->text(), "4.000,50");
    EXPECT_EQ(ctl.Edit6->text(), "3.758,04");
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(JanelaBancada, EnterMostraOQuadroDeFocoComoTab) {
    ASSERT_FALSE(f->testAttribute(Qt::WA_KeyboardFocusChange));
    ctl.btnLimpa->setFocus(Qt::MouseFocusReason);
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(ctl.btnImprime->hasFocus());
    EXPECT_TRUE(f->testAttribute(Qt::WA_KeyboardFocusChange));
}

TEST_F(JanelaBancada, CtrlZLogoAposF10TrazTudoDeVoltaEOPainelAvisa) {
    ctl.ComboBox1->setCurrentIndex(0);
    ctl.data_ref->DefineData(D(2007, 12, 20));
    ctl.Edit1->setText("3");
    ctl.edtTAC->DefineValor(2);
    ctl.edtIOF->DefineValor(0.0041L);
    ctl.edtTARIFA->DefineValor(2);
    ctl.grid->Modelo()->DefineLinhas(
        {Parcela{"31/12/07", "1000", "001", "Ana", ""}, Parcela{"26/01/08", "500", "", "", ""}});
    Tecla(Qt::Key_F5);
    const Retrato antes = Tira();
    ASSERT_EQ(antes.dia, "Quinta-feira, 20 de Dezembro de 2007");
    auto* painel = f->findChild<QLabel*>("painel5");
    Tecla(Qt::Key_F10);
    ASSERT_EQ(ctl.Edit1->text(), "0");
    EXPECT_EQ(painel->text(), "Ctrl+Z desfaz a limpeza");
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    const Retrato depois = Tira();
    EXPECT_TRUE(Conteudo(depois.b) == Conteudo(antes.b));
    EXPECT_EQ(depois.b.linhas, antes.b.linhas);
    EXPECT_EQ(ctl.Label4->text(), antes.dia);
    EXPECT_EQ(painel->text(), "");
}

TEST_F(JanelaBancada, TeclaDigitadaAposF10CancelaODesfazer) {
    ctl.Edit1->setText("3");
    ctl.grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    Tecla(Qt::Key_F10);
    Digita("5");  // into "Valor Financiado"
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctl.Edit1->text(), "0");
    EXPECT_EQ(Celula(0, 0), "");
    EXPECT_EQ(f->findChild<QLabel*>("painel5")->text(), "");
}

TEST_F(JanelaBancada, F10EsvaziaOCETEOsTotaisECtrlZOsTrazDeVolta) {
    ctl.ComboBox1->setCurrentIndex(0);
    ctl.data_ref->DefineData(D(2007, 12, 28));
    ctl.Edit1->setText("3");
    ctl.grid->Modelo()->DefineLinhas({{"31/12/07", "1000", "", "", ""}, {"26/01/08", "500", "", "", ""}});
    Tecla(Qt::Key_F5);
    const QString cet = ctl.LabelCET->text();
    ASSERT_TRUE(cet.startsWith("CET: ") && cet.size() > 5) << cet.toStdString();
    const QString juros = ctl.Label14->text(), tac = ctl.Label12->text();
    Tecla(Qt::Key_F10);
    EXPECT_EQ(ctl.LabelCET->text(), "");
    EXPECT_EQ(ctl.Label14->text(), "Juros:");
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctl.Label14->text(), juros);
    EXPECT_EQ(ctl.Label12->text(), tac);
    EXPECT_EQ(ctl.LabelCET->text(), cet);
    EXPECT_TRUE(ctl.LabelCET->accessibleDescription().startsWith(cet));
}

// Tab goes through both lists, in the tab order; Enter in the fee field
// jumps past them into the grid, and Shift+Tab comes back through them.
TEST_F(JanelaBancada, TabPassaPelasDuasListasEnterDaTarifaVaiAGrade) {
    const auto dono = [](QWidget* w) {
        while (w && w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget())) w = w->parentWidget();
        return w;
    };
    ctl.edtTARIFA->setFocus(Qt::TabFocusReason);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(dono(QApplication::focusWidget()), ctl.cbTipoTarifa);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(dono(QApplication::focusWidget()), ctl.ComboBox1);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ctl.grid);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(dono(QApplication::focusWidget()), ctl.ComboBox1);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(dono(QApplication::focusWidget()), ctl.cbTipoTarifa);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), ctl.edtTARIFA);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), ctl.grid);
    EXPECT_TRUE(f->testAttribute(Qt::WA_KeyboardFocusChange));
}

// The largest amounts each field takes, or a calculation writes, fit the
// field (the font steps down); a small amount gets the field's font back.
TEST_F(JanelaBancada, ValoresGrandesCabemNosCamposSemPerderDigitos) {
    ctl.btnCalcula->setFocus();
    const auto cabe = [](QLineEdit* e) {
        return e->fontMetrics().horizontalAdvance(e->displayText()) <= LarguraDoTexto(e);
    };
    const QFont fonteEdit6 = ctl.Edit6->font(), fonteIOF = ctl.edtIOF->font();
    ctl.Edit6->setText("922.337.203.685.477,58");  // the largest net value of the fixed point
    ctl.Edit2->setText("922.337.203.685.477,58");
    ctl.edtTAC->DefineValor(999999999999999.99L);
    ctl.edtIOF->DefineValor(999999999999999.9999L);
    ctl.edtTARIFA->DefineValor(999999999999999.99L);
    for (QLineEdit* e : {ctl.Edit6, ctl.Edit2, static_cast<QLineEdit*>(ctl.edtTAC), static_cast<QLineEdit*>(ctl.edtIOF),
                         static_cast<QLineEdit*>(ctl.edtTARIFA)}) {
        EXPECT_TRUE(cabe(e)) << e->objectName().toStdString() << " " << e->displayText().toStdString();
        EXPECT_GE(e->font().pointSizeF(), 4.5) << e->objectName().toStdString();
    }
    EXPECT_TRUE(ctl.edtTARIFA->displayText().startsWith("R$ ")) << ctl.edtTARIFA->displayText().toStdString();
    EXPECT_LT(ctl.Edit6->font().pointSizeF(), fonteEdit6.pointSizeF());
    EXPECT_TRUE(ctl.Edit6->font().bold());
    ctl.Edit6->setText("1.000,00");
    ctl.edtIOF->DefineValor(0.0041L);
    EXPECT_EQ(ctl.Edit6->font(), fonteEdit6);
    EXPECT_EQ(ctl.edtIOF->font(), fonteIOF);
    EXPECT_EQ(ctl.Edit6->geometry(), QRect(10, 76, 120, 21));
}

// A real message box over a cell being edited, answered with Enter on its OK:
// what was typed is in the grid, its cell current, the grid has the focus.
TEST_F(JanelaBancada, F5ComCelulaAbertaEMensagemRespondidaComEnter) {
    DigitaPrimeiraData();
    Tecla(Qt::Key_Right);  // out of the date cell
    Tecla(Qt::Key_Right);
    Digita("Bco");
    ASSERT_NE(ctl.grid->EditorAberto(), nullptr);
    DefineServicoMensagens(nullptr);
    guarda.Permite(true);
    std::string texto;
    teste::EnterNaProximaCaixa(&texto);
    Tecla(Qt::Key_F5);
    guarda.Permite(false);
    DefineServicoMensagens(&msgs);
    EXPECT_EQ(texto, "Necessário informar o valor da(s) parcela(s)");
    EXPECT_EQ(Celula(0, 0), "31/12/07");
    EXPECT_EQ(Celula(0, 2), "Bco");
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(0, 2));
    // The window takes the keyboard back from the box itself, with no
    // window manager to hand it over.
    EXPECT_TRUE(QTest::qWaitForWindowActive(f.get(), 1000));
    // The focus the window gives back when the desktop makes it active again.
    EXPECT_EQ(f->focusWidget(), ctl.grid);
    QApplication::setActiveWindow(f.get());
    EXPECT_TRUE(ctl.grid->hasFocus());
    // The window works on: the value typed now is calculated.
    Tecla(Qt::Key_Left);
    Digita("1000");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(Celula(0, 1), "1000");
    EXPECT_EQ(Celula(0, 4), "5");
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(JanelaBancada, F5F10EF12ComCelulaAbertaUsamOQueFoiDigitado) {
    DigitaPrimeiraData();
    Tecla(Qt::Key_Right);
    Digita("1000");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(ctl.Edit2->text(), "1.000,00");
    EXPECT_EQ(ctl.grid->EditorAberto(), nullptr);
    // F10 with a cell open, then Ctrl+Z: the typed text comes back with the rest.
    Digita("2000");
    Tecla(Qt::Key_F10);
    EXPECT_EQ(Celula(0, 1), "");
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Celula(0, 1), "2000");
    EXPECT_EQ(ctl.Edit1->text(), "3");
    // F7 leaves the cell open: it calculates nothing.
    ctl.grid->setFocus(Qt::TabFocusReason);
    Digita("3");
    ASSERT_NE(ctl.grid->EditorAberto(), nullptr);
    Tecla(Qt::Key_F7);
    EXPECT_FALSE(ctl.CheckBox1->isChecked());
    EXPECT_NE(ctl.grid->EditorAberto(), nullptr);
}

// A click on the empty area below the last row starts a new row in the
// column clicked; the keys typed next go there and nowhere else.
TEST_F(JanelaBancada, CliqueAbaixoDaUltimaLinhaComecaUmaLinhaNova) {
    ctl.grid->setFocus(Qt::TabFocusReason);
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 0));
    Digita("150127");
    Tecla(Qt::Key_Right);
    Digita("1500");  // its editor still open
    const QRect valor = ctl.grid->visualRect(ctl.grid->model()->index(0, 1));
    QTest::mouseClick(ctl.grid->viewport(), Qt::LeftButton, {}, QPoint(valor.center().x(), valor.bottom() + 25));
    teste::DigitaAoRitmo("800");
    EXPECT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 2);
    EXPECT_EQ(Celula(0, 0), "15/01/27");
    EXPECT_EQ(Celula(0, 1), "1500");
    EXPECT_EQ(ctl.grid->TextoCelula(1, 1), "800");
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(1, 1));
    // Beside a row, past the last column: that row's last cell, shown current.
    ctl.grid->EncerraEdicao(true);
    const QRect dias = ctl.grid->visualRect(ctl.grid->model()->index(0, 4));
    if (dias.right() + 5 < ctl.grid->viewport()->width()) {
        QTest::mouseClick(ctl.grid->viewport(), Qt::LeftButton, {}, QPoint(dias.right() + 3, dias.center().y()));
        EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(0, 4));
        EXPECT_TRUE(ctl.grid->selectionModel()->isSelected(ctl.grid->currentIndex()));
        teste::DigitaAoRitmo("9");  // the calculated column takes no key
        EXPECT_EQ(Celula(0, 1), "1500");
    }
    // A double click below adds one row, not two.
    const QRect ultima = ctl.grid->visualRect(ctl.grid->model()->index(1, 0));
    const QPoint abaixo(ultima.center().x(), ultima.bottom() + 40);
    QTest::mouseClick(ctl.grid->viewport(), Qt::LeftButton, {}, abaixo);  // its first press
    QTest::mouseDClick(ctl.grid->viewport(), Qt::LeftButton, {}, abaixo);
    EXPECT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 3);
}

TEST_F(JanelaBancada, RecebeUmaOperacaoInteiraECalcula) {
    // What an earlier operation left: more rows, an open cell, charges, totals.
    ctl.grid->Modelo()->DefineLinhas(std::vector<Parcela>(5, Parcela{"01/01/08", "9", "", "", ""}));
    ctl.edtTAC->DefineValor(7);
    ctl.Label12->setText("TAC   = 1,00");
    ctl.grid->setFocus();
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(4, 1));
    Digita("77");
    f->hide();
    Bancada op;
    op.dados.DataReferencia = D(2007, 12, 28);
    op.dados.Taxa = "3";
    op.dados.TAC = 2;
    op.dados.IOF = 0.0041L;
    op.dados.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    op.dados.Tarifa = 2;
    op.dados.Tipo = TipoCalculo::DescontoCheque;
    op.linhas = {{"31/12/07", "1000", "1/2", "Ana", ""},
                 {},
                 {"26/01/08", "500", "", "", ""},
                 {"15/02/08", "2500,50", "", "", ""}};
    EXPECT_EQ(f->Recebe(op, {.valorFinanciado = false, .cheques = true, .mostraAntes = true}), Desfecho::Concluido);
    EXPECT_TRUE(f->isVisible());
    ASSERT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 4);
    EXPECT_EQ(Celula(0, 2), "1/2");
    EXPECT_EQ(Celula(1, 0), "");
    EXPECT_EQ(Celula(3, 4), "52");
    EXPECT_EQ(ctl.Edit6->text(), "3.758,04");
    EXPECT_EQ(ctl.Edit2->text(), "4.000,50");
    EXPECT_EQ(ctl.Label12->text(), "TAC   = 80,01");
    EXPECT_EQ(ctl.LabelCET->text(), "CET: 83,65% a.a. (5,20% a.m.)");
    EXPECT_EQ(f->TipoSelecionado(), TipoCalculo::DescontoCheque);
    EXPECT_EQ(ctl.Label4->text(), TextoDataExtenso(D(2007, 12, 28)));
}

TEST_F(JanelaBancada, RecebeSoOQueAJanelaTrazEORestoFicaComoEstava) {
    // The rows, the financed value and the fee kind stay the workbench's when
    // not brought; the charges are always the operation's.
    for (int l = 0; l < 3; ++l)
        ctl.grid->Modelo()->DefineCelula(l, 0, QStringList{"20/06/07", "30/06/07", "15/07/07"}[l]);
    ctl.Edit6->setText("5000");
    ctl.cbTipoTarifa->setCurrentIndex(0);
    ctl.edtTAC->DefineValor(9);
    f->hide();
    Bancada op;
    op.dados.DataReferencia = D(2007, 6, 1);
    op.dados.ValorFinanciado = "999";
    op.dados.Taxa = "5";
    op.dados.TAC = 1;
    op.dados.IOF = 0.0041L;
    op.dados.TipoTarifa = TipoDeTarifa::TarifaTotal;
    op.dados.Tarifa = 2;
    op.dados.Tipo = TipoCalculo::VendaPorFora;
    op.linhas.clear();
    EXPECT_EQ(f->Recebe(op, {.valorFinanciado = false, .cheques = false, .mostraAntes = false}), Desfecho::Concluido);
    EXPECT_FALSE(f->isVisible());  // the caller shows it
    for (int l = 0; l < 3; ++l) EXPECT_EQ(Celula(l, 1), "1.789,44");
    EXPECT_EQ(ctl.Edit6->text(), "5000");
    EXPECT_EQ(ctl.cbTipoTarifa->currentIndex(), 0);
    EXPECT_EQ(ctl.Edit2->text(), "5.368,31");
}
