// The receipt window and the issuer settings window, driven as a user would,
// with messages recorded, the preview replaced and the files in a temporary
// program directory.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "core/UtbSys.h"
#include "output/Arquivos.h"
#include "output/Cadastro.h"
#include "output/F_PARAMETROS.h"
#include "output/F_PRIN.h"
#include "output/F_REL.h"
#include "tests/support/Dialogos.h"
#include "tests/support/GuardaJanelas.h"
#include "tests/support/PastaDoPrograma.h"
#include "ui/Servicos.h"

using namespace quantivo;

namespace {

const Mensagem kAvisoCamposParametros{"Preencha corretamente os campos antes de salvar!", "Atenção", Icone::Aviso};
const Mensagem kSalvo{"Informações salvas com sucesso", "Informação", Icone::Informacao};
const Mensagem kSemConfiguracao{kTextoSemConfiguracao, kTituloSemConfiguracao, Icone::Aviso};
const Mensagem kAvisoCamposRecibo{kTextoCamposRecibo, "Atenção", Icone::Aviso};

class JanelasRecibo : public teste::JanelaTeste {
protected:
    void SetUp() override {
        JanelaTeste::SetUp();
        ASSERT_TRUE(dir.isValid());
        guarda.Permite(true);  // the settings and receipt windows open as modal dialogs
        DefineHoje(D(2008, 3, 5));
        DefineVisualizaRecibo([this](const TFREL& rel, QWidget*) { paginas.push_back(rel.Elementos()); });
    }
    void TearDown() override {
        DefineVisualizaRecibo({});
        JanelaTeste::TearDown();
    }
    QString Ini() const { return dir.filePath(QStringLiteral("valida.ini")); }
    void EscreveIni(const QByteArray& bytes) { ASSERT_TRUE(dir.Escreve(QStringLiteral("valida.ini"), bytes)); }
    static void Mostra(QWidget* w) {
        w->show();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    static void Preenche(TFPRIN& r, const char* valor, const char* recebi, const char* referente) {
        r.tvalor->setFocus();
        r.tvalor->clear();
        QTest::keyClicks(r.tvalor, QString::fromUtf8(valor));
        r.trecebi->setText(QString::fromUtf8(recebi));
        r.treferente->setText(QString::fromUtf8(referente));
    }
    static QString Texto(const std::vector<ElementoRel>& pagina, const char* nome, bool* ligado = nullptr) {
        for (const ElementoRel& e : pagina)
            if (e.nome == QLatin1String(nome)) {
                if (ligado) *ligado = e.ligado;
                return e.texto;
            }
        ADD_FAILURE() << "no element " << nome;
        return {};
    }
    teste::PastaDoPrograma dir;
    std::vector<std::vector<ElementoRel>> paginas;
};

}  // namespace

TEST_F(JanelasRecibo, CadastroAbreVazioERecusaQualquerCampoVazio) {
    for (int vazio = 0; vazio < 5; ++vazio) {
        auto* p = new TFPARAMETROS;
        QPointer<TFPARAMETROS> vivo = p;
        EXPECT_EQ(p->windowTitle(), QStringLiteral("CADASTRO DE PARÂMETROS"));
        EXPECT_TRUE(p->rbumavia->isChecked());
        const QList<QLineEdit*> campos{p->tnome, p->tatividade, p->tendereco, p->tcidade, p->tassinatura};
        for (QLineEdit* c : campos) EXPECT_TRUE(c->text().isEmpty());
        for (int i = 0; i < 5; ++i) campos[i]->setText(i == vazio ? QString() : QStringLiteral(" "));
        msgs.mensagens.clear();
        p->bsalvar->click();
        EXPECT_EQ(msgs.mensagens, std::vector<Mensagem>{kAvisoCamposParametros}) << vazio;
        EXPECT_FALSE(QFile::exists(Ini()));
        p->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(vivo.isNull()) << "destroyed on close";
    }
}

TEST_F(JanelasRecibo, CadastroSalvoEReabertoMostraOsAcentos) {
    {
        TFPARAMETROS p;
        p.setAttribute(Qt::WA_DeleteOnClose, false);
        Mostra(&p);
        p.tnome->setText(QStringLiteral("José Ávila"));
        p.tatividade->setText(QStringLiteral("Comércio"));
        p.tendereco->setText(QStringLiteral("Praça São João, 5"));
        p.tcidade->setText(QStringLiteral("Maceió"));
        p.tassinatura->setText(QStringLiteral("Zé"));
        p.rbduasvias->setChecked(true);
        p.bsalvar->click();
        EXPECT_EQ(msgs.mensagens, std::vector<Mensagem>{kSalvo});
        EXPECT_EQ(QApplication::focusWidget(), p.bsair);
        EXPECT_TRUE(p.isVisible()) << "stays open after saving";
    }
    QFile f(Ini());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().endsWith("Assinatura=Z\xE9\r\nVias=2\r\n"));

