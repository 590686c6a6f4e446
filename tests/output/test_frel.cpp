// The receipt page as a list of elements, and one real rendering of it.
#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "core/UtbSys.h"
#include "output/F_REL.h"
#include "tests/support/ExemploRecibo.h"

using quantivo::DadosRecibo;
using quantivo::ElementoRel;
using quantivo::teste::ReciboDoExemplo;

namespace {

quantivo::Data Dia(int a, int m, int d) { return *quantivo::CodificaData(a, m, d); }

const ElementoRel& Busca(const std::vector<ElementoRel>& v, const char* nome) {
    for (const ElementoRel& e : v)
        if (e.nome == QLatin1String(nome)) return e;
    throw std::runtime_error(std::string("no element ") + nome);
}

// First-copy name, second-copy name, left, top, box width, text.
struct Posicao {
    const char* nome1;
    const char* nome2;
    double esq, topo, largura;
    const char* texto;  // UTF-8
};
const Posicao kPosicoes[] = {
    {"moldura", "t18", 8.5, 4.2, 175.9, ""},
    {"titulo", "t1", 84.7, 6.3, 0, "RECIBO"},
    {"rotuloValor", "t3", 129.1, 14.8, 0, "VALOR:"},
    {"valor", "valor2", 146.1, 14.8, 34.1, "1.234,50"},
    {"rotuloRecebi", "t5", 14.8, 23.3, 0, "Recebi (emos) de: "},
    {"recebi", "recebi2", 47.1, 23.5, 133.1, "João Cliente"},
    {"rotuloImportancia", "t7", 14.8, 36.0, 0, "a importância de:"},
    {"extenso", "extenso2", 46.6, 36.0, 133.6, "um mil duzentos e trinta e quatro reais  e cinqüenta  centavos "},
    {"rotuloReferente", "t9", 14.8, 48.7, 0, "referente ao pagamento:"},
    {"referente", "referente2", 60.9, 48.9, 117.2, "Aluguel de março"},
    {"fecho", "t11", 14.8, 61.4, 0, "Para maior clareza, firmo(amos) o presente."},
    {"cidade", "t12", 14.8, 74.1, 70.1, "Recife"},
    {"data", "t13", 86.8, 74.1, 0, "05, de março de 2008"},
    {"assinatura", "t14", 55.0, 86.8, 0, "____________________________________________"},
    {"emitente", "t15", 55.6, 92.3, 81.2, "Maria da Silva"},
    {"atividade", "t16", 55.6, 97.6, 81.2, "Comércio de tecidos"},
    {"endereco", "t17", 12.7, 114.8, 167.5, "Rua das Flores, 100"},
};

}  // namespace

TEST(PaginaRecibo, PrimeiraViaComOsElementosOndeOLeiauteOsPoe) {
    const auto pagina = quantivo::MontaPaginaRecibo(ReciboDoExemplo("2"));
    for (const Posicao& p : kPosicoes) {
        const ElementoRel& e = Busca(pagina, p.nome1);
        EXPECT_TRUE(e.ligado) << p.nome1;
        EXPECT_DOUBLE_EQ(e.esquerda, p.esq) << p.nome1;
        EXPECT_DOUBLE_EQ(e.topo, p.topo) << p.nome1;
        EXPECT_DOUBLE_EQ(e.largura, p.largura) << p.nome1;
        EXPECT_EQ(e.texto, QString::fromUtf8(p.texto)) << p.nome1;
    }
    EXPECT_DOUBLE_EQ(Busca(pagina, "moldura").altura, 118.8);
    const ElementoRel& ext = Busca(pagina, "extenso");
    EXPECT_TRUE(ext.quebra);
    EXPECT_DOUBLE_EQ(ext.altura, 9.5);
    EXPECT_TRUE(Busca(pagina, "valor").negrito);
    EXPECT_EQ(Busca(pagina, "valor").alinhamento, Qt::AlignHCenter);
    EXPECT_EQ(Busca(pagina, "emitente").alinhamento, Qt::AlignHCenter);
    EXPECT_EQ(Busca(pagina, "recebi").alinhamento, Qt::AlignLeft);
    EXPECT_EQ(Busca(pagina, "titulo").pontos, 14);
    EXPECT_TRUE(Busca(pagina, "titulo").negrito);
    EXPECT_EQ(Busca(pagina, "via").texto, QStringLiteral("1ª VIA"));
    const ElementoRel& linha = Busca(pagina, "linha");
    EXPECT_EQ(linha.texto.size(), 166);
    EXPECT_TRUE(linha.texto.startsWith(QStringLiteral("- - ")));
    EXPECT_DOUBLE_EQ(linha.esquerda, 8.5);
    EXPECT_DOUBLE_EQ(linha.topo, 134.4);
    // Every element fits the printable area.
    for (const ElementoRel& e : pagina) {
        EXPECT_LE(e.esquerda + e.largura, quantivo::kLarguraUtilMm) << e.nome.toStdString();
        EXPECT_LE(e.topo + e.altura, quantivo::kAlturaUtilMm) << e.nome.toStdString();
    }
}

