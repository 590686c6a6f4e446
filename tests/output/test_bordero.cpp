// The borderô as a PDF, read back with pdftotext (poppler-utils): the worked
// example's figures and customer, a long operation paged with its header on
// every page and its totals once, and paths that cannot be written.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "output/Bordero.h"
#include "tests/support/ExemploBordero.h"
#ifndef _WIN32  // the failures made on purpose are POSIX's
#include "tests/support/LimiteArquivo.h"
#endif
#include "tests/support/PastaDoPrograma.h"

using namespace quantivo;

namespace {

// The text of the PDF, or of its page `pagina` (from 1).
QString TextoDoPdf(const QString& pdf, int pagina = 0) {
    QStringList args{QStringLiteral("-layout")};
    if (pagina > 0) args << "-f" << QString::number(pagina) << "-l" << QString::number(pagina);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class Bordero : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        ASSERT_TRUE(pasta.isValid());
    }
    QString Caminho(const QString& nome) const { return pasta.filePath(nome); }
    QTemporaryDir pasta;
};

}  // namespace

TEST_F(Bordero, ExemploComFigurasClienteEFirma) {
    QString motivo;
    ASSERT_TRUE(GravaBorderoPdf(teste::BorderoDoExemplo(), Caminho("b.pdf"), &motivo)) << motivo.toStdString();
    const QString t = TextoDoPdf(Caminho("b.pdf")).simplified();
    for (const char* esperado :
         {"Fomento Boa Vista Ltda.", "Fomento mercantil", "Rua das Flores, 100, sala 12 — Recife - PE",
          "Borderô de desconto de cheques", "Operação nº 12", "Data da operação: 28/12/2007",
          "Salva em 09/12/2026 às 14:03", "Cedente: Maria da Conceição Souza CPF 529.982.247-25",
          // due date, counted to, days, value, its interest, bank/number, drawer and document
          "1 31/12/2007 02/01/2008 5 1.000,00 5,00 237/0494/001793 José Pereira da Silva",
          "2 26/01/2008 30/01/2008 33 500,00 16,50 001/1234/000456 Comercial Andrade & Filhos Ltda.",
          "3 15/02/2008 18/02/2008 52 2.500,50 130,03 341/0050/123456 Ana Beatriz Nogueira", "CPF 111.444.777-35",
          "CNPJ 11.222.333/0001-81", "Valor total R$ 4.000,50", "TAC R$ 80,01", "IOF R$ 4,92", "Juros R$ 151,53",
          "Tarifa R$ 6,00", "Valor líquido R$ 3.758,04", "CET: 83,65% a.a. (5,20% a.m.)", "página 1 de 1"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(esperado))) << esperado << "\n" << t.toStdString();

    // Not saved and no firm configured: nothing printed in their place.
    DadosBordero d = teste::BorderoDoExemplo();
    d.firma = {};
    d.numero = 0;
    d.salvaEm.clear();
    ASSERT_TRUE(GravaBorderoPdf(d, Caminho("c.pdf"), &motivo));
    const QString c = TextoDoPdf(Caminho("c.pdf"));
    EXPECT_TRUE(c.trimmed().startsWith(QStringLiteral("Borderô de desconto de cheques")));
    EXPECT_FALSE(c.contains(QStringLiteral("Operação nº")) || c.contains(QStringLiteral("Salva em")));
}

TEST_F(Bordero, TrezentosChequesPaginados) {
    ASSERT_TRUE(GravaBorderoPdf(teste::BorderoDoExemplo(300), Caminho("g.pdf"), nullptr));
    const QString todo = TextoDoPdf(Caminho("g.pdf"));
    EXPECT_EQ(todo.count(QStringLiteral("Valor líquido")), 1);
    const auto paginas = todo.count(QLatin1Char('\f'));
    ASSERT_GE(paginas, 5);
    // Every cheque once, in order, whatever page it fell on.
    const QRegularExpression linha(
        QStringLiteral("^\\s*(\\d+) \\d\\d/\\d\\d/\\d{4}\\s+\\d\\d/\\d\\d/\\d{4}\\s+\\d+\\s"),
        QRegularExpression::MultilineOption);
    int esperado = 1;
    for (auto it = linha.globalMatch(todo); it.hasNext(); ++esperado)
        ASSERT_EQ(it.next().captured(1).toInt(), esperado);
    EXPECT_EQ(esperado, 301);
    for (int n = 1; n <= paginas; ++n) {
        const QString t = TextoDoPdf(Caminho("g.pdf"), n);
        EXPECT_TRUE(t.contains(QStringLiteral("Fomento Boa Vista Ltda.")) &&
                    t.contains(QStringLiteral("Operação nº 12")) &&
                    t.contains(QStringLiteral("Cedente: Maria da Conceição Souza")) &&
                    t.contains(QStringLiteral("página %1 de %2").arg(n).arg(paginas)))
            << n;
        if (n < paginas) {
            EXPECT_TRUE(t.contains(QStringLiteral("Contado até"))) << n;
        }
    }
}

TEST_F(Bordero, CaminhoQueNaoSeGravaDizPorqueENaoDestroiOArquivo) {
    QString motivo;
    const QString semPasta = Caminho("nao/existe/b.pdf");
    EXPECT_FALSE(GravaBorderoPdf(teste::BorderoDoExemplo(), semPasta, &motivo));
    EXPECT_TRUE(motivo.startsWith(QStringLiteral("Não foi possível gravar o borderô em ") + semPasta + ": "))
        << motivo.toStdString();

#ifndef _WIN32
    // A write the disk refuses half way through (a file size limit) leaves
    // the file that was there whole, and nothing beside it.
    const QString caminho = Caminho("b.pdf");
    ASSERT_TRUE(GravaBorderoPdf(teste::BorderoDoExemplo(), caminho, nullptr));
    const QByteArray antes = teste::Bytes(caminho);
    const auto r = teste::ComLimiteDeArquivo(4096, [&] {
        QString m;
        return GravaBorderoPdf(teste::BorderoDoExemplo(300), caminho, &m) ? std::string("gravou") : m.toStdString();
    });
    ASSERT_TRUE(r.terminou);
    EXPECT_NE(r.texto.find("o arquivo ficaria grande demais"), std::string::npos) << r.texto;
    EXPECT_EQ(teste::Bytes(caminho), antes);
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("b.pdf")});
#endif

    // An operation with nothing calculated is refused, not printed blank.
    DadosBordero d = teste::BorderoDoExemplo();
    d.operacao.bancada.totais = {};
    EXPECT_FALSE(GravaBorderoPdf(d, Caminho("d.pdf"), &motivo));
    EXPECT_TRUE(motivo.contains(QStringLiteral("calculad"))) << motivo.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Caminho("d.pdf")));
}
