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
        f->grid->setFocus(Qt::TabFocusReason);
        f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
        teste::DigitaLinhas({{"311207", "1000"}, {"260108", "500"}, {"150208", "2500,50"}});
    }
    // A click on a cell as the mouse gives it, with no wait after it.
    void ClicaCelula(int l, int c) {
        const QRect r = f->grid->visualRect(f->grid->model()->index(l, c));
        QTest::mouseClick(f->grid->viewport(), Qt::LeftButton, {}, r.center());
    }
    // The workbench as the widgets show it, for comparing before and after.
    struct Retrato {
        Bancada b;
        QString dia;
    };
    Retrato Tira() { return {f->LeBancada(), f->Label4->text()}; }
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
    EXPECT_TRUE(f->data_ref->hasFocus());  // FormActivate
    Digita("281207");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(f->Edit6->hasFocus());
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(f->Edit1->hasFocus());
    Digita("3");
    Tecla(Qt::Key_Return);
    Digita("2");
    Tecla(Qt::Key_Return);
    Digita("0,0041");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(f->edtTARIFA->hasFocus());
    Digita("2");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(f->grid->hasFocus());  // past the two lists
    f->cbTipoTarifa->setFocus();
    Tecla(Qt::Key_Down);  // "Tarifa por título"
    f->ComboBox1->setFocus();
    Tecla(Qt::Key_Down);  // "Desconto de Cheque"
    EXPECT_EQ(f->TipoSelecionado(), TipoCalculo::DescontoCheque);
    DigitaCheques();
    Tecla(Qt::Key_F5);  // with the last value still in its cell editor

    EXPECT_EQ(f->Edit2->text(), "4.000,50");
    EXPECT_EQ(f->Label12->text(), "TAC   = 80,01");
    EXPECT_EQ(f->Label13->text(), "IOF   = 4,92");
    EXPECT_EQ(f->Label14->text(), "Juros = 151,53");
    EXPECT_EQ(f->Edit6->text(), "3.758,04");
    EXPECT_EQ(f->Label15->text(), "Tarifa= 6,00");
    EXPECT_EQ(Celula(0, 4), "5");
    EXPECT_EQ(Celula(1, 4), "33");
    EXPECT_EQ(Celula(2, 4), "52");
    EXPECT_EQ(Celula(2, 1), "2500,50");
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(f->Label4->text(), "Sexta-feira, 28 de Dezembro de 2007");
}

TEST_F(JanelaBancada, CETEscritoSoPorCalculoConcluidoELimpoComOsTotais) {
    f->ComboBox1->setCurrentIndex(0);
    f->data_ref->DefineData(D(2007, 12, 28));
    f->Edit1->setText("3");
    f->edtTAC->DefineValor(2);
    f->edtIOF->DefineValor(0.0041L);
    f->cbTipoTarifa->setCurrentIndex(0);
    f->edtTARIFA->DefineValor(2);
    f->grid->Modelo()->DefineLinhas(
        {{"31/12/07", "1000", "", "", ""}, {"26/01/08", "500", "", "", ""}, {"15/02/08", "2500,50", "", "", ""}});
    EXPECT_EQ(f->LabelCET->text(), "CET:");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(f->LabelCET->text(), "CET: 83,65% a.a. (5,20% a.m.)");
    EXPECT_EQ(f->LabelCET->accessibleName(), "CET");
    EXPECT_TRUE(f->LabelCET->accessibleDescription().startsWith("CET: 83,65% a.a. (5,20% a.m.)"));
    // A calculation that stops leaves it, as it leaves the totals.
    f->Edit1->setText("");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(f->LabelCET->text(), "CET: 83,65% a.a. (5,20% a.m.)");
    // Another type chosen: empty with the totals.
    f->ComboBox1->setFocus();
    Tecla(Qt::Key_Down);
    EXPECT_EQ(f->LabelCET->text(), "");
}

TEST_F(JanelaBancada, F5SemTipoNaoFazNada) {
    f->grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    f->grid->Modelo()->DefineCelula(0, 1, "1000");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(Celula(0, 4), "");
    EXPECT_EQ(f->Label14->text(), "Juros:");
}

