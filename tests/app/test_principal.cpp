// Start-up, the main menu and the help window.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>

#include "app/JanelaManual.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/ProgramaTeste.h"

using namespace quantivo;
using teste::Controles;

namespace {

class Programa : public teste::ProgramaTeste {};

QColor CorTexto(const MemoTexto* m) { return m->palette().color(QPalette::WindowText); }
// The band behind a description: its own when it paints one, else the window's.
QColor CorFundo(const MemoTexto* m) {
    return (m->autoFillBackground() ? m : m->window())->palette().color(QPalette::Window);
}

}  // namespace

TEST_F(Programa, CriaAsJanelasNaOrdemTodasEscondidas) {
    ASSERT_FALSE(frm_principal.isNull());
    ASSERT_FALSE(frm_desconto_cheque.isNull());
    EXPECT_TRUE(frm_Ajuda.isNull());  // created when first shown
    EXPECT_FALSE(frm_principal->isVisible());
    EXPECT_FALSE(frm_desconto_cheque->isVisible());
    EXPECT_EQ(frm_principal->windowTitle(), "Quantivo - www.example.com");
    EXPECT_EQ(Controles(frm_desconto_cheque).data_ref->Data(), kDataNula);
    EXPECT_EQ(frm_desconto_cheque->TipoSelecionado(), TipoCalculo::Nenhum);
    EXPECT_TRUE(Controles(frm_desconto_cheque).CheckBox1->isChecked());
}

TEST_F(Programa, DescricoesLinhaALinha) {
    EXPECT_EQ(frm_principal->Memo1->toPlainText(),
              "\nUtilize esta opção para fazer cálculos de desconto de \ncheques,Duplicatas - Factoring.\n"
              "Ex: Você tem dois cheques e pretende descontá-los, gostaria\nde saber qual o valor líquido.");
    EXPECT_EQ(frm_principal->Memo4->toPlainText(),
              "\nAtualiza  débitos com juros simples.\nNa função de renegociação, busca automaticamente os dados \n"
              "atualizados e reparcela o saldo em parcelas fixas  utilizando a \ntabela price.\n");
    EXPECT_EQ(frm_principal->Memo3->toPlainText().split('\n').size(), 6);
    EXPECT_EQ(frm_principal->Memo2->toPlainText().split('\n').first(), "Também conhecido como: Desconto Inverso.");
    EXPECT_EQ(frm_principal->Label1->text(), "Versão 7 (21/09/2007)");
    const char* botoes[][2] = {{"SpeedButton5", "Desconto de Cheque"},
                               {"SpeedButton6", "Venda certa"},
                               {"SpeedButton7", "Prestação Taxa Efetiva"},
                               {"SpeedButton8", "Renegociação de Dívidas"},
                               {"SpeedButton9", "Sair"},
                               {"SpeedButton2", "Ajuda"},
                               {"SpeedButton1", "Sobre..."},
                               {"SpeedButton10", "Outros produtos"}};
    for (const auto& [nome, texto] : botoes) {
        auto* b = frm_principal->findChild<QPushButton*>(nome);
        ASSERT_NE(b, nullptr) << nome;
        EXPECT_EQ(b->text(), QString::fromUtf8(texto));
    }
}

// Grey text on the silver at rest; under the mouse, a yellow band behind
// dark text.
TEST_F(Programa, DescricaoAmarelaSobOMouseCinzaNoFundo) {
    MostraMenu();
    const QColor amarelo(255, 255, 0), cinza(64, 64, 64), prata(192, 192, 192);
    for (MemoTexto* m : {frm_principal->Memo1, frm_principal->Memo2, frm_principal->Memo3, frm_principal->Memo4}) {
        EXPECT_EQ(CorTexto(m), cinza);
        EXPECT_EQ(CorFundo(m), prata);
    }
    QTest::mouseMove(frm_principal->SpeedButton6);
    EXPECT_EQ(CorFundo(frm_principal->Memo2), amarelo);
    EXPECT_EQ(CorTexto(frm_principal->Memo2), QColor(0, 0, 0));
    EXPECT_EQ(CorTexto(frm_principal->Memo1), cinza);
    EXPECT_EQ(CorFundo(frm_principal->Memo1), prata);
    QTest::mouseMove(frm_principal, QPoint(590, 300));  // the background
    EXPECT_EQ(CorTexto(frm_principal->Memo2), cinza);
    EXPECT_EQ(CorFundo(frm_principal->Memo2), prata);
}

