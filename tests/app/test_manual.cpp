// The user manual made by the build: "Ajuda" finds it beside the executable in
// the build tree, an installed program finds it under share/quantivo/, and the
// PDF holds the manual's text.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/Janelas.h"
#include "output/Arquivos.h"
#include "tests/support/GuardaJanelas.h"

using namespace quantivo;

namespace {

const QString kPdfDaCompilacao = QDir(QStringLiteral(QUANTIVO_BUILD_DIR)).filePath("Manual_Quantivo.pdf");

class Manual : public teste::JanelaTeste {
protected:
    void TearDown() override {
        DefineDiretorioPrograma({});
        JanelaTeste::TearDown();
    }
};

}  // namespace

TEST_F(Manual, AjudaAbreOManualDaCompilacao) {
    ASSERT_TRUE(QFile::exists(kPdfDaCompilacao));
    DefineDiretorioPrograma(QStringLiteral(QUANTIVO_BUILD_DIR));
    CriaJanelas();
    frm_principal->SpeedButton2->click();
    DestroiJanelas();
    EXPECT_TRUE(msgs.mensagens.empty());
    ASSERT_EQ(arquivos.size(), 1);
    EXPECT_EQ(arquivos[0], QDir::cleanPath(kPdfDaCompilacao));
}

TEST_F(Manual, ProgramaInstaladoAchaOManualEmShare) {
    QTemporaryDir raiz;
    ASSERT_TRUE(QDir(raiz.path()).mkpath("bin"));
    ASSERT_TRUE(QDir(raiz.path()).mkpath("share/quantivo"));
    ASSERT_TRUE(QFile::copy(kPdfDaCompilacao, raiz.filePath("share/quantivo/Manual_Quantivo.pdf")));
    DefineDiretorioPrograma(raiz.filePath("bin"));
    EXPECT_EQ(CaminhoManual(), QDir::cleanPath(raiz.filePath("share/quantivo/Manual_Quantivo.pdf")));
}

TEST_F(Manual, TextoDoPdf) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    QProcess p;
    p.start(pdftotext, {kPdfDaCompilacao, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0);
    const QString texto = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(texto.startsWith("Manual do Quantivo")) << texto.left(80).toStdString();
    // One chapter per calculation, each with its worked example's result.
    for (const char* trecho :
         {"3. Desconto de cheque", "R$ 3.758,04", "4. Venda certa", "1.789,44", "5. Prestação Taxa Efetiva",
          "R$ 218,35", "6. Renegociação de dívidas", "R$ 94,56", "8. Operações salvas", "9. Onde ficam os arquivos",
          "Listagem.txt", "valida.ini", "diario.sqlite", "Cheques pelo leitor de CMC7"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(trecho))) << trecho;
    // What the program does, not what it once was said to do: five printed
    // instalments of 218,35 make 1.091,75; clearing adds 2 days, not 2
    // business days; the holidays count with F8.
    const QString corrido = texto.simplified();
    EXPECT_TRUE(corrido.contains(QString::fromUtf8("total pago 1.091,75"))) << "Price example";
    for (const char* falso : {"total pago 1.091,77", "2 dias úteis", "Feriados não são considerados"})
        EXPECT_FALSE(corrido.contains(QString::fromUtf8(falso))) << falso;
}