    TFPARAMETROS q;
    q.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_EQ(q.tnome->text(), QStringLiteral("José Ávila"));
    EXPECT_EQ(q.tendereco->text(), QStringLiteral("Praça São João, 5"));
    EXPECT_EQ(q.tcidade->text(), QStringLiteral("Maceió"));
    EXPECT_TRUE(q.rbduasvias->isChecked());
}

// The program's folder named with accents (on Windows its path goes through
// the system's code page to the file functions).
TEST_F(JanelasRecibo, CadastroNumaPastaComAcentosVoltaIgual) {
    const QString pasta = dir.filePath(QStringLiteral("Usuários/João Conceição"));
    ASSERT_TRUE(QDir().mkpath(pasta));
    DefineDiretorioPrograma(pasta);
    const Cadastro c{"Fábio", "Câmbio", "Rua Ó, 1", "Jaú", "F", "1"};
    GravaCadastroDoPrograma(c);
    EXPECT_TRUE(QFile::exists(QDir(pasta).filePath(QStringLiteral("valida.ini"))));
    EXPECT_EQ(LeCadastroDoPrograma(), c);
    DefineDiretorioPrograma(dir.path());
}

TEST_F(JanelasRecibo, CadastroComViasDiferenteDeUmCarregaDuas) {
    const std::pair<QByteArray, bool> casos[] = {
        {"[Cadastro]\r\nVias=1\r\n", true}, {"[Cadastro]\r\nNome=X\r\n", false}, {"[Cadastro]\r\nVias=3\r\n", false}};
    for (const auto& [ini, uma] : casos) {
        EscreveIni(ini);
        TFPARAMETROS p;
        p.setAttribute(Qt::WA_DeleteOnClose, false);
        EXPECT_EQ(p.rbumavia->isChecked(), uma) << ini.constData();
        EXPECT_EQ(p.rbduasvias->isChecked(), !uma);
    }
}

TEST_F(JanelasRecibo, CadastroComErroDeGravacaoNomeiaOCaminhoENaoDizSucesso) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("valida.ini")));
    TFPARAMETROS p;
    p.setAttribute(Qt::WA_DeleteOnClose, false);
    const std::string caminho = QDir::toNativeSeparators(Ini()).toStdString();
    EXPECT_EQ(msgs.Textos(),
              std::vector<std::string>{"Não foi possível ler o arquivo " + caminho + ": é uma pasta, não um arquivo."});
    for (QLineEdit* c : {p.tnome, p.tatividade, p.tendereco, p.tcidade, p.tassinatura}) c->setText(QStringLiteral("x"));
    msgs.mensagens.clear();
    p.bsalvar->click();
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    EXPECT_EQ(msgs.mensagens[0].texto,
              "Unable to write to " + caminho + ": o arquivo atual não pôde ser lido (é uma pasta, não um arquivo).");
    EXPECT_EQ(msgs.mensagens[0].icone, Icone::Erro);
}

