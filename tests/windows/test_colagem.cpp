// Paste from a spreadsheet into the grids (Ctrl+V) and copy out of them
// (Ctrl+C): the cleaning of pasted texts, the worked example pasted into the
// workbench, and the same paste in the entry windows' grids.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "tests/support/BancadaTeste.h"
#include "tests/support/Exemplos.h"
#include "windows/Calculo.h"
#include "windows/Colagem.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

using namespace quantivo;

TEST(Colagem, Limpeza) {
    struct Caso {
        FiltroTeclas filtro;
        const char* colado;
        const char* celula;
    } casos[] = {
        {FiltroTeclas::Valor, "1.000,00", "1000,00"},
        {FiltroTeclas::Valor, "R$ 2.500,50", "2500,50"},
        {FiltroTeclas::Valor, "1,000.50", "1000,50"},   // the other convention
        {FiltroTeclas::Valor, "1.234.567", "1234567"},  // dots every three digits group them
        {FiltroTeclas::Valor, "1.000", "1000"},
        {FiltroTeclas::Valor, "2.500", "2500"},
        {FiltroTeclas::Valor, "1,000,000", "1000000"},
        {FiltroTeclas::Valor, "1.5", "1,5"},  // one mark that groups nothing: the decimal one
        {FiltroTeclas::Valor, "1.50", "1,50"},
        {FiltroTeclas::Valor, "0.500", "0,500"},
        {FiltroTeclas::Valor, "1,000", "1"},  // one comma: the decimal comma
        {FiltroTeclas::Valor, "1,500", "1,5"},
        {FiltroTeclas::Valor, "1.5.2", ""},  // no amount
        {FiltroTeclas::Valor, " 500 ", "500"},
        {FiltroTeclas::Valor, "-7,25", "7,25"},  // the minus cannot be typed either
        {FiltroTeclas::Valor, "abc", ""},
        {FiltroTeclas::Vencimento, "31/12/2007", "31/12/07"},
        {FiltroTeclas::Vencimento, "31/12/07", "31/12/07"},
        {FiltroTeclas::Vencimento, "1/2/2008", "01/02/08"},
        {FiltroTeclas::Vencimento, "2007-12-31", "31/12/07"},
        {FiltroTeclas::Vencimento, "31.12.2007 00:00:00", "31/12/07"},
        {FiltroTeclas::Vencimento, "31122007", "31/12/07"},
        {FiltroTeclas::Vencimento, "311207", "31/12/07"},
        {FiltroTeclas::Vencimento, "32/13/2007", "32/13/07"},  // not a date: the calculation marks it
        {FiltroTeclas::Vencimento, "31/12", "31/12/"},
        {FiltroTeclas::Vencimento, "amanhã", ""},
        {FiltroTeclas::Livre, "José 1.000,00", "José 1.000,00"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(LimpaCelulaColada(c.filtro, QString::fromUtf8(c.colado)), QString::fromUtf8(c.celula)) << c.colado;
}

TEST(Colagem, Blocos) {
    EXPECT_TRUE(LeBloco("").empty());
    EXPECT_TRUE(LeBloco("\n").size() == 1 && LeBloco("\n")[0] == QStringList{""});
    const auto b = LeBloco("a\tb\r\nc\n");
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(b[0], (QStringList{"a", "b"}));
    EXPECT_EQ(b[1], (QStringList{"c"}));
    EXPECT_EQ(EscreveBloco(b), "a\tb\nc");
}

namespace {

const char* const kChequesDaPlanilha = "31/12/2007\t1.000,00\n26/01/2008\t500,00\n15/02/2008\t2.500,50\n";

class ColagemNaGrade : public teste::BancadaTeste {
protected:
    static void Cola(GradeParcelas* g, int linha, int coluna, const QString& texto) {
        QGuiApplication::clipboard()->setText(texto);
        g->setFocus(Qt::TabFocusReason);
        g->setCurrentIndex(g->model()->index(linha, coluna));
        QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
    }
};

}  // namespace

TEST_F(ColagemNaGrade, ExemploColadoDaPlanilhaDaOsTotaisDoExemplo) {
    ctl.ComboBox1->setCurrentIndex(0);
    teste::DadosDoExemplo(*f);
    Cola(ctl.grid, 0, 0, kChequesDaPlanilha);
    EXPECT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(Celula(0, 0), "31/12/07");
    EXPECT_EQ(Celula(2, 1), "2500,50");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_EQ(ctl.Edit2->text(), "4.000,50");
    EXPECT_EQ(ctl.Edit6->text(), "3.758,04");
    EXPECT_EQ(ctl.Label14->text(), "Juros = 151,53");
    EXPECT_EQ(Celula(0, 4), "5");
    EXPECT_EQ(Celula(2, 4), "52");
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(ColagemNaGrade, ColaNaCelulaAtualCresceENaoPassaDasColunas) {
    ctl.grid->Modelo()->DefineCelula(0, 4, "9");
    ctl.grid->Modelo()->DefineNumeroLinhas(2);
    // From the third column: bank, issuer, then the calculated column (left
    // alone) and a cell past the last column (dropped).
    Cola(ctl.grid, 1, 2, "001/1\tJosé\t77\textra\n002/2\tMaria\n");
    EXPECT_EQ(ctl.grid->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(Celula(1, 2), "001/1");
    EXPECT_EQ(Celula(1, 3), "José");
    EXPECT_EQ(Celula(1, 4), "");
    EXPECT_EQ(Celula(2, 3), "Maria");
    EXPECT_EQ(Celula(0, 4), "9");
}

TEST_F(ColagemNaGrade, ColarComACelulaEmEdicaoTambemLimpa) {
    ctl.grid->setFocus(Qt::TabFocusReason);
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(0, 1));
    QTest::keyClick(ctl.grid, Qt::Key_1);  // opens the cell editor
    ASSERT_NE(ctl.grid->EditorAberto(), nullptr);
    QGuiApplication::clipboard()->setText("1.000,00");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ctl.grid->EditorAberto(), nullptr);
    EXPECT_EQ(Celula(0, 1), "1000,00");
}

TEST_F(ColagemNaGrade, CopiaOBlocoSelecionado) {
    Cola(ctl.grid, 0, 0, kChequesDaPlanilha);
    // The pasted block is left selected: copy it back.
    QTest::keyClick(ctl.grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "31/12/07\t1000,00\n26/01/08\t500,00\n15/02/08\t2500,50");
    ctl.grid->setCurrentIndex(ctl.grid->model()->index(1, 0));
    QTest::keyClick(ctl.grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(ctl.grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(ctl.grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "26/01/08\t500,00\n15/02/08\t2500,50");
}

// What a paste cannot read is said in one box, each row and text named, the
// first such cell current: dates that are no date stay for correction (F5
// stops at them, the value kept), texts that are no amount are left out.
TEST_F(ColagemNaGrade, DatasQueNaoExistemEValoresIlegiveisSaoDitos) {
    ctl.ComboBox1->setCurrentIndex(0);
    teste::DadosDoExemplo(*f);
    Cola(ctl.grid, 0, 0, "31/12/2007\t1.000\n29/02/2025\t900\n31/02/26\t1.5.2\n");
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"A data \"29/02/25\" da linha 2 não existe.\n"
                                                      "A data \"31/02/26\" da linha 3 não existe.\n"
                                                      "O valor \"1.5.2\" da linha 3 não é um valor; a célula ficou "
                                                      "em branco.\n"
                                                      "Digite uma data válida no formato dd/mm/aa."});
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(1, 0));
    EXPECT_EQ(Celula(0, 1), "1000");
    EXPECT_EQ(Celula(2, 1), "");
    msgs.mensagens.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalidaNaLinha("29/02/25", 2).toStdString()});
    EXPECT_EQ(Celula(1, 1), "900");
}