TEST_F(JanelaBancada, EscolherOTipoLimpaOsTotaisSemCalcular) {
    f->Label14->setText("Juros = 1,00");
    f->grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    f->ComboBox1->setFocus();
    Tecla(Qt::Key_Down);
    for (QLabel* l : {f->Label12, f->Label13, f->Label14, f->Label15}) EXPECT_EQ(l->text(), "");
    EXPECT_EQ(Celula(0, 4), "");
}

TEST_F(JanelaBancada, F10LimpaMasGuardaTotaisTipoECompensacao) {
    f->ComboBox1->setCurrentIndex(0);
    f->data_ref->DefineData(D(2007, 12, 28));
    f->Edit1->setText("3");
    f->edtTAC->DefineValor(2);
    f->CheckBox1->setChecked(false);
    f->grid->Modelo()->DefineCelula(2, 0, "31/12/07");
    f->grid->Modelo()->DefineCelula(2, 1, "1000");
    Tecla(Qt::Key_F5);
    const QString juros = f->Label14->text();
    Tecla(Qt::Key_F10);
    EXPECT_EQ(f->grid->Modelo()->NumeroLinhas(), 1);
    EXPECT_EQ(Celula(0, 0), "");
    EXPECT_EQ(f->Edit6->text(), "");
    EXPECT_EQ(f->Edit1->text(), "0");
    EXPECT_EQ(f->Edit2->text(), "0");
    EXPECT_EQ(f->edtTAC->Valor(), 0);
    EXPECT_EQ(f->data_ref->Data(), Hoje());
    EXPECT_TRUE(f->Edit6->hasFocus());
    EXPECT_EQ(f->Label14->text(), juros);
    EXPECT_EQ(f->TipoSelecionado(), TipoCalculo::DescontoCheque);
    EXPECT_FALSE(f->CheckBox1->isChecked());
}

TEST_F(JanelaBancada, F7DuasVezesDeixaACaixaComoEstava) {
    const bool antes = f->CheckBox1->isChecked();
    Tecla(Qt::Key_F7);
    EXPECT_NE(f->CheckBox1->isChecked(), antes);
    Tecla(Qt::Key_F7);
    EXPECT_EQ(f->CheckBox1->isChecked(), antes);
}

TEST_F(JanelaBancada, F2FechaEscondendoMesmoEditandoUmaCelula) {
    f->grid->setFocus();
    f->grid->setCurrentIndex(f->grid->model()->index(0, 2));
    Digita("Banco");
    ASSERT_NE(f->grid->EditorAberto(), nullptr);
    Tecla(Qt::Key_F2);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->grid->TextoCelula(0, 2), "Banco");  // hidden, not destroyed
}

TEST_F(JanelaBancada, FiltrosDeTeclasDasColunas) {
    struct Caso {
        int coluna;
        const char* teclas;
        const char* celula;
    } casos[] = {
        {1, "1.234,5", "1,234,5"},  // the point becomes a comma
        {1, "1234,5", "1234,5"},   {1, "abc12", "12"},          {0, "ab3112cd07", "31/12/07"},
        {4, "12ab", ""},           {2, "Bco 1/23", "Bco 1/23"},
    };
    for (const auto& c : casos) {
        f->grid->Modelo()->DefineLinhas(std::vector<Parcela>(1));
        f->grid->setFocus();
        f->grid->setCurrentIndex(f->grid->model()->index(0, c.coluna));
        Digita(c.teclas);
        Tecla(Qt::Key_Return);
        EXPECT_EQ(Celula(0, c.coluna).toStdString(), c.celula) << c.teclas;
    }
}

TEST_F(JanelaBancada, ValorComPontoViraVirgulaEOCalculoRecusa) {
    f->ComboBox1->setCurrentIndex(0);
    f->data_ref->DefineData(D(2007, 12, 28));
    f->Edit1->setText("3");
    f->grid->setFocus();
    f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
    Digita("311207");
    Tecla(Qt::Key_Right);
    Digita("1.234,5");
    Tecla(Qt::Key_F5);
    ASSERT_EQ(msgs.Textos().size(), 1u);
    EXPECT_EQ(msgs.Textos()[0], "'1,234,5' is not a valid floating point value");
    EXPECT_EQ(Celula(0, 4), "5");  // what pass 1 wrote stays
}