TEST(PaginaRecibo, SegundaViaEhAPrimeiraMaisAbaixoLigadaPorInteiro) {
    // "1" alone means one copy; "2", a missing key and anything else two.
    const std::pair<const char*, bool> casos[] = {{"1", false}, {"2", true}, {"", true}, {" 1", true}};
    for (const auto& [vias, duas] : casos) {
        const auto pagina = quantivo::MontaPaginaRecibo(ReciboDoExemplo(vias));
        EXPECT_EQ(pagina.size(), 2 * std::size(kPosicoes) + 2 + 1) << vias;  // + copy marks + cut line
        EXPECT_TRUE(Busca(pagina, "linha").ligado);
        for (const Posicao& p : kPosicoes) {
            const ElementoRel& a = Busca(pagina, p.nome1);
            const ElementoRel& b = Busca(pagina, p.nome2);
            EXPECT_EQ(b.ligado, duas) << vias << " " << p.nome2;
            EXPECT_TRUE(a.ligado);
            EXPECT_EQ(b.texto, a.texto) << p.nome2;
            EXPECT_DOUBLE_EQ(b.esquerda, a.esquerda) << p.nome2;
            EXPECT_NEAR(b.topo - a.topo, std::string(p.nome2) == "t18" ? 145.8 : 146.05, 1e-9) << p.nome2;
        }
        EXPECT_EQ(Busca(pagina, "t2").texto, QStringLiteral("2ª VIA"));
        EXPECT_EQ(Busca(pagina, "t2").ligado, duas);
    }
    EXPECT_DOUBLE_EQ(Busca(quantivo::MontaPaginaRecibo(ReciboDoExemplo("2")), "t18").topo, 150.0);
}

TEST(PaginaRecibo, TextoDoValorELinhaDaData) {
    const std::pair<long double, const char*> valores[] = {
        {1234.5L, "1.234,50"}, {0.01L, "0,01"}, {4294967295.0L, "4.294.967.295,00"}, {1000000.99L, "1.000.000,99"}};
    for (const auto& [v, texto] : valores) {
        DadosRecibo d = ReciboDoExemplo("1");
        d.valor = v;
        EXPECT_EQ(Busca(quantivo::MontaPaginaRecibo(d), "valor").texto, QLatin1String(texto));
    }
    const std::pair<quantivo::Data, const char*> datas[] = {{Dia(2008, 3, 5), "05, de março de 2008"},
                                                            {Dia(2024, 1, 31), "31, de janeiro de 2024"},
                                                            {Dia(1999, 12, 1), "01, de dezembro de 1999"}};
    for (const auto& [d, texto] : datas) EXPECT_EQ(quantivo::DataRecibo(d), QString::fromUtf8(texto));
}

// The PDF's text is read with poppler's pdftotext, a tool of the build
// machine (not there for the Windows test programs under wine).
namespace {
bool TemPdftotext() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }
}  // namespace

