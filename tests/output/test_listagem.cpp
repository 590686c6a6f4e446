// The listing file on disk and the printed listing: bytes, the place it is
// written, the print path with the dialog replaced, and what reaches the user
// when something fails.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <QPageSize>
#include <QPaintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "output/Arquivos.h"
#include "output/Listagem.h"
#include "tests/support/ExemploListagem.h"
#include "tests/support/PastaDoPrograma.h"
#include "ui/Servicos.h"

using namespace quantivo;
using teste::Bytes;

namespace {

std::unique_ptr<QPrinter> ImpressoraPdf(const QString& arquivo) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setPageSize(QPageSize(QPageSize::A4));
    p->setOutputFileName(arquivo);
    return p;
}

// A schedule long enough for three pages.
EntradaListagemPrestacoes Prestacoes(long double n, long double valorFinanciado = 1000) {
    return EntradaPrestacoes(*CodificaData(2008, 1, 31), "31/01/08", valorFinanciado, 2, n, 94.56L);
}

QString PdfTexto(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool TemPoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

// A printer that paints nowhere: its measures (page, margins, resolution) are
// a real PDF printer's, and it records each text drawn, with its baseline, its
// font and the page it went to.
class MotorGravador : public QPaintEngine {
public:
    struct Texto {
        int pagina;
        qreal base;
        QString texto;
        QFont fonte;
    };
    MotorGravador() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& t) override {
        textos.push_back({pagina, p.y(), t.text(), t.font()});
    }
    Type type() const override { return QPaintEngine::User; }
    std::vector<Texto> textos;
    int pagina = 0;
};

class ImpressoraGravadora : public QPrinter {
public:
    explicit ImpressoraGravadora(const QPageSize& tamanho) : QPrinter(QPrinter::HighResolution) {
        setOutputFormat(QPrinter::PdfFormat);
        setPageSize(tamanho);
    }
    QPaintEngine* paintEngine() const override { return &motor; }
    bool newPage() override {
        ++motor.pagina;
        return true;
    }
    mutable MotorGravador motor;
};

class Listagem : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        DefineServicoMensagens(&msgs);
    }
    void TearDown() override {
        DefineServicoMensagens(nullptr);
        DefineEscolheImpressora({});
    }
    // The print dialog answers with this printer (nullptr: cancelled) and counts its calls.
    void Dialogo(std::function<std::unique_ptr<QPrinter>()> f) {
        DefineEscolheImpressora([this, f] {
            ++dialogos;
            return f();
        });
    }
    teste::PastaDoPrograma dir;
    MensageiroGravador msgs;
    int dialogos = 0;
};

}  // namespace

TEST_F(Listagem, ArquivoEmWindows1252ComCrLfAposCadaLinha) {
    GravaListagem({"Data de Referência:", "", "N.Prestação  : 3"});
    EXPECT_EQ(Bytes(CaminhoListagem()), QByteArray("Data de Refer\xEAncia:\r\n\r\nN.Presta\xE7\xE3o  : 3\r\n"));
    EXPECT_EQ(LeListagem(),
              (QStringList{QStringLiteral("Data de Referência:"), QString(), QStringLiteral("N.Prestação  : 3")}));
    // Rewritten from scratch each time, nothing of the longer listing left.
    GravaListagem({"x"});
    EXPECT_EQ(Bytes(CaminhoListagem()), QByteArray("x\r\n"));
}

// Left to itself the listing goes to the user's own data folder (never the
// Windows directory, which a normal user cannot write).
TEST_F(Listagem, SemPastaDadaFicaNosDadosDoUsuario) {
    DefineDiretorioListagem({});
    const QString dados = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    EXPECT_EQ(QFileInfo(CaminhoListagem()).absolutePath(), QDir(dados).absolutePath());
    DefineDiretorioListagem(dir.path());
}

