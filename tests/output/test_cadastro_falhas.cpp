// The issuer settings when the disk or the file itself misbehaves: a save
// refused at the first byte or half way through, a binary file, a path whose
// directory is not one. The settings window reports the path and the old
// settings survive byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "output/Arquivos.h"
#include "output/Cadastro.h"
#include "output/F_PARAMETROS.h"
#ifndef _WIN32  // the failures made on purpose are POSIX's
#include "tests/support/LimiteArquivo.h"
#endif
#include "tests/support/PastaDoPrograma.h"
#include "ui/Servicos.h"

using namespace quantivo;
using quantivo::teste::Bytes;
#ifndef _WIN32
using quantivo::teste::ComLimiteDeArquivo;
#endif

namespace {

class CadastroFalhas : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        DefineServicoMensagens(&msgs);
    }
    void TearDown() override { DefineServicoMensagens(nullptr); }
    QString Ini() const { return dir.filePath(QStringLiteral("valida.ini")); }
    std::string IniNativo() const { return QDir::toNativeSeparators(Ini()).toStdString(); }
    void EscreveIni(const QByteArray& bytes) { ASSERT_TRUE(dir.Escreve(QStringLiteral("valida.ini"), bytes)); }
    QStringList Arquivos() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
    teste::PastaDoPrograma dir;
    MensageiroGravador msgs;
};

}  // namespace

#ifndef _WIN32
TEST_F(CadastroFalhas, SalvarRecusadoNoInicioOuAoMeioAvisaEGuardaOAntigo) {
    const QByteArray antigo = "[Outra]\r\nChave=valor\r\n\r\n[Cadastro]\r\nNome=Velho\r\nVias=1\r\n";
    EscreveIni(antigo);
    TFPARAMETROS p;
    p.setAttribute(Qt::WA_DeleteOnClose, false);
    ASSERT_TRUE(msgs.mensagens.empty());
    ASSERT_EQ(p.tnome->text(), QStringLiteral("Velho"));
    for (QLineEdit* e : {p.tnome, p.tatividade, p.tendereco, p.tcidade, p.tassinatura})
        e->setText(QStringLiteral("Um texto novo e mais longo que o antigo"));
    for (rlim_t limite : {rlim_t{0}, rlim_t{30}, rlim_t{100}}) {
        const auto r = ComLimiteDeArquivo(limite, [&] {
            p.bsalvar->click();
            std::string t;
            for (const std::string& m : msgs.Textos()) t += m + "|";
            return t;
        });
        ASSERT_TRUE(r.terminou) << limite;
        EXPECT_FALSE(r.lancou) << r.texto;
        EXPECT_EQ(r.texto, "Unable to write to " + IniNativo() + ": o arquivo ficaria grande demais.|") << limite;
        EXPECT_EQ(Bytes(Ini()), antigo) << limite;
        EXPECT_EQ(Arquivos(), QStringList{QStringLiteral("valida.ini")}) << "temporary file left behind";
    }
}
#endif

TEST_F(CadastroFalhas, ArquivoBinarioAbreESalvarGuardaCadaByteDasOutrasLinhas) {
    // Every byte but the line feed, NUL and lone CR included, in lines that are
    // neither sections nor the six keys.
    QByteArray lixo1, lixo2;
    for (int b = 1; b < 256; ++b)
        if (b != '\n' && b != '[') lixo1 += static_cast<char>(b);
    lixo2 = QByteArray("x\0y=\xff\xfe\r\x81", 8) + lixo1.right(40);
    const QByteArray antigo = lixo1 + "\r\n[Cadastro]\r\nNome=Velho\r\n" + lixo2 + "\r\n[Outra]\r\n" + lixo1 + "\r\n";
    EscreveIni(antigo);
    TFPARAMETROS p;
    p.setAttribute(Qt::WA_DeleteOnClose, false);
    EXPECT_TRUE(msgs.mensagens.empty()) << msgs.Textos()[0];
    EXPECT_EQ(p.tnome->text(), QStringLiteral("Velho"));
    for (QLineEdit* e : {p.tnome, p.tatividade, p.tendereco, p.tcidade, p.tassinatura})
        e->setText(QStringLiteral("Novo"));
    p.bsalvar->click();
    ASSERT_EQ(msgs.Textos(), std::vector<std::string>{"Informações salvas com sucesso"});
    const QByteArray novo = Bytes(Ini());
    EXPECT_TRUE(novo.startsWith(lixo1 + "\r\n[Cadastro]\r\nNome=Novo\r\n" + lixo2 + "\r\nAtividade=Novo\r\n"))
        << novo.toHex().toStdString();
    EXPECT_TRUE(novo.endsWith("\r\n[Outra]\r\n" + lixo1 + "\r\n"));
}

TEST_F(CadastroFalhas, DiretorioDoArquivoQueNaoEhDiretorio) {
    // The temporary file cannot be made: nothing is created, nothing changes.
    QFile arquivo(dir.filePath(QStringLiteral("arquivo")));
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("intacto");
    arquivo.close();
    const std::pair<QString, std::string> casos[] = {
#ifdef _WIN32
        // Windows does not tell a path through a file from a missing folder.
        {dir.filePath(QStringLiteral("arquivo/valida.ini")), "arquivo ou pasta inexistente"},
#else
        {dir.filePath(QStringLiteral("arquivo/valida.ini")),
         "o arquivo atual não pôde ser lido (uma parte do caminho não é uma pasta)"},
#endif
        {dir.filePath(QStringLiteral("nao/existe/valida.ini")), "arquivo ou pasta inexistente"}};
    for (const auto& [caminho, motivo] : casos) {
        const std::string c = CaminhoParaArquivo(caminho);
        try {
            GravaCadastro(c, Cadastro{"A", "B", "C", "D", "E", "1"});
            ADD_FAILURE() << c;
        } catch (const quantivo::ErroArquivo& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + c + ": " + motivo + ".");
        }
    }
    EXPECT_EQ(Bytes(arquivo.fileName()), QByteArray("intacto"));
    EXPECT_EQ(Arquivos(), QStringList{QStringLiteral("arquivo")});
}