TEST(PaginaRecibo, PdfTemAsDuasViasOuUma) {
    if (!TemPdftotext()) GTEST_SKIP() << "no pdftotext";
    QTemporaryDir dir;
    for (const char* vias : {"2", "1"}) {
        quantivo::TFREL rel;
        rel.Preenche(ReciboDoExemplo(vias));
        const QString pdf = dir.filePath(QStringLiteral("recibo%1.pdf").arg(vias));
        ASSERT_TRUE(rel.GravaPdf(pdf));
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QString texto = QString::fromUtf8(p.readAllStandardOutput());
        const int copias = std::string(vias) == "2" ? 2 : 1;
        EXPECT_EQ(texto.count(QStringLiteral("RECIBO")), copias) << texto.toStdString();
        EXPECT_EQ(texto.count(QStringLiteral("1.234,50")), copias);
        EXPECT_EQ(texto.count(QStringLiteral("05, de março de 2008")), copias);
        EXPECT_EQ(texto.count(QStringLiteral("Comércio de tecidos")), copias);
        EXPECT_EQ(texto.count(QStringLiteral("cinqüenta")), copias);
        EXPECT_EQ(texto.count(QStringLiteral("1ª VIA")), 1);
        EXPECT_EQ(texto.count(QStringLiteral("2ª VIA")), copias - 1);
        EXPECT_TRUE(texto.contains(QString(83, QLatin1Char('-')))) << "cut line";  // pdftotext drops its spaces
    }
}

namespace {

// The words fit their two-line box whole, and the PDF carries every word.
void ConfereExtensoInteiro(const DadosRecibo& d) {
    const ElementoRel e = Busca(quantivo::MontaPaginaRecibo(d), "extenso");
    QPrinter impressora(QPrinter::HighResolution);
    EXPECT_GE(quantivo::PontosQueCabem(e, &impressora, impressora.resolution() / 25.4), quantivo::kMenorPontoQuebrado);

    QTemporaryDir dir;
    quantivo::TFREL rel;
    rel.Preenche(d);
    const QString pdf = dir.filePath(QStringLiteral("maior.pdf"));
    ASSERT_TRUE(rel.GravaPdf(pdf));
    if (!TemPdftotext()) return;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString texto = QString::fromUtf8(p.readAllStandardOutput()).simplified();
    EXPECT_TRUE(texto.contains(d.extenso.simplified())) << texto.toStdString();
}

}  // namespace

TEST(PaginaRecibo, ExtensoDosMaioresValoresCabeInteiroNaCaixa) {
    // The field's largest value, and about the longest words of its range.
    for (double valor : {4294967295.0, 3454454454.54}) {
        SCOPED_TRACE(valor);
        DadosRecibo d = ReciboDoExemplo("1");
        d.valor = static_cast<long double>(valor);
        d.extenso = QString::fromStdString(quantivo::ValorExtenso(valor));
        ConfereExtensoInteiro(d);
    }
}

// Words that would need more lines than the box holds step the font down,
// half a point at a time; words that fit keep their 10 points.
TEST(PaginaRecibo, ExtensoQueNaoCabeDiminuiAFonte) {
    ElementoRel e = Busca(quantivo::MontaPaginaRecibo(ReciboDoExemplo("1")), "extenso");
    QPrinter impressora(QPrinter::HighResolution);
    const double pxPorMm = impressora.resolution() / 25.4;
    e.texto = QString::fromStdString(quantivo::ValorExtenso(3454454454.54));
    e.largura = 90;  // three lines at 10 points
    const double pontos = quantivo::PontosQueCabem(e, &impressora, pxPorMm);
    EXPECT_LT(pontos, 10.0);
    EXPECT_GE(pontos, quantivo::kMenorPontoQuebrado);
    EXPECT_EQ(std::fmod(pontos, 0.5), 0.0);
    e.texto = QStringLiteral("cem  reais ");
    EXPECT_EQ(quantivo::PontosQueCabem(e, &impressora, pxPorMm), 10.0);
}