TEST_F(Listagem, LinkPlantadoNoCaminhoEhSubstituidoNuncaSeguido) {
    const QString alvo = dir.filePath(QStringLiteral("outro.txt"));
    QFile a(alvo);
    ASSERT_TRUE(a.open(QIODevice::WriteOnly));
    a.write("intacto");
    a.close();
    ASSERT_TRUE(QFile::link(alvo, CaminhoListagem()));
    GravaListagem({"linha"});
    EXPECT_EQ(Bytes(alvo), QByteArray("intacto"));
    EXPECT_FALSE(QFileInfo(CaminhoListagem()).isSymLink());
    EXPECT_EQ(Bytes(CaminhoListagem()), QByteArray("linha\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);  // no temporary left behind
}

TEST_F(Listagem, LugarSemGravacaoDaErroQueNomeiaOCaminho) {
    // A directory in place of the file; and a directory below a regular file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Listagem.txt")));
    const QString arquivo = dir.filePath(QStringLiteral("arquivo"));
    QFile(arquivo).open(QIODevice::WriteOnly);
    for (const QString& lugar : {dir.path(), arquivo + QStringLiteral("/sub")}) {
        DefineDiretorioListagem(lugar);
        const QString esperado = QStringLiteral("Não foi possível gravar o arquivo ") + lugar + "/Listagem.txt: ";
        try {
            GravaListagem({"x"});
            ADD_FAILURE() << lugar.toStdString();
        } catch (const ErroArquivo& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(esperado)) << e.what();
        }
        msgs.mensagens.clear();
        Dialogo([] { return nullptr; });
        EXPECT_EQ(ImprimeListagemPrestacoes(Prestacoes(3)), ResultadoImpressao::Falhou);
        ASSERT_EQ(msgs.mensagens.size(), 1u);
        EXPECT_TRUE(QString::fromStdString(msgs.mensagens[0].texto).startsWith(esperado));
        EXPECT_EQ(dialogos, 0);
    }
}

TEST_F(Listagem, ErroDeConversaoNaoImprimeNemAbreODialogo) {
    Dialogo([] { return nullptr; });
    EXPECT_EQ(ImprimeListagemPrestacoes(Prestacoes(3, 0)), ResultadoImpressao::Falhou);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"'' is not a valid floating point value"});
    EXPECT_EQ(dialogos, 0);
    EXPECT_FALSE(QFile::exists(CaminhoListagem()));
}

TEST_F(Listagem, CancelarNaoImprimeNemAvisaMasDeixaOArquivo) {
    Dialogo([] { return nullptr; });
    EntradaListagem e;
    e.ValorFinanciado = "0";
    e.linhas = {Parcela{"31/12/07", "10", "", "", ""}};
    EXPECT_EQ(ImprimeListagemBancada(e), ResultadoImpressao::Cancelado);
    EXPECT_EQ(dialogos, 1);
    EXPECT_TRUE(msgs.mensagens.empty());
    EXPECT_TRUE(Bytes(CaminhoListagem()).contains("     31/12/07           10,00  "));
}

#ifdef _WIN32
// Windows' print dialog has nothing to offer without a printer (wine has none):
// the clerk is told, instead of nothing happening.
TEST_F(Listagem, SemImpressoraNoWindowsAvisaEmVezDoDialogo) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "this Windows has printers";
    DefineEscolheImpressora({});
    EXPECT_EQ(ImprimeListagemPrestacoes(Prestacoes(3)), ResultadoImpressao::Falhou);
    EXPECT_EQ(msgs.Textos(),
              std::vector<std::string>{"Erro na rotina de impressão: nenhuma impressora está instalada no Windows."});
    EXPECT_TRUE(QFile::exists(CaminhoListagem()));
}
#endif

TEST_F(Listagem, FalhaDaImpressoraMostraErroNaRotinaDeImpressao) {
    const QString pdf = dir.filePath(QStringLiteral("nao/existe/saida.pdf"));
    Dialogo([pdf] { return ImpressoraPdf(pdf); });
    EXPECT_EQ(ImprimeListagemPrestacoes(Prestacoes(3)), ResultadoImpressao::Falhou);
    ASSERT_EQ(msgs.mensagens.size(), 1u);
    // The printer's reason after the fixed text: here the PDF file cannot be made.
    EXPECT_EQ(msgs.mensagens[0],
              (Mensagem{"Erro na rotina de impressão: a impressora não pôde ser aberta.", "Atenção", Icone::Aviso}));
    EXPECT_TRUE(QFile::exists(CaminhoListagem()));  // the file stays as written

    // A failure that is not the printer's gives no reason: no library's English
    // text reaches the user.
    msgs.mensagens.clear();
    Dialogo([]() -> std::unique_ptr<QPrinter> { throw std::bad_alloc(); });
    EXPECT_EQ(ImprimeListagemPrestacoes(Prestacoes(3)), ResultadoImpressao::Falhou);
    EXPECT_EQ(msgs.Textos(), std::vector<std::string>{"Erro na rotina de impressão"});
}

