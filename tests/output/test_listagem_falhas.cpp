// The listing file when the disk refuses the write: at the first byte or half
// way through. The print action reports the path and prints nothing, the file
// that was there stays whole, and no temporary file is left behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>

#include "output/Arquivos.h"
#include "output/Listagem.h"
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

class ListagemFalhas : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        GravaListagem({"listagem anterior", "intacta"});
        anterior = Bytes(CaminhoListagem());
        ASSERT_EQ(anterior, QByteArray("listagem anterior\r\nintacta\r\n"));
    }
    void NadaPerdido() {
        EXPECT_EQ(Bytes(CaminhoListagem()), anterior);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Listagem.txt")});
    }
    teste::PastaDoPrograma dir;
    QByteArray anterior;
};

}  // namespace

#ifndef _WIN32
TEST_F(ListagemFalhas, GravacaoRecusadaNoInicioOuAoMeioNaoDestroiOArquivo) {
    const std::vector<std::string> longa(200, std::string(70, 'x'));
    const std::string esperado = "Não foi possível gravar o arquivo " + CaminhoListagem().toStdString() + ": ";
    for (rlim_t limite : {rlim_t{0}, rlim_t{10}, rlim_t{8192}}) {
        const auto r = ComLimiteDeArquivo(limite, [&] {
            GravaListagem(longa);
            return std::string("gravou");
        });
        ASSERT_TRUE(r.terminou) << limite;
        EXPECT_TRUE(r.lancou) << limite;
        EXPECT_EQ(r.texto.rfind(esperado, 0), 0u) << r.texto;
        NadaPerdido();
    }
}
#endif

#ifndef _WIN32
TEST_F(ListagemFalhas, AcaoDeImprimirAvisaENaoAbreODialogo) {
    const auto r = ComLimiteDeArquivo(0, [] {
        MensageiroGravador msgs;
        DefineServicoMensagens(&msgs);
        int dialogos = 0;
        DefineEscolheImpressora([&] {
            ++dialogos;
            return std::unique_ptr<QPrinter>();
        });
        const auto e = EntradaPrestacoes(*CodificaData(2008, 1, 31), "31/01/08", 1000, 2, 3, 94.56L);
        const bool falhou = ImprimeListagemPrestacoes(e) == ResultadoImpressao::Falhou;
        return std::string(falhou ? "falhou" : "não falhou") + "|" + std::to_string(dialogos) + "|" +
               (msgs.mensagens.empty() ? std::string() : msgs.mensagens[0].texto);
    });
    ASSERT_TRUE(r.terminou);
    EXPECT_EQ(r.texto.rfind("falhou|0|Não foi possível gravar o arquivo " + CaminhoListagem().toStdString(), 0), 0u)
        << r.texto;
    NadaPerdido();
}
#endif