TEST_F(JanelasRecibo, CadastroOrdemDeTabEnterEEscape) {
    auto* p = new TFPARAMETROS;
    QPointer<TFPARAMETROS> vivo = p;
    Mostra(p);
    const QList<QWidget*> ordem{p->bsalvar,   p->bsair,   p->tnome,       p->tatividade,
                                p->tendereco, p->tcidade, p->tassinatura, p->rbumavia};
    // It opens on the name, the first field; the tab order still begins at SALVA.
    EXPECT_EQ(QApplication::focusWidget(), p->tnome);
    p->bsalvar->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < ordem.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), ordem[i]) << i;
    }
    EXPECT_TRUE(msgs.mensagens.empty()) << "Enter on SALVA must not press it";
    p->rbduasvias->setChecked(true);
    p->tassinatura->setFocus();
    QTest::keyClick(p->tassinatura, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(QApplication::focusWidget()->parentWidget(), p->rgvias) << "Enter in Assinatura goes to Vias";
    QTest::keyClick(p->tcidade, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(vivo.isNull());
    EXPECT_FALSE(QFile::exists(Ini()));
}

TEST_F(JanelasRecibo, ReciboSemArquivoDeCadastroPedeOCadastroMesmoPreenchido) {
    TFPRIN r;
    r.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_EQ(r.windowTitle(), QStringLiteral("FIRMATTO"));
    Preenche(r, "10", "Fulano", "Aluguel");
    r.SpeedButton5->click();
    EXPECT_EQ(msgs.mensagens, std::vector<Mensagem>{kSemConfiguracao});
    EXPECT_TRUE(paginas.empty());
}

TEST_F(JanelasRecibo, ReciboRecusaValorPagadorOuReferenteVazios) {
    EscreveIni("[Cadastro]\r\nNome=N\r\n");
    struct Caso {
        const char *valor, *recebi, *referente;
    };
    for (const Caso& c : {Caso{"", "a", "b"}, Caso{"0", "a", "b"}, Caso{"1", "", "b"}, Caso{"1", "a", ""}}) {
        TFPRIN r;
        r.setAttribute(Qt::WA_DeleteOnClose, false);
        Mostra(&r);
        Preenche(r, c.valor, c.recebi, c.referente);
        msgs.mensagens.clear();
        r.SpeedButton5Click();
        EXPECT_EQ(msgs.mensagens, std::vector<Mensagem>{kAvisoCamposRecibo}) << c.valor << c.recebi << c.referente;
    }
    EXPECT_TRUE(paginas.empty());
    TFPRIN r;
    r.setAttribute(Qt::WA_DeleteOnClose, false);
    Mostra(&r);
    Preenche(r, "1", " ", " ");  // blanks count as filled
    msgs.mensagens.clear();
    r.SpeedButton5Click();
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_EQ(paginas.size(), 1u);
}

TEST_F(JanelasRecibo, ReciboExtensoSegueOValorAoSairDoCampo) {
    TFPRIN r;
    r.setAttribute(Qt::WA_DeleteOnClose, false);
    Mostra(&r);
    Preenche(r, "1,01", "", "");
    QTest::keyClick(r.tvalor, Qt::Key_Return);  // leaves the field
    EXPECT_EQ(QApplication::focusWidget(), r.trecebi);
    EXPECT_EQ(r.extenso->text(), QStringLiteral("um real  e um centavo "));
    r.tvalor->setFocus();
    r.tvalor->clear();
    QTest::keyClick(r.tvalor, Qt::Key_Tab);
    EXPECT_TRUE(r.extenso->text().isEmpty());
}

// A value past what the words can write was brought down to 4294967295 on
// leaving, its cents lost, unannounced: it stays as typed, the words' range
// error says why there are no words, and nothing is printed.
TEST_F(JanelasRecibo, ReciboValorAlemDoExtensoFicaComoDigitadoEAvisa) {
    EscreveIni("[Cadastro]\r\nNome=Maria\r\nAtividade=Tecidos\r\nEndereco=Rua A\r\nCidade=Recife\r\n");
    TFPRIN r;
    r.setAttribute(Qt::WA_DeleteOnClose, false);
    Mostra(&r);
    Preenche(r, "4294967295,99", "Ana", "Aluguel");  // the largest the words write, cents included
    QTest::keyClick(r.tvalor, Qt::Key_Return);
    EXPECT_EQ(r.extenso->text(), QString::fromStdString(ValorExtenso(4294967295.99)));
    EXPECT_TRUE(msgs.mensagens.empty());
    Preenche(r, "999999999999,99", "Ana", "Aluguel");
    QTest::keyClick(r.tvalor, Qt::Key_Return);
    const Mensagem faixa{"999999999999,99 Valor fora da faixa 0,01..4294967295,99", "", Icone::Erro};
    EXPECT_EQ(msgs.mensagens, std::vector<Mensagem>{faixa});
    EXPECT_EQ(r.tvalor->Texto(), "999999999999,99");
    EXPECT_TRUE(r.extenso->text().isEmpty());  // not the words of the value before
    msgs.mensagens.clear();
    r.SpeedButton5->click();
    EXPECT_EQ(msgs.mensagens, std::vector<Mensagem>{faixa});
    EXPECT_TRUE(paginas.empty());
}

// The largest amounts' words take three lines at the window's font: they
// fit the label's box in a smaller one, and a short amount gets the window's
// font back.
TEST_F(JanelasRecibo, ReciboExtensoDosMaioresValoresCabeNoRotulo) {
    TFPRIN r;
    r.setAttribute(Qt::WA_DeleteOnClose, false);
    Mostra(&r);
    const QFont original = r.extenso->font();
    const auto cabe = [&r] {
        const QRect caixa = r.extenso->contentsRect();
        const QRect usado = r.extenso->fontMetrics().boundingRect(QRect(0, 0, caixa.width(), 1 << 20), Qt::TextWordWrap,
                                                                  r.extenso->text());
        return usado.height() <= caixa.height() && usado.width() <= caixa.width();
    };
    for (const char* valor : {"4294967295", "3454454454,54"}) {
        Preenche(r, valor, "", "");
        QTest::keyClick(r.tvalor, Qt::Key_Return);
        ASSERT_FALSE(r.extenso->text().isEmpty());
        EXPECT_TRUE(cabe()) << valor;
        EXPECT_LT(r.extenso->font().pointSizeF() + r.extenso->font().pixelSize(),
                  original.pointSizeF() + original.pixelSize());
    }
    Preenche(r, "100", "", "");
    QTest::keyClick(r.tvalor, Qt::Key_Return);
    EXPECT_EQ(r.extenso->font(), original);
    EXPECT_EQ(r.extenso->geometry(), QRect(140, 74, 377, 41));
}

TEST_F(JanelasRecibo, ReciboImprimeUmaOuDuasViasConformeOArquivo) {
    const std::pair<QByteArray, bool> casos[] = {
        {"[Cadastro]\r\nNome=Maria\r\nAtividade=Tecidos\r\nEndereco=Rua A\r\nCidade=Recife\r\nVias=1\r\n", false},
        {"[Cadastro]\r\nNome=Maria\r\nAtividade=Tecidos\r\nEndereco=Rua A\r\nCidade=Recife\r\nVias=2\r\n", true},
        {"[Cadastro]\r\nNome=Maria\r\nAtividade=Tecidos\r\nEndereco=Rua A\r\nCidade=Recife\r\n", true}};
    for (const auto& [ini, duas] : casos) {
        EscreveIni(ini);
        paginas.clear();
        TFPRIN r;
        r.setAttribute(Qt::WA_DeleteOnClose, false);
        Mostra(&r);
        Preenche(r, "1234,5", "João", "Aluguel");
        r.trecebi->setFocus();
        r.SpeedButton5->click();
        ASSERT_EQ(paginas.size(), 1u);
        const auto& pg = paginas[0];
        bool ligado = false;
        EXPECT_EQ(Texto(pg, "valor"), QStringLiteral("1.234,50"));
        EXPECT_EQ(Texto(pg, "valor2", &ligado), QStringLiteral("1.234,50"));
        EXPECT_EQ(ligado, duas);
        EXPECT_EQ(Texto(pg, "extenso"), r.extenso->text());
        EXPECT_EQ(Texto(pg, "recebi"), QStringLiteral("João"));
        EXPECT_EQ(Texto(pg, "emitente"), QStringLiteral("Maria"));
        EXPECT_EQ(Texto(pg, "cidade"), QStringLiteral("Recife"));
        EXPECT_EQ(Texto(pg, "data"), QStringLiteral("05, de março de 2008"));
        EXPECT_EQ(Texto(pg, "t2", &ligado), QStringLiteral("2ª VIA"));
        EXPECT_EQ(ligado, duas);
        EXPECT_EQ(r.tvalor->Texto(), QStringLiteral("1234,5")) << "fields unchanged after the preview";
    }
}

TEST_F(JanelasRecibo, ReciboImpressoLogoAposDigitarOValorTemOExtensoDele) {
    EscreveIni("[Cadastro]\r\nNome=N\r\n");
    TFPRIN r;
    r.setAttribute(Qt::WA_DeleteOnClose, false);
    Mostra(&r);
    r.trecebi->setText(QStringLiteral("a"));
    r.treferente->setText(QStringLiteral("b"));
    r.tvalor->setFocus();
    QTest::keyClicks(r.tvalor, QStringLiteral("100"));
    r.SpeedButton5->click();  // the button takes no focus: the field was never left
    ASSERT_EQ(paginas.size(), 1u);
    EXPECT_EQ(Texto(paginas[0], "extenso"), QStringLiteral("cem  reais "));
    EXPECT_EQ(Texto(paginas[0], "valor"), QStringLiteral("100,00"));
}

TEST_F(JanelasRecibo, CadastroSalvoApareceJaNaImpressaoSeguinte) {
    EscreveIni("[Cadastro]\r\nNome=Antigo\r\nVias=2\r\n");
    auto* r = new TFPRIN;
    QPointer<TFPRIN> vivo = r;
    Mostra(r);
    Preenche(*r, "5", "a", "b");
    r->SpeedButton5->click();

    for (bool uma : {true, false}) {
        teste::NaProximaModal<TFPARAMETROS>([uma](TFPARAMETROS* p) {
            EXPECT_EQ(p->windowTitle(), QStringLiteral("CADASTRO DE PARÂMETROS"));
            p->tnome->setText(uma ? QStringLiteral("Novo") : QStringLiteral("Outro"));
            for (QLineEdit* c : {p->tatividade, p->tendereco, p->tcidade, p->tassinatura})
                c->setText(QStringLiteral("x"));
            (uma ? p->rbumavia : p->rbduasvias)->setChecked(true);
            p->bsalvar->click();
        });
        r->SpeedButton2->click();
        r->SpeedButton5->click();
    }
    ASSERT_EQ(paginas.size(), 3u);
    bool ligado = false;
    EXPECT_EQ(Texto(paginas[0], "emitente"), QStringLiteral("Antigo"));
    EXPECT_EQ(Texto(paginas[1], "emitente"), QStringLiteral("Novo"));
    Texto(paginas[1], "t15", &ligado);
    EXPECT_FALSE(ligado);
    EXPECT_EQ(Texto(paginas[2], "t15", &ligado), QStringLiteral("Outro"));
    EXPECT_TRUE(ligado);
    r->SpeedButton4->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(vivo.isNull());
}

TEST_F(JanelasRecibo, ReciboBotaoPressionadoPelaAcessibilidadeVoltaAntesDoDialogo) {
    TFPRIN r;
    r.setAttribute(Qt::WA_DeleteOnClose, false);
    Mostra(&r);
    QAccessibleInterface* botao = QAccessible::queryAccessibleInterface(r.SpeedButton2);
    ASSERT_NE(botao, nullptr);
    EXPECT_EQ(botao->role(), QAccessible::Button);
    EXPECT_EQ(botao->text(QAccessible::Name), QStringLiteral("CONFIGURAÇÕES"));
    EXPECT_EQ(botao->text(QAccessible::Accelerator), QStringLiteral("Alt+C"));
    ASSERT_NE(botao->actionInterface(), nullptr);
    bool abriu = false;
    teste::NaProximaModal([&abriu](QWidget* w) { abriu = qobject_cast<TFPARAMETROS*>(w); });
    botao->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(abriu) << "the press waited for the dialog";
    EXPECT_TRUE(QTest::qWaitFor([&abriu] { return abriu; }, 2000));  // the click runs from the event loop
}

TEST_F(JanelasRecibo, ReciboBotoesAtendemAAltComSuaLetraSublinhada) {
    auto* r = new TFPRIN;
    QPointer<TFPRIN> vivo = r;
    Mostra(r);
    Preenche(*r, "5", "a", "b");
    // A shortcut clicks its button a moment later, as a mouse click shows.
    QTest::keyClick(r->trecebi, Qt::Key_I, Qt::AltModifier);  // IMPRIMIR: no settings file yet
    EXPECT_TRUE(QTest::qWaitFor([this] { return !msgs.mensagens.empty(); }, 2000));
    EXPECT_EQ(msgs.mensagens, std::vector<Mensagem>{kSemConfiguracao});
    bool abriu = false;
    teste::NaProximaModal([&abriu](QWidget* w) { abriu = qobject_cast<TFPARAMETROS*>(w); });
    QTest::keyClick(r->trecebi, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&abriu] { return abriu; }, 2000));
    QApplication::setActiveWindow(r);  // back from the settings window
    QTest::keyClick(r->trecebi, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor(
        [&vivo] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return vivo.isNull();
        },
        2000));
}

TEST_F(JanelasRecibo, FirmattoAbreUmaJanelaNovaEVaziaCadaVez) {
    for (int vez = 0; vez < 2; ++vez) {
        teste::NaProximaModal<TFPRIN>([](TFPRIN* r) {
            EXPECT_TRUE(r->tvalor->Texto().isEmpty());
            EXPECT_TRUE(r->trecebi->text().isEmpty());
            EXPECT_TRUE(r->extenso->text().isEmpty());
            r->trecebi->setText(QStringLiteral("sobra?"));
        });
        AbreRecibo(nullptr);
    }
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<TFPRIN*>(w), nullptr) << "left alive";
}