TEST_F(ColagemNaGrade, GradesDasJanelasDeEntrada) {
    Tfrm_desconto cheques(nullptr, f.get());
    Cola(cheques.grid_pre, 0, 0, kChequesDaPlanilha);
    EXPECT_EQ(cheques.grid_pre->Modelo()->Celula(2, 0), "15/02/08");
    EXPECT_EQ(cheques.grid_pre->Modelo()->Celula(2, 1), "2500,50");

    Tfrm_venda_por_fora datas(nullptr, f.get());
    Cola(datas.grid_pre, 0, 0, kChequesDaPlanilha);  // one column: the values are dropped
    EXPECT_EQ(datas.grid_pre->Modelo()->NumeroLinhas(), 3);
    EXPECT_EQ(datas.grid_pre->Modelo()->Celula(1, 0), "26/01/08");
    EXPECT_TRUE(msgs.mensagens.empty());
    Cola(datas.grid_pre, 2, 0, "00/00/00\n");
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{TextoDataInvalidaNaLinha("00/00/00", 3).toStdString()});
}

// A column of magnetic lines goes to "Banco/Número" wherever the cursor
// stands, each line checked: the refused and the repeated ones said in the
// paste's box. "Venda certa" has no such column and takes none.
TEST_F(ColagemNaGrade, ColunaDeCmc7VaiAoBancoNumeroConferida) {
    const QString a = "<23704948<0180017935>377506100112:";
    const QString colunas = a + "\n<23704948<0180017936>377506100112:\n\n " + a + " \n";
    Cola(ctl.grid, 0, 0, colunas);
    EXPECT_EQ(Celula(0, 2), "237/0494/001793");
    EXPECT_EQ(ctl.grid->Modelo()->Linhas()[0].CMC7, a.toStdString());
    EXPECT_EQ(Celula(1, 2), "<23704948<0180017936>377506100112:");
    EXPECT_EQ(Celula(2, 2), "");
    EXPECT_EQ(Celula(3, 2), "237/0494/001793");
    EXPECT_EQ(Celula(0, 0), "");
    EXPECT_EQ(msgs.Textos(),
              std::vector<std::string>{"O CMC7 da linha 2 foi recusado: Dígito verificador do campo 2 não "
                                       "confere.\nO cheque da linha 4 já está na linha 1."});
    EXPECT_EQ(ctl.grid->currentIndex(), ctl.grid->model()->index(1, 2));

    msgs.mensagens.clear();
    Tfrm_venda_por_fora datas(nullptr, f.get());
    Cola(datas.grid_pre, 0, 0, colunas);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{kMsgLeitorSemBancoNumero});
    EXPECT_EQ(datas.grid_pre->Modelo()->NumeroLinhas(), 1);
    EXPECT_EQ(datas.grid_pre->Modelo()->Celula(0, 0), "");
}