TEST_F(JanelaBancada, SetaDireitaNumaDataInvalidaAvisa) {
    f->grid->setFocus();
    f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
    Digita("3113");
    Tecla(Qt::Key_Right);  // inside the text: the caret moves
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"Data invalida"});
    Tecla(Qt::Key_Left);
    Digita("07");
    msgs.mensagens.clear();
    Tecla(Qt::Key_Right);  // leaves the cell; its text stays
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"Data invalida"});
    EXPECT_EQ(Celula(0, 0), "31/13/07");
    EXPECT_EQ(f->grid->currentIndex().column(), 1);
}

TEST_F(JanelaBancada, SetaDireitaNumaDataValidaOuVaziaNaoAvisa) {
    f->grid->setFocus();
    f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
    Tecla(Qt::Key_Right);  // no editor opened yet: nothing remembered
    f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
    Digita("311207");
    Tecla(Qt::Key_Right);
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(JanelaBancada, DescerDaUltimaLinhaCriaUmaLinha) {
    f->grid->setFocus();
    f->grid->setCurrentIndex(f->grid->model()->index(0, 1));
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);
    EXPECT_EQ(f->grid->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(f->grid->currentIndex().row(), 2);
    Tecla(Qt::Key_Up);
    EXPECT_EQ(f->grid->Modelo()->NumeroLinhas(), 3);
}

TEST_F(JanelaBancada, EnterNosCamposPassaAdianteUmaVezENaoEntraNoTexto) {
    f->Edit6->setFocus(Qt::TabFocusReason);
    Digita("1.5a");
    EXPECT_EQ(f->Edit6->text(), "1,5");
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(f->Edit1->hasFocus());
    Tecla(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(f->edtTAC->hasFocus());
}

TEST_F(JanelaBancada, CampoComFocoFicaAmarelo) {
    const QColor normal = f->Edit1->palette().color(QPalette::Base);
    f->Edit1->setFocus();
    EXPECT_EQ(f->Edit1->palette().color(QPalette::Base), QColor(255, 255, 0));
    f->edtTAC->setFocus();
    EXPECT_EQ(f->Edit1->palette().color(QPalette::Base), normal);
    // Red, dark enough to read on white and on the focused field's yellow.
    EXPECT_EQ(f->Edit6->palette().color(QPalette::Text), QColor(192, 0, 0));
}

TEST_F(JanelaBancada, ErroDeConversaoDeixaAJanelaComoEsta) {
    f->ComboBox1->setCurrentIndex(0);
    f->data_ref->DefineData(D(2007, 12, 28));
    f->Edit1->setText("");
    f->grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    f->grid->Modelo()->DefineCelula(0, 1, "1000");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"'' is not a valid floating point value"});
    EXPECT_EQ(Celula(0, 4), "5");
    EXPECT_EQ(f->Label14->text(), "Juros:");
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
    f->data_ref->DefineData(D(2008, 4, 15));
    f->ComboBox1->setFocus();
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);  // "Prestação Taxa Efetiva"
    EXPECT_EQ(f->Edit6->text(), "0");
    EXPECT_EQ(f->Edit1->text(), "2,5");
    ASSERT_EQ(apurados.size(), 1u);
    EXPECT_EQ(apurados[0].ValorFinanciado, Segura(1025.78L, 2));
    EXPECT_EQ(f->UltimoDesfecho(), Desfecho::Concluido);
    Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Down);  // "Renegociação de Dívidas": 1000 at 2 % in the renegotiation window's 12
    EXPECT_EQ(f->Edit6->text(), "1000");
    EXPECT_EQ(f->Edit1->text(), "2");
    EXPECT_EQ(Celula(11, 0), "15/04/09");
    EXPECT_EQ(f->Edit2->text(), "1.134,72");
    EXPECT_EQ(f->LabelCET->text(), "CET: -");  // a schedule has none
    EXPECT_EQ(apurados.size(), 1u);
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(JanelaBancada, FormActivateSoQuandoVemDeOutraJanela) {
    QWidget outra;
    outra.show();
    f->Edit1->setFocus();
    // A message box the workbench itself opened gives the focus back where it was.
    QWidget propria(f.get(), Qt::Dialog);
    propria.show();
    QApplication::setActiveWindow(&propria);
    QApplication::setActiveWindow(f.get());
    EXPECT_TRUE(f->Edit1->hasFocus());
    propria.close();
    // Coming back from another window of the program resets the focus.
    QApplication::setActiveWindow(&outra);
    QApplication::setActiveWindow(f.get());
    EXPECT_TRUE(f->data_ref->hasFocus());
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
    EXPECT_EQ(f->Edit6->accessibleName(), "Valor Financiado");
    EXPECT_EQ(f->Edit1->accessibleName(), "Taxa (%)");
    EXPECT_EQ(f->edtTARIFA->accessibleName(), "Tarifa");
    EXPECT_EQ(f->btnCalcula->text(), "F5 - &Calcula");
    EXPECT_EQ(f->CheckBox1->text(), "F7- Inclui C&ompensação");
    EXPECT_EQ(f->ComboBox1->currentIndex(), -1);
    EXPECT_EQ(f->cbTipoTarifa->currentIndex(), -1);
    QStringList titulos;
    for (int c = 0; c < 5; ++c) titulos << f->grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titulos, (QStringList{"Data", "Valor", "Banco/Número", "Emitente", "Nº Dias"}));
    const int larguras[] = {81, 91, 111, 132, 64};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(f->grid->columnWidth(c), larguras[c]);
    // Tab order: each control hands over to the next.
    QWidget* ordem[] = {f->data_ref,     f->Edit6,     f->Edit1,      f->edtTAC,    f->edtIOF,    f->edtTARIFA,
                        f->cbTipoTarifa, f->ComboBox1, f->grid,       f->CheckBox1, f->CheckBox2, f->btnFeriados,
                        f->btnCalcula,   f->btnLimpa,  f->btnImprime, f->btnFecha,  f->btnrecibo};
    for (std::size_t i = 0; i + 1 < std::size(ordem); ++i) {
        if (ordem[i] == f->cbTipoTarifa) continue;  // the editable list's line edit sits between
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
    f->data_ref->DefineData(D(2007, 6, 1));
    f->Edit6->setText("5000");
    f->Edit1->setText("5");
    f->edtTAC->DefineValor(1);
    f->edtIOF->DefineValor(0.0041L);
    f->edtTARIFA->DefineValor(2);
    f->cbTipoTarifa->setCurrentIndex(0);
    f->ComboBox1->setCurrentIndex(2);
    for (int l = 0; l < 3; ++l)
        f->grid->Modelo()->DefineCelula(l, 0, QStringList{"20/06/07", "30/06/07", "15/07/07"}[l]);
    Tecla(Qt::Key_F5);
    EXPECT_TRUE(msgs.mensagens.empty());
    for (int l = 0; l < 3; ++l) EXPECT_EQ(Celula(l, 1), "1.789,44");
    EXPECT_EQ(f->Edit2->text(), "5.368,31");
    EXPECT_EQ(f->Label14->text(), "Juros = 301,22");
    EXPECT_EQ(f->Edit6->text(), "5000");
}

