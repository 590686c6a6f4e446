// The shared numeric and date fields.
#include <QCalendarWidget>
#include <QClipboard>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "core/Valores.h"
#include "tests/support/GuardaJanelas.h"
#include "ui/CampoData.h"
#include "ui/CampoNumerico.h"

using namespace quantivo;

namespace {

// A window with the field under test and a second field to take the focus.
template <class Campo>
struct Janela {
    QWidget w;
    Campo* campo;
    QLineEdit* outro;
    template <class... A>
    explicit Janela(A... a) : campo(new Campo(a..., &w)), outro(new QLineEdit(&w)) {
        auto* l = new QVBoxLayout(&w);
        l->addWidget(campo);
        l->addWidget(outro);
        w.show();
        QApplication::setActiveWindow(&w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    void Entra() {
        campo->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(campo->hasFocus());
    }
    void Sai() { outro->setFocus(Qt::TabFocusReason); }
};

class CampoNumericoTeste : public teste::JanelaTeste {};
class CampoDataTeste : public teste::JanelaTeste {};

}  // namespace

TEST_F(CampoNumericoTeste, ZeroMostraVazioEVazioLeZero) {
    Janela<CampoNumerico> j(2);
    EXPECT_EQ(j.campo->text(), "");
    EXPECT_EQ(j.campo->Valor(), 0);
    j.campo->DefineValor(0);
    EXPECT_EQ(j.campo->text(), "");
    j.Entra();
    EXPECT_EQ(j.campo->text(), "");
    j.Sai();
    EXPECT_EQ(j.campo->Valor(), 0);
}

TEST_F(CampoNumericoTeste, ValorPostoEhSeguroNasCasasDoCampo) {
    struct Caso {
        int decimais;
        long double valor;
        long double seguro;
        const char* texto;
    } casos[] = {
        {2, 1.5L, 1.5L, "1,5"},           {2, 2.675L, 2.68L, "2,68"}, {4, 0.0041L, 0.0041L, "0,0041"},
        {2, -12.345L, -12.35L, "-12,35"}, {0, 2.5L, 3, "3"},          {5, 1.234566L, 1.23457L, "1,23457"},
    };
    for (const auto& c : casos) {
        CampoNumerico campo(c.decimais);
        campo.DefineValor(c.valor);
        EXPECT_EQ(campo.Valor(), Segura(c.seguro, c.decimais)) << c.texto;
        EXPECT_EQ(campo.Texto().toStdString(), c.texto);
    }
}

TEST_F(CampoNumericoTeste, ForaDoFocoMostraOPadraoNoFocoOTextoDeEdicao) {
    Janela<CampoNumerico> j(2);
    j.Sai();
    j.campo->DefineValor(1045);
    EXPECT_EQ(j.campo->text().toStdString(), "R$ 1.045,00");
    j.Entra();
    EXPECT_EQ(j.campo->text(), "1045");
    j.Sai();
    j.campo->DefineMascara("0.0000;-0.0000");
    j.campo->DefineValor(-0.5L);
    EXPECT_EQ(j.campo->text(), "-0,5000");
}

TEST_F(CampoNumericoTeste, TeclasFormamNumeroValidoComAsCasasDoCampo) {
    struct Caso {
        int decimais;
        const char* teclas;
        const char* texto;
    } casos[] = {
        {2, "12.5", "12,5"},
        {2, "1,2345", "1,234"},
        {2, "1,2,3", "1,23"},
        {2, "a1b2", "12"},
        {0, "7,5", "75"},
        {4, "0.00415", "0,0041"},
        {2, "-3", "-3"},
        {2, "3-", "3"},
        {2, ",5", ",5"},
        {2, "1e5", "15"},
        // A third decimal only as a digit group; a separator after one
        // regroups the digits, any other second separator is refused.
        {2, "0,500", "0,50"},
        {2, "1.500,00", "1500,00"},
        {2, "1.234.567,8", "1234567,8"},
        {3, "1.500,5", "1500,5"},
        {3, "1.5.2", "1,52"},
        {0, "1.500", "1500"},
    };
    for (const auto& c : casos) {
        Janela<CampoNumerico> j(c.decimais);
        j.Entra();
        QTest::keyClicks(j.campo, c.teclas);
        EXPECT_EQ(j.campo->text().toStdString(), c.texto) << c.teclas;
    }
}

TEST_F(CampoNumericoTeste, TextoDigitadoEhLidoAoSairEAntes) {
    Janela<CampoNumerico> j(2);
    QSignalSpy mudou(j.campo, &CampoNumerico::valorAlterado);
    j.Entra();
    QTest::keyClicks(j.campo, "1,50");
    EXPECT_EQ(j.campo->Valor(), Segura(1.5L, 2));  // read while still typing
    EXPECT_EQ(j.campo->Texto(), "1,5");
    j.Sai();
    EXPECT_EQ(mudou.count(), 1);
    EXPECT_EQ(j.campo->text().toStdString(), "R$ 1,50");
    EXPECT_EQ(j.campo->Valor(), Segura(1.5L, 2));
}

TEST_F(CampoNumericoTeste, EscapeRestauraOValor) {
    Janela<CampoNumerico> j(2);
    j.campo->DefineValor(10);
    j.Entra();
    QTest::keyClick(j.campo, Qt::Key_End);
    QTest::keyClicks(j.campo, "99");
    EXPECT_EQ(j.campo->text(), "1099");
    QTest::keyClick(j.campo, Qt::Key_Escape);
    EXPECT_EQ(j.campo->text(), "10");
    j.Sai();
    EXPECT_EQ(j.campo->Valor(), 10);
}

TEST_F(CampoNumericoTeste, FaixaESemNegativo) {
    // The receipt's value: 0 to 4294967295, two decimals, no minus.
    Janela<CampoNumerico> j(2);
    j.campo->DefineFaixa(0.0L, 4294967295.0L);
    j.campo->DefineSemNegativo(true);
    j.Entra();
    QTest::keyClicks(j.campo, "-42");
    EXPECT_EQ(j.campo->text(), "42");
    j.Sai();
    j.campo->DefineValor(5e12L);
    EXPECT_EQ(j.campo->Valor(), 4294967295.0L);
    j.campo->DefineValor(-3);
    EXPECT_EQ(j.campo->Valor(), 0);
}

TEST_F(CampoNumericoTeste, ValorDigitadoAcimaDoMaximoFicaAteSairEEntaoBaixaAoMaximo) {
    Janela<CampoNumerico> j(2);
    j.campo->DefineFaixa(0.0L, 4294967295.0L);
    j.Entra();
    QTest::keyClicks(j.campo, "5000000000");
    EXPECT_EQ(j.campo->text(), "5000000000");
    j.Sai();
    EXPECT_EQ(j.campo->Valor(), 4294967295.0L);
    j.Entra();
    EXPECT_EQ(j.campo->text(), "4294967295");
}

TEST_F(CampoDataTeste, VazioLeADataNulaEDataMostraOTextoCurto) {
    Janela<CampoData> j;
    EXPECT_EQ(j.campo->Data(), kDataNula);
    j.campo->DefineData(D(2007, 11, 5));
    EXPECT_EQ(j.campo->text(), "05/11/07");
    j.campo->DefineData(kDataNula);
    EXPECT_EQ(j.campo->Data(), kDataNula);
}

TEST_F(CampoDataTeste, TextoDigitadoUsaAJanelaDeAnosDeHoje) {
    struct Caso {
        const char* teclas;
        Data esperada;
    } casos[] = {
        {"281207", D(2007, 12, 28)},
        {"010157", D(1957, 1, 1)},  // hundred-year window of 2007: 57 is 1957
        {"010156", D(2056, 1, 1)},
        {"310299", D(2007, 12, 1)},  // not a date: never another date (the warning is tested below)
    };
    for (const auto& c : casos) {
        Janela<CampoData> j;
        j.campo->DefineData(D(2007, 12, 1));
        j.Entra();
        j.campo->selectAll();
        QTest::keyClicks(j.campo, c.teclas);
        j.Sai();
        EXPECT_EQ(j.campo->Data(), c.esperada) << c.teclas;
    }
}

TEST_F(CampoDataTeste, CampoApagadoLeNula) {
    Janela<CampoData> j;
    j.campo->DefineData(D(2007, 12, 28));
    j.Entra();
    j.campo->selectAll();
    QTest::keyClick(j.campo, Qt::Key_Delete);
    j.Sai();
    EXPECT_EQ(j.campo->Data(), kDataNula);
}

TEST_F(CampoDataTeste, AvisaMudancaAoDigitarEEscapeVolta) {
    Janela<CampoData> j;
    j.campo->DefineData(D(2007, 12, 28));
    QSignalSpy mudou(j.campo, &CampoData::dataAlterada);
    j.Entra();
    j.campo->selectAll();
    QTest::keyClicks(j.campo, "3112");
    EXPECT_EQ(mudou.count(), 0);
    QTest::keyClicks(j.campo, "07");
    EXPECT_EQ(mudou.count(), 1);
    EXPECT_EQ(j.campo->Data(), D(2007, 12, 31));
    QTest::keyClick(j.campo, Qt::Key_Escape);
    EXPECT_EQ(mudou.count(), 2);
    EXPECT_EQ(j.campo->Data(), D(2007, 12, 28));
}

TEST_F(CampoDataTeste, CalendarioEscolheAData) {
    Janela<CampoData> j;
    j.campo->AbreCalendario();
    ASSERT_NE(j.campo->Calendario(), nullptr);
    EXPECT_EQ(j.campo->Calendario()->selectedDate(), QDate(2007, 12, 28));  // today when empty
    emit j.campo->Calendario()->clicked(QDate(2008, 2, 15));
    EXPECT_EQ(j.campo->Data(), D(2008, 2, 15));
    EXPECT_FALSE(j.campo->Calendario()->isVisible());
}

TEST_F(CampoNumericoTeste, TextoPostoDeForaSemFocoViraOValor) {
    // What an accessibility client does when it fills the field.
    struct Caso {
        const char* texto;
        long double valor;
        const char* mostra;
    } casos[] = {{"2,5", 2.5L, "R$ 2,50"},       {"1.5", 1.5L, "R$ 1,50"},
                 {"abc", 7, "R$ 7,00"},          {"", 0, ""},
                 {"1.000", 1000, "R$ 1.000,00"}, {"R$ 2.500,50", 2500.5L, "R$ 2.500,50"}};
    for (const auto& c : casos) {
        Janela<CampoNumerico> j(2);
        j.Sai();
        j.campo->DefineValor(7);
        j.campo->setText(c.texto);
        EXPECT_EQ(j.campo->Valor(), Segura(c.valor, 2)) << c.texto;
        EXPECT_EQ(j.campo->text().toStdString(), c.mostra) << c.texto;
    }
}

// "1.500" typed into a field of two decimals: held as the thousands, and
// asked about once the field is left (yes: 1500; no: back to the field with
// the text as typed); an action reading the field first asks too. A paste is
// read as a pasted amount.
TEST_F(CampoNumericoTeste, MilharDigitadoPerguntaAoSairEColadoEhLido) {
    Janela<CampoNumerico> j(2);
    j.Entra();
    QTest::keyClicks(j.campo, "1.500");
    EXPECT_EQ(j.campo->text(), "1,500");
    EXPECT_EQ(j.campo->Valor(), 1500);
    j.Sai();
    EXPECT_TRUE(msgs.mensagens.empty());  // once the focus has settled
    QTest::qWait(0);
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(msgs.mensagens[0].texto, "O valor \"1,500\" é 1.500,00?\nResponda Não para corrigi-lo.");
    EXPECT_EQ(msgs.mensagens[0].icone, Icone::Pergunta);
    EXPECT_EQ(j.campo->Valor(), 1500);
    EXPECT_TRUE(j.outro->hasFocus());

    msgs.respostas = {false};
    j.Entra();
    QTest::keyClick(j.campo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(j.campo, "2,345");
    EXPECT_FALSE(j.campo->ConfereValor());
    EXPECT_TRUE(j.campo->hasFocus());
    EXPECT_EQ(j.campo->text(), "2,345");
    EXPECT_EQ(j.campo->selectedText(), "2,345");
    EXPECT_EQ(msgs.mensagens.size(), 2u);

    for (const auto& [colado, valor] : {std::pair{"R$ 2.500,50", 2500.5L}, {"1.000", 1000.0L}, {"1.5", 1.5L}}) {
        QApplication::clipboard()->setText(colado);
        QTest::keyClick(j.campo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(j.campo, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(j.campo->Valor(), Segura(valor, 2)) << colado;
    }
}

TEST_F(CampoDataTeste, TextoPostoDeForaSemFocoViraAData) {
    Janela<CampoData> j;
    j.Sai();
    j.campo->setText("28/12/07");
    EXPECT_EQ(j.campo->Data(), D(2007, 12, 28));
    j.campo->setText("99/99/99");
    EXPECT_EQ(j.campo->Data(), D(2007, 12, 28));
    EXPECT_EQ(j.campo->text(), "28/12/07");
}

// A typed text that is not a date is said so when the field is left for
// another control, once, and the clerk is back in the field with the text.
TEST_F(CampoDataTeste, TextoQueNaoEhDataAvisaAoSairEVoltaAoCampoComOTexto) {
    struct Caso {
        const char* teclas;
        const char* texto;
    } casos[] = {{"310226", "31/02/26"}, {"999999", "99/99/99"}, {"3112", "31/12/"}, {"000000", "00/00/00"}};
    for (const auto& c : casos) {
        msgs.mensagens.clear();
        Janela<CampoData> j;
        j.campo->DefineData(D(2007, 12, 1));
        QSignalSpy mudou(j.campo, &CampoData::dataAlterada);
        j.Entra();
        j.campo->selectAll();
        QTest::keyClicks(j.campo, c.teclas);
        j.Sai();
        QTest::qWait(20);
        ASSERT_EQ(msgs.mensagens.size(), 1u) << c.teclas;
        EXPECT_EQ(msgs.mensagens[0].texto, TextoDataInvalida(c.texto).toStdString());
        EXPECT_EQ(msgs.mensagens[0].titulo, kTituloAtencao);
        EXPECT_NE(msgs.mensagens[0].texto.find(c.texto), std::string::npos);
        EXPECT_TRUE(j.campo->hasFocus()) << c.teclas;
        EXPECT_EQ(j.campo->text(), c.texto);
        EXPECT_EQ(mudou.count(), 0) << c.teclas;
        EXPECT_FALSE(j.campo->ConfereData());
        // Escape gives the held date back; then the field leaves quietly.
        QTest::keyClick(j.campo, Qt::Key_Escape);
        EXPECT_EQ(j.campo->text(), "01/12/07");
        j.Sai();
        QTest::qWait(20);
        EXPECT_EQ(msgs.mensagens.size(), 2u) << c.teclas;  // the ConfereData above
        EXPECT_EQ(j.campo->Data(), D(2007, 12, 1));
    }
}

// Clicked inside 15/11/07, the typed 151107 gave 15/11/01 (the digits past
// the caret's end were dropped). A click entering the field selects the date,
// as Tab does; with the caret placed by a second click, a correction still
// overwrites in place, and a whole date typed there still lands whole.
TEST_F(CampoDataTeste, DataInteiraDigitadaDepoisDeUmCliqueEhADigitada) {
    const auto clica = [](CampoData* c, int posicao) {
        const int y = c->height() / 2;
        int x = c->width() - 30;
        if (posicao >= 0)
            for (x = 0; x < c->width() && c->cursorPositionAt({x, y}) < posicao;) ++x;
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(x, y));
    };
    struct Caso {
        bool segundoClique;
        int posicao;  // of the caret the click places; -1 past the text
        const char* teclas;
        Data esperada;
    } casos[] = {
        {false, 7, "281207", D(2007, 12, 28)},  {false, 3, "281207", D(2007, 12, 28)},
        {false, -1, "281207", D(2007, 12, 28)}, {true, 7, "281207", D(2007, 12, 28)},
        {true, 3, "010208", D(2008, 2, 1)},     {true, 1, "281207", D(2007, 12, 28)},
        {true, 6, "08", D(2008, 11, 15)},  // a correction of the year
        {true, 3, "12", D(2007, 12, 15)},  // of the month
    };
    for (const auto& c : casos) {
        Janela<CampoData> j;
        j.campo->DefineData(D(2007, 11, 15));
        j.Sai();
        if (c.segundoClique) clica(j.campo, 0);
        clica(j.campo, c.posicao);
        ASSERT_TRUE(j.campo->hasFocus());
        QTest::keyClicks(j.campo, c.teclas);
        EXPECT_EQ(j.campo->Data(), c.esperada) << c.segundoClique << " " << c.posicao << " " << c.teclas;
        j.Sai();
        EXPECT_EQ(j.campo->Data(), c.esperada) << c.segundoClique << " " << c.posicao << " " << c.teclas;
    }
    EXPECT_TRUE(msgs.mensagens.empty());
}

TEST_F(CampoDataTeste, DataCorrigidaDepoisDoAvisoEhTomada) {
    Janela<CampoData> j;
    j.Entra();
    QTest::keyClicks(j.campo, "310226");
    j.Sai();
    QTest::qWait(20);
    ASSERT_TRUE(j.campo->hasFocus());
    QTest::keyClicks(j.campo, "280226");
    j.Sai();
    QTest::qWait(20);
    EXPECT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(j.campo->Data(), D(2026, 2, 28));
    EXPECT_TRUE(j.outro->hasFocus());
    EXPECT_TRUE(j.campo->ConfereData());
    EXPECT_EQ(msgs.mensagens.size(), 1u);
}

// With the real message box answered by Enter: one box, the focus back in
// the field, no second warning from the box taking the focus away.
TEST_F(CampoDataTeste, EnterNaCaixaDeixaNoCampoSemNovoAviso) {
    MensageiroQt real;
    DefineServicoMensagens(&real);
    guarda.Permite(true);
    int caixas = 0;
    QString texto;
    QTimer responde;
    responde.setInterval(5);
    QObject::connect(&responde, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        ++caixas;
        texto = box->text();
        QApplication::setActiveWindow(box);
        QTest::keyClick(box, Qt::Key_Return);
    });
    responde.start();
    Janela<CampoData> j;
    j.Entra();
    QTest::keyClicks(j.campo, "999999");
    j.Sai();
    QTest::qWait(200);
    QApplication::setActiveWindow(&j.w);
    QTest::qWait(50);
    EXPECT_EQ(caixas, 1);
    EXPECT_EQ(texto, TextoDataInvalida(QStringLiteral("99/99/99")));
    EXPECT_TRUE(j.campo->hasFocus());
    EXPECT_EQ(j.campo->text(), "99/99/99");
    // Checked again from an action while the field has the focus: one box more.
    EXPECT_FALSE(j.campo->ConfereData());
    QTest::qWait(200);
    EXPECT_EQ(caixas, 2);
    responde.stop();
    DefineServicoMensagens(&msgs);
}

// The window closing, or losing the focus to another, is no leaving for a
// control: nothing is said, nothing traps, and the text is not replaced.
TEST_F(CampoDataTeste, JanelaQueFechaOuPerdeOFocoNaoAvisa) {
    Janela<CampoData> j;
    j.campo->DefineData(D(2007, 12, 1));
    j.Entra();
    j.campo->selectAll();
    QTest::keyClicks(j.campo, "310226");
    QWidget outra;
    outra.show();
    QApplication::setActiveWindow(&outra);
    QTest::qWait(20);
    j.w.close();
    QTest::qWait(20);
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_FALSE(j.w.isVisible());
    EXPECT_EQ(j.campo->text(), "31/02/26");
}
