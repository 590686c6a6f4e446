// Cheques by their magnetic line in the workbench's grid: a reader's line
// (each key sent at once, as the fastest reader) wherever the cursor stands,
// a line typed by hand checked when its cell is left, the same cheque twice,
// the bank shown. The entry windows' part is in test_entrada.cpp, the paste
// in test_colagem.cpp.
#include <QLabel>
#include <QTest>

#include "tests/support/BancadaTeste.h"
#include "tests/support/Teclas.h"

using namespace quantivo;
using teste::Digita;
using teste::Tecla;

namespace {

const QString kLinhaA = "<23704948<0180017935>377506100112:";
const QString kLinhaB = "<34112349<0180000425>200012345674:";

class LeitorNaBancada : public teste::BancadaTeste {
protected:
    void Em(int l, int c) {
        ctl.grid->setFocus(Qt::TabFocusReason);
        ctl.grid->setCurrentIndex(I(l, c));
    }
    static void Le(const QString& linha) {
        Digita(linha);
        Tecla(Qt::Key_Return);
    }
    QModelIndex I(int l, int c) const { return ctl.grid->model()->index(l, c); }
    QModelIndex Atual() const { return ctl.grid->currentIndex(); }
    std::string Cmc7(int l) const { return ctl.grid->Modelo()->Linhas()[static_cast<std::size_t>(l)].CMC7; }
    QString Barra() const { return ctl.Status->findChild<QLabel*>("painel5")->text(); }
};

using Textos = std::vector<std::string>;
const std::string kBradesco = "Banco 237: BCO BRADESCO S.A.";

}  // namespace

TEST_F(LeitorNaBancada, LinhaLidaNaDataVaiAoBancoNumeroEOEnterNaoPulaCelula) {
    Em(0, 0);
    Le(kLinhaA);
    EXPECT_EQ(Celula(0, 2), "237/0494/001793");
    EXPECT_EQ(Cmc7(0), kLinhaA.toStdString());
    EXPECT_EQ(Celula(0, 0), "");
    EXPECT_EQ(Atual(), I(0, 0));
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(ctl.grid->model()->data(I(0, 3), Qt::ToolTipRole).toString().toStdString(), kBradesco);
    EXPECT_EQ(Barra().toStdString(), kBradesco);
    teste::Campos({"311207", "1000"});
    EXPECT_EQ(Celula(0, 0), "31/12/07");
    EXPECT_EQ(Celula(0, 1), "1000");
    // On the row's Banco/Número, which holds a cheque: the same cheque read
    // again goes to the next row, is said, and stays there.
    ASSERT_EQ(Atual(), I(0, 2));
    Le(kLinhaA);
    EXPECT_EQ(msgs.Textos(), Textos{"Este cheque já está na linha 1."});
    EXPECT_EQ(Celula(0, 2), "237/0494/001793");
    EXPECT_EQ(Celula(1, 2), "237/0494/001793");
    EXPECT_EQ(Atual(), I(1, 0));
}

// The "<" is neither dropped by the amount's key filter nor typed into it,
// and the key after the line's ":" is the clerk's next one.
TEST_F(LeitorNaBancada, LinhaLidaComUmValorSendoDigitadoNaoPerdeTecla) {
    Em(0, 1);
    Digita("150");
    ASSERT_NE(ctl.grid->EditorAberto(), nullptr);
    Digita(kLinhaB + "3");  // a reader that sends no Enter, then the date begun
    EXPECT_EQ(Celula(0, 1), "150");
    EXPECT_EQ(Celula(0, 2), "341/1234/000042");
    ASSERT_NE(ctl.grid->EditorAberto(), nullptr);
    EXPECT_EQ(Atual(), I(0, 0));
    EXPECT_TRUE(ctl.grid->TextoCelula(0, 0).startsWith("3"));
    EXPECT_TRUE(msgs.mensagens.empty());
}

// A line that stops short ends after the pause; refused, it stays for
// correction, and F5 stops at it as at a date that does not exist.
TEST_F(LeitorNaBancada, LinhaIncompletaTerminaNaPausaERecusadaParaOF5) {
    ctl.ComboBox1->setCurrentIndex(0);
    ctl.grid->Modelo()->DefineCelula(0, 0, "31/12/07");
    ctl.grid->Modelo()->DefineCelula(0, 1, "100");
    Em(0, 1);
    Digita("<2370494");
    EXPECT_TRUE(msgs.mensagens.empty());
    QTest::qWait(700);
    const Textos recusa{TextoCmc7Recusado(1, "O CMC7 tem 7 dígitos; são 30.").toStdString()};
    EXPECT_EQ(msgs.Textos(), recusa);
    EXPECT_EQ(Celula(0, 2), "<2370494");
    EXPECT_EQ(Atual(), I(0, 2));
    msgs.mensagens.clear();
    Tecla(Qt::Key_F5);
    EXPECT_EQ(msgs.Textos(), recusa);
    EXPECT_EQ(Celula(0, 4), "");
}

// Digits, blanks and separators make a line to check; anything else, or
// fewer than 20 digits, is free text. The kept line goes with its text.
TEST_F(LeitorNaBancada, LinhaDigitadaAMaoConferidaAoSairDaCelula) {
    Em(0, 2);
    Digita("23704948 0180017935 37750610011");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(msgs.Textos(), Textos{TextoCmc7Recusado(1, "O CMC7 tem 29 dígitos; são 30.").toStdString()});
    EXPECT_EQ(Atual(), I(0, 2));
    Digita("23704948 0180017935 377506100112");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Celula(0, 2), "237/0494/001793");
    EXPECT_EQ(Cmc7(0), "23704948 0180017935 377506100112");
    EXPECT_EQ(Atual(), I(0, 3));
    // Delete and Ctrl+Z bring back the line with its text.
    Em(0, 2);
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(Cmc7(0), "");
    Tecla(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Celula(0, 2), "237/0494/001793");
    EXPECT_EQ(Cmc7(0), "23704948 0180017935 377506100112");
    // Typed over with free text: no line stays behind it, nor its bank.
    msgs.mensagens.clear();
    for (const QString livre : {"Bco 1 0180017935 377506100112", "1234567890123456789"}) {
        Em(0, 2);
        Digita(livre);
        Tecla(Qt::Key_Return);
        EXPECT_EQ(Celula(0, 2), livre);
        EXPECT_EQ(Cmc7(0), "");
    }
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_FALSE(ctl.grid->model()->data(I(0, 0), Qt::ToolTipRole).isValid());
    EXPECT_EQ(Barra(), "");
}

// A "<" typed by mistake (Shift with the comma) starts a line too: refused,
// it does not take the place of what the clerk wrote in Banco/Número.
TEST_F(LeitorNaBancada, MenorQuePorEnganoNaoApagaOBancoNumeroDigitado) {
    ctl.grid->Modelo()->DefineCelula(0, 2, "Bco 1");
    Em(0, 1);
    Digita("12<5");
    Tecla(Qt::Key_Return);
    EXPECT_EQ(msgs.Textos(), Textos{TextoCmc7Recusado(1, "O CMC7 tem 1 dígito; são 30.").toStdString()});
    EXPECT_EQ(Celula(0, 2), "Bco 1");
    EXPECT_EQ(Celula(0, 1), "12");
}