TEST_F(JanelaBancada, DigitadoLogoAposClicarNaCelulaAtualFicaNelaSemProcurarLinha) {
    for (int l = 0; l < 3; ++l) f->grid->Modelo()->DefineCelula(l, 1, QString::number(100 * (l + 1)));
    f->grid->setFocus(Qt::TabFocusReason);
    f->grid->setCurrentIndex(f->grid->model()->index(0, 1));
    ClicaCelula(0, 1);
    Digita("350");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celula(0, 1), "350");
    EXPECT_EQ(Celula(2, 1), "300");
}

TEST_F(JanelaBancada, DuploCliqueAindaAbreOEditorDaCelula) {
    f->grid->Modelo()->DefineCelula(0, 3, "Ana");
    const QRect r = f->grid->visualRect(f->grid->model()->index(0, 3));
    // A double click as the mouse gives it: a click, then the second press.
    QTest::mouseClick(f->grid->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(f->grid->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_NE(f->grid->EditorAberto(), nullptr);
    EXPECT_EQ(f->grid->EditorAberto()->text(), "Ana");
}

TEST_F(JanelaBancada, EnterLevaDeCelulaEmCelulaEDoEmitenteAProximaLinhaSemPassarPorNDias) {
    f->ComboBox1->setCurrentIndex(0);
    teste::DadosDoExemplo(*f);
    f->grid->setFocus(Qt::TabFocusReason);
    f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
    // Date, value, bank, issuer, each followed by one Enter ("|"); the
    // issuer's Enter goes to the next row's date.
    const QStringList celulas = QStringLiteral("311207|1000|001/123|Ana|260108|500|||150208|2500,50").split('|');
    for (int i = 0; i < celulas.size(); ++i) {
        if (i > 0) Tecla(Qt::Key_Return);
        Digita(celulas[i]);
    }
    Tecla(Qt::Key_F5);
    EXPECT_EQ(f->grid->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(Celula(0, 2), "001/123");
    EXPECT_EQ(Celula(0, 3), "Ana");
    EXPECT_EQ(Celula(1, 0), "26/01/08");
    EXPECT_EQ(Celula(2, 1), "2500,50");
    EXPECT_EQ(f->Edit2->text(), "4.000,50");
    EXPECT_EQ(f->Edit6->text(), "3.758,04");
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(JanelaBancada, EnterMostraOQuadroDeFocoComoTab) {
    ASSERT_FALSE(f->testAttribute(Qt::WA_KeyboardFocusChange));
    f->btnLimpa->setFocus(Qt::MouseFocusReason);
    Tecla(Qt::Key_Return);
    EXPECT_TRUE(f->btnImprime->hasFocus());
    EXPECT_TRUE(f->testAttribute(Qt::WA_KeyboardFocusChange));
}

TEST_F(JanelaBancada, CtrlZLogoAposF10TrazTudoDeVoltaEOPainelAvisa) {
    f->ComboBox1->setCurrentIndex(0);
    f->data_ref->DefineData(D(2007, 12, 20));
    f->Edit1->setText("3");
    f->edtTAC->DefineValor(2);
    f->edtIOF->DefineValor(0.0041L);
    f->edtTARIFA->DefineValor(2);
    f->grid->Modelo()->DefineLinhas(
        {Parcela{"31/12/07", "1000", "001", "Ana", ""}, Parcela{"26/01/08", "500", "", "", ""}});
    Tecla(Qt::Key_F5);
    const Retrato antes = Tira();
    ASSERT_EQ(antes.dia, "Quinta-feira, 20 de Dezembro de 2007");
    auto* painel = f->findChild<QLabel*>("painel5");
    Tecla(Qt::Key_F10);
    ASSERT_EQ(f->Edit1->text(), "0");
    EXPECT_EQ(painel->text(), "Ctrl+Z desfaz a limpeza");
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    const Retrato depois = Tira();
    EXPECT_TRUE(Conteudo(depois.b) == Conteudo(antes.b));
    EXPECT_EQ(depois.b.linhas, antes.b.linhas);
    EXPECT_EQ(f->Label4->text(), antes.dia);
    EXPECT_EQ(painel->text(), "");
}

TEST_F(JanelaBancada, TeclaDigitadaAposF10CancelaODesfazer) {
    f->Edit1->setText("3");
    f->grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    Tecla(Qt::Key_F10);
    Digita("5");  // into "Valor Financiado"
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f->Edit1->text(), "0");
    EXPECT_EQ(Celula(0, 0), "");
    EXPECT_EQ(f->findChild<QLabel*>("painel5")->text(), "");
}

TEST_F(JanelaBancada, F10EsvaziaOCETDaOperacaoECtrlZOTrazDeVolta) {
    f->ComboBox1->setCurrentIndex(0);
    f->data_ref->DefineData(D(2007, 12, 28));
    f->Edit1->setText("3");
    f->grid->Modelo()->DefineLinhas({{"31/12/07", "1000", "", "", ""}, {"26/01/08", "500", "", "", ""}});
    Tecla(Qt::Key_F5);
    const QString cet = f->LabelCET->text();
    ASSERT_TRUE(cet.startsWith("CET: ") && cet.size() > 5) << cet.toStdString();
    const QString juros = f->Label14->text();
    Tecla(Qt::Key_F10);
    EXPECT_EQ(f->LabelCET->text(), "");
    EXPECT_EQ(f->Label14->text(), juros);  // the totals keep what they hold
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f->LabelCET->text(), cet);
    EXPECT_TRUE(f->LabelCET->accessibleDescription().startsWith(cet));
}

// Tab goes through both lists, in the tab order; Enter in the fee field
// jumps past them into the grid, and Shift+Tab comes back through them.
TEST_F(JanelaBancada, TabPassaPelasDuasListasEnterDaTarifaVaiAGrade) {
    const auto dono = [](QWidget* w) {
        while (w && w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget())) w = w->parentWidget();
        return w;
    };
    f->edtTARIFA->setFocus(Qt::TabFocusReason);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(dono(QApplication::focusWidget()), f->cbTipoTarifa);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(dono(QApplication::focusWidget()), f->ComboBox1);
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f->grid);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(dono(QApplication::focusWidget()), f->ComboBox1);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(dono(QApplication::focusWidget()), f->cbTipoTarifa);
    Tecla(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), f->edtTARIFA);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f->grid);
    EXPECT_TRUE(f->testAttribute(Qt::WA_KeyboardFocusChange));
}