// Enter moves on as Tab does, through every button in reading order, and
// presses none; the first button shows its focus frame from the start.
TEST_F(Programa, EnterNoMenuPassaAoProximoBotaoComOQuadroDeFoco) {
    MostraMenu();
    Tfrm_principal* m = frm_principal;
    ASSERT_EQ(QApplication::focusWidget(), m->SpeedButton5);
    QStyleOptionButton opcao;
    opcao.initFrom(m->SpeedButton5);
    EXPECT_TRUE(opcao.state & QStyle::State_HasFocus);
    EXPECT_TRUE(opcao.state & QStyle::State_KeyboardFocusChange);
    int abertas = 0;
    m->abreDescontoCheque = m->abreVendaCerta = m->abrePrestacao = m->abreRenegociacao = [&abertas] { ++abertas; };
    m->abreOperacoes = [&abertas] { ++abertas; };
    const std::vector<QWidget*> ordem = {m->SpeedButton6,  m->SpeedButton7, m->SpeedButton8,
                                         m->SpeedButton9,  m->SpeedButton2, m->SpeedButton1,
                                         m->SpeedButton10, m->btnOperacoes, m->SpeedButton5};
    for (QWidget* proximo : ordem) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), proximo) << proximo->objectName().toStdString();
    }
    EXPECT_EQ(abertas, 0);
    EXPECT_TRUE(m->isVisible());
    EXPECT_TRUE(msgs.mensagens.empty());
    // Space still presses the focused button.
    QTest::keyClick(m->SpeedButton5, Qt::Key_Space);
    EXPECT_EQ(abertas, 1);
}

// The manual inside the program, with its pictures.
static void ConfereManualNaTela() {
    auto* janela = qobject_cast<JanelaManual*>(frm_principal->JanelaDoManual());
    ASSERT_NE(janela, nullptr);
    EXPECT_TRUE(janela->isVisible());
    EXPECT_EQ(janela->windowTitle(), "Manual do Quantivo");
    EXPECT_TRUE(janela->texto->toPlainText().contains("O menu principal"));
    for (const char* figura : {"principal.png", "bancada.png", "recibo_janela.png"})
        EXPECT_FALSE(QImage(QStringLiteral(":/screenshots/") + figura).isNull()) << figura;
    const QVariant figura =
        janela->texto->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("../screenshots/principal.png")));
    EXPECT_TRUE(figura.isValid());
    janela->btnFecha->click();
    EXPECT_FALSE(janela->isVisible());
}

TEST_F(Programa, AjudaSemManualAvisaENadaAbreMasMostraOManualNaTela) {
    frm_principal->SpeedButton2->click();
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"O arquivo do manual não foi encontrado neste computador"});
    EXPECT_TRUE(arquivos.isEmpty());
    ConfereManualNaTela();
}