TEST_F(Listagem, ListagemLongaSaiEmOrdemPorVariasPaginas) {
    if (!TemPoppler()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString pdf = dir.filePath(QStringLiteral("listagem.pdf"));
    Dialogo([pdf] { return ImpressoraPdf(pdf); });
    ASSERT_EQ(ImprimeListagemPrestacoes(Prestacoes(120)), ResultadoImpressao::Impresso);
    EXPECT_TRUE(msgs.mensagens.empty());

    const QString texto = PdfTexto(pdf);
    const QStringList paginas = texto.split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(paginas.size(), 2);
    // Every line, in order, and then the total: nothing lost or reordered at a
    // page break. pdftotext does not keep runs of blanks, so blanks are compared
    // collapsed; the columns are checked on the page picture.
    const QString corrido = texto.simplified();
    qsizetype pos = 0;
    int datas = 0;
    static const QRegularExpression data(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d 94,56 \\d{4}$"));
    for (const QString& linha : LeListagem()) {
        const QString t = linha.simplified();
        if (t.isEmpty()) continue;
        const auto achou = corrido.indexOf(t, pos);
        ASSERT_GE(achou, 0) << t.toStdString() << "\n" << texto.toStdString();
        pos = achou + t.size();
        datas += data.match(t).hasMatch();
    }
    EXPECT_EQ(datas, 120);
    EXPECT_TRUE(paginas[0].contains(QStringLiteral("Data de Referência:31/01/08")));
    EXPECT_TRUE(paginas.last().contains(QStringLiteral("Total.........:R$11.347,20")));
}

TEST_F(Listagem, CadaPaginaLevaAsLinhasQueCabemNelaENenhumaAMais) {
    // Text line i reads "linha i"; every seventh line is blank, and still takes
    // its place on the page.
    QStringList linhas;
    for (int i = 0; i < 400; ++i) linhas << (i % 7 == 3 ? QString() : QStringLiteral("linha %1").arg(i));
    for (const QPageSize::PageSizeId tamanho :
         {QPageSize::A4, QPageSize::Letter, QPageSize::Legal, QPageSize::A5, QPageSize::B5}) {
        ImpressoraGravadora imp{QPageSize(tamanho)};
        ImprimeLinhas(linhas, imp);
        const auto& textos = imp.motor.textos;
        ASSERT_FALSE(textos.empty());
        const QFontMetrics fm(textos[0].fonte, &imp);
        const int altura = fm.lineSpacing();
        const int limite = imp.pageLayout().paintRectPixels(imp.resolution()).height();
        const std::string nome = QPageSize(tamanho).name().toStdString();

        // Every text line, in order, inside the printable height; each page
        // starts with the line after the last one of the page before.
        std::vector<int> inicioDaPagina{0};  // listing line of each page's top
        int anterior = -1;
        for (const auto& t : textos) {
            ASSERT_TRUE(t.texto.startsWith(QStringLiteral("linha "))) << t.texto.toStdString();
            const int i = t.texto.mid(6).toInt();
            ASSERT_GT(i, anterior) << nome;
            anterior = i;
            const qreal topo = t.base - fm.ascent();
            ASSERT_GE(topo, 0) << nome << " " << i;
            EXPECT_LE(topo + altura, limite) << nome << " line " << i << " runs past the page's foot";
            ASSERT_LT(t.pagina, static_cast<int>(inicioDaPagina.size()) + 1) << nome << " a page without lines";
            const int lugar = qRound(topo / altura);
            EXPECT_EQ(topo, lugar * altura) << nome << " " << i;
            if (t.pagina == static_cast<int>(inicioDaPagina.size())) inicioDaPagina.push_back(i - lugar);
            EXPECT_EQ(i - lugar, inicioDaPagina[static_cast<std::size_t>(t.pagina)]) << nome << " " << i;
        }
        EXPECT_EQ(anterior, 399) << nome;
        ASSERT_GE(inicioDaPagina.size(), 3u) << nome;
        // A page ends only when the next line would not fit on it.
        for (std::size_t p = 0; p + 1 < inicioDaPagina.size(); ++p) {
            const int naPagina = inicioDaPagina[p + 1] - inicioDaPagina[p];
            EXPECT_LE(naPagina * altura, limite) << nome << " page " << p;
            EXPECT_GT((naPagina + 1) * altura, limite) << nome << " page " << p << " broken early";
        }
    }
}

TEST_F(Listagem, ImpressoraDadaRecebeAsLinhasNaFonteDaListagem) {
    if (!TemPoppler()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString pdf = dir.filePath(QStringLiteral("direto.pdf"));
    auto imp = ImpressoraPdf(pdf);
    ImprimeLinhas({QStringLiteral("Prestação"), QString(), QStringLiteral("   0029")}, *imp);
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {pdf});
    p.waitForFinished(60000);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains(QStringLiteral("Mono")));
    EXPECT_EQ(PdfTexto(pdf).split('\n').first().trimmed(), QStringLiteral("Prestação"));
}

TEST_F(Listagem, ListagemDaBancadaNumaPagina) {
    if (!TemPoppler()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EntradaListagem e = teste::ListagemDoExemplo();
    e.linhas = {Parcela{"31/12/07", "1000", "Itaú 0341 123456", "José da Silva Comércio de Tecidos", "5"},
                Parcela{"26/01/08", "500", "BB 001", "Maria", ""},
                Parcela{"15/02/08", "1234567,5", "Caixa 104", "Construções Ação Ltda", "52"}};
    const QString pdf = dir.filePath(QStringLiteral("bancada.pdf"));
    Dialogo([pdf] { return ImpressoraPdf(pdf); });
    ASSERT_EQ(ImprimeListagemBancada(e), ResultadoImpressao::Impresso);
    const QString texto = PdfTexto(pdf);
    EXPECT_EQ(texto.count(QChar('\f')), 1);
    EXPECT_TRUE(
        texto.simplified().contains(QStringLiteral("15/02/08 1.234.567,50 0052 Caixa 104 Construções Ação Ltda")));
}