// The largest amounts each field takes, or a calculation writes, fit the
// field (the font steps down); a small amount gets the field's font back.
TEST_F(JanelaBancada, ValoresGrandesCabemNosCamposSemPerderDigitos) {
    f->btnCalcula->setFocus();
    const auto cabe = [](QLineEdit* e) {
        return e->fontMetrics().horizontalAdvance(e->displayText()) <= LarguraDoTexto(e);
    };
    const QFont fonteEdit6 = f->Edit6->font(), fonteIOF = f->edtIOF->font();
    f->Edit6->setText("922.337.203.685.477,58");  // the largest net value of the fixed point
    f->Edit2->setText("922.337.203.685.477,58");
    f->edtTAC->DefineValor(999999999999999.99L);
    f->edtIOF->DefineValor(999999999999999.9999L);
    f->edtTARIFA->DefineValor(999999999999999.99L);
    for (QLineEdit* e : {f->Edit6, f->Edit2, static_cast<QLineEdit*>(f->edtTAC), static_cast<QLineEdit*>(f->edtIOF),
                         static_cast<QLineEdit*>(f->edtTARIFA)}) {
        EXPECT_TRUE(cabe(e)) << e->objectName().toStdString() << " " << e->displayText().toStdString();
        EXPECT_GE(e->font().pointSizeF(), 4.5) << e->objectName().toStdString();
    }
    EXPECT_TRUE(f->edtTARIFA->displayText().startsWith("R$ ")) << f->edtTARIFA->displayText().toStdString();
    EXPECT_LT(f->Edit6->font().pointSizeF(), fonteEdit6.pointSizeF());
    EXPECT_TRUE(f->Edit6->font().bold());
    f->Edit6->setText("1.000,00");
    f->edtIOF->DefineValor(0.0041L);
    EXPECT_EQ(f->Edit6->font(), fonteEdit6);
    EXPECT_EQ(f->edtIOF->font(), fonteIOF);
    EXPECT_EQ(f->Edit6->geometry(), QRect(10, 76, 120, 21));
}