// No program on the machine takes the PDF: the clerk is told so, and the
// manual opens inside the program instead of nothing at all.
TEST_F(Programa, AjudaSemLeitorDePdfAvisaEMostraOManualNaTela) {
    QFile pdf(QDir(dir.path()).filePath("Manual_Quantivo.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
    abreArquivos = false;
    frm_principal->SpeedButton2->click();
    ASSERT_EQ(arquivos.size(), 1);
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(msgs.mensagens[0].icone, Icone::Aviso);
    EXPECT_EQ(msgs.mensagens[0].texto,
              "Não foi possível abrir o manual: nenhum programa para ler arquivos PDF respondeu neste computador.\n"
              "O manual será mostrado numa janela do Quantivo.");
    ConfereManualNaTela();
}

TEST_F(Programa, AjudaComManualAbreOArquivo) {
    QFile pdf(QDir(dir.path()).filePath("Manual_Quantivo.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
    frm_principal->SpeedButton2->click();
    EXPECT_TRUE(msgs.mensagens.empty());
    ASSERT_EQ(arquivos.size(), 1);
    EXPECT_TRUE(arquivos[0].endsWith("Manual_Quantivo.pdf"));
    EXPECT_EQ(frm_principal->JanelaDoManual(), nullptr);
}

TEST_F(Programa, SobreEProdutos) {
    frm_principal->SpeedButton1->click();
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(msgs.mensagens[0].icone, Icone::Informacao);
    EXPECT_NE(msgs.mensagens[0].texto.find("Quantivo Sistemas"), std::string::npos);
    frm_principal->SpeedButton10->click();
    MostraMenu();
    QTest::mouseClick(frm_principal->Image, Qt::LeftButton);
    QTest::mouseClick(frm_principal->Label2, Qt::LeftButton);
    EXPECT_EQ(urls, QStringList(3, "https://www.example.com/produtos"));
}

TEST_F(Programa, FecharOMenuEncerraComABancadaAberta) {
    MostraMenu();
    frm_desconto_cheque->show();
    bool terminou = false;
    QTimer::singleShot(0, frm_principal, [] { frm_principal->SpeedButton9->click(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // a safety net
    terminou = QCoreApplication::exec() == 0;
    EXPECT_TRUE(terminou);
}

TEST_F(Programa, FecharABancadaSoEsconde) {
    frm_desconto_cheque->show();
    Controles(frm_desconto_cheque).Edit1->setText("3");
    Controles(frm_desconto_cheque).btnFecha->click();
    ASSERT_FALSE(frm_desconto_cheque.isNull());
    EXPECT_FALSE(frm_desconto_cheque->isVisible());
    EXPECT_EQ(Controles(frm_desconto_cheque).Edit1->text(), "3");
}

TEST_F(Programa, AjudaDaBancadaEhModalComOsTresPaineis) {
    frm_desconto_cheque->show();
    guarda.Permite(true);
    bool viu = false;
    QTimer::singleShot(0, [&] {
        auto* ajuda = qobject_cast<Tfrm_Ajuda*>(QApplication::activeModalWidget());
        ASSERT_NE(ajuda, nullptr);
        viu = true;
        EXPECT_EQ(ajuda->windowTitle(), "Ajuda...");
        EXPECT_EQ(ajuda->size(), QSize(401, 509));
        EXPECT_FALSE(ajuda->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(ajuda->findChild<QLabel*>("Panel1Titulo")->text(), "VENDA POR FORA");
        EXPECT_EQ(ajuda->findChild<QLabel*>("Panel2Titulo")->text(), "DESCONTO DE CHEQUE");
        EXPECT_EQ(ajuda->findChild<QLabel*>("Panel3Titulo")->text(), "TAXA EFETIVA");
        // The instructions name what this program shows: the list's item,
        // the instalment window's monthly rate and its OK button.
        EXPECT_TRUE(ajuda->findChild<QLabel*>("Memo3")->text().contains("como: \"Desconto de Cheque\"\n"));
        EXPECT_EQ(ajuda->findChild<QLabel*>("Memo4")->text(),
                  "Venda à prazo com amortização em 30/30 dias \n\n"
                  "Selecione o tipo de calculo como: \"Prestação Taxa Efetiva\"\n"
                  "Na tela que surgir, preencha os dados:\n"
                  "  Valor da prestação, Número de prestação, e taxa mensal.\n"
                  "Clique no botão OK e o cálculo será feito");
        EXPECT_EQ(ajuda->findChild<QLabel*>("lblEmail")->text(),
                  "Qualquer dúvida contate o e'mail: contato@example.com");
        ajuda->btnFecha->click();
    });
    Controles(frm_desconto_cheque).SpeedButton2->click();
    EXPECT_TRUE(viu);
    EXPECT_FALSE(frm_Ajuda.isNull());  // kept for the next time
    EXPECT_FALSE(frm_Ajuda->isVisible());
}