// A real message box over a cell being edited, answered with Enter on its OK:
// what was typed is in the grid, its cell current, the grid has the focus.
TEST_F(JanelaBancada, F5ComCelulaAbertaEMensagemRespondidaComEnter) {
    f->ComboBox1->setCurrentIndex(0);
    f->data_ref->DefineData(D(2007, 12, 28));
    f->Edit1->setText("3");
    f->grid->setFocus(Qt::TabFocusReason);
    f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
    Digita("311207");
    Tecla(Qt::Key_Right);  // out of the date cell
    Tecla(Qt::Key_Right);
    Digita("Bco");
    ASSERT_NE(f->grid->EditorAberto(), nullptr);
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
    EXPECT_EQ(f->grid->currentIndex(), f->grid->model()->index(0, 2));
    // The focus the window gives back when the desktop makes it active again.
    EXPECT_EQ(f->focusWidget(), f->grid);
    QApplication::setActiveWindow(f.get());
    EXPECT_TRUE(f->grid->hasFocus());
    // The window works on: the value typed now is calculated.
    Tecla(Qt::Key_Left);
    Digita("1000");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(Celula(0, 1), "1000");
    EXPECT_EQ(Celula(0, 4), "5");
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(JanelaBancada, F5F10EF12ComCelulaAbertaUsamOQueFoiDigitado) {
    f->ComboBox1->setCurrentIndex(0);
    f->data_ref->DefineData(D(2007, 12, 28));
    f->Edit1->setText("3");
    f->grid->setFocus(Qt::TabFocusReason);
    f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
    Digita("311207");
    Tecla(Qt::Key_Right);
    Digita("1000");
    Tecla(Qt::Key_F5);
    EXPECT_EQ(f->Edit2->text(), "1.000,00");
    EXPECT_EQ(f->grid->EditorAberto(), nullptr);
    // F10 with a cell open, then Ctrl+Z: the typed text comes back with the rest.
    Digita("2000");
    Tecla(Qt::Key_F10);
    EXPECT_EQ(Celula(0, 1), "");
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Celula(0, 1), "2000");
    EXPECT_EQ(f->Edit1->text(), "3");
    // F7 leaves the cell open: it calculates nothing.
    f->grid->setFocus(Qt::TabFocusReason);
    Digita("3");
    ASSERT_NE(f->grid->EditorAberto(), nullptr);
    Tecla(Qt::Key_F7);
    EXPECT_FALSE(f->CheckBox1->isChecked());
    EXPECT_NE(f->grid->EditorAberto(), nullptr);
}

// A click on the empty area below the last row starts a new row in the
// column clicked; the keys typed next go there and nowhere else.
TEST_F(JanelaBancada, CliqueAbaixoDaUltimaLinhaComecaUmaLinhaNova) {
    f->grid->setFocus(Qt::TabFocusReason);
    f->grid->setCurrentIndex(f->grid->model()->index(0, 0));
    Digita("150127");
    Tecla(Qt::Key_Right);
    Digita("1500");  // its editor still open
    const QRect valor = f->grid->visualRect(f->grid->model()->index(0, 1));
    QTest::mouseClick(f->grid->viewport(), Qt::LeftButton, {}, QPoint(valor.center().x(), valor.bottom() + 25));
    teste::DigitaAoRitmo("800");
    EXPECT_EQ(f->grid->Modelo()->NumeroLinhas(), 2);
    EXPECT_EQ(Celula(0, 0), "15/01/27");
    EXPECT_EQ(Celula(0, 1), "1500");
    EXPECT_EQ(f->grid->TextoCelula(1, 1), "800");
    EXPECT_EQ(f->grid->currentIndex(), f->grid->model()->index(1, 1));
    // Beside a row, past the last column: that row's last cell, shown current.
    f->grid->EncerraEdicao(true);
    const QRect dias = f->grid->visualRect(f->grid->model()->index(0, 4));
    if (dias.right() + 5 < f->grid->viewport()->width()) {
        QTest::mouseClick(f->grid->viewport(), Qt::LeftButton, {}, QPoint(dias.right() + 3, dias.center().y()));
        EXPECT_EQ(f->grid->currentIndex(), f->grid->model()->index(0, 4));
        EXPECT_TRUE(f->grid->selectionModel()->isSelected(f->grid->currentIndex()));
        teste::DigitaAoRitmo("9");  // the calculated column takes no key
        EXPECT_EQ(Celula(0, 1), "1500");
    }
    // A double click below adds one row, not two.
    const QRect ultima = f->grid->visualRect(f->grid->model()->index(1, 0));
    const QPoint abaixo(ultima.center().x(), ultima.bottom() + 40);
    QTest::mouseClick(f->grid->viewport(), Qt::LeftButton, {}, abaixo);  // its first press
    QTest::mouseDClick(f->grid->viewport(), Qt::LeftButton, {}, abaixo);
    EXPECT_EQ(f->grid->Modelo()->NumeroLinhas(), 3);
}
