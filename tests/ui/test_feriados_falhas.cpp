// The local holidays file when the disk refuses the write, at the first byte
// or half way: the save says why in Portuguese, the file (or the link at its
// path) stays as it was, and nothing else is left in the folder.
#ifndef _WIN32  // the failures made on purpose are POSIX's (a file size limit, links)
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "tests/support/LimiteArquivo.h"
#include "tests/support/PastaDePreferencias.h"

using namespace quantivo;
using quantivo::teste::ComLimiteDeArquivo;

namespace {

std::vector<FeriadoLocal> Muitos() {
    std::vector<FeriadoLocal> f;
    for (int i = 0; i < 400; ++i) f.push_back({1 + i % 28, 1 + i % 12, 0, "Feriado municipal da cidade"});
    return f;
}

void GravacaoRecusada(const teste::PastaDePreferencias& pasta, const QStringList& arquivos, const QString& lido) {
    for (rlim_t limite : {rlim_t{0}, rlim_t{10}, rlim_t{8192}}) {
        const auto r = ComLimiteDeArquivo(limite, [] {
            QString motivo;
            return GravaArquivoFeriados(Muitos(), {}, motivo) ? std::string("gravou") : motivo.toStdString();
        });
        ASSERT_TRUE(r.terminou) << limite;
        EXPECT_EQ(r.texto, "o arquivo ficaria grande demais") << limite;
        EXPECT_EQ(pasta.Le(QStringLiteral("feriados.txt")), lido) << limite;
        EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), arquivos) << limite;
    }
}

}  // namespace

TEST(FeriadosFalhas, GravacaoRecusadaNaoTocaOArquivo) {
    teste::PastaDePreferencias pasta;
    ASSERT_TRUE(pasta.Escreve("feriados.txt", "20/01 Padroeiro\n"));
    GravacaoRecusada(pasta, {QStringLiteral("feriados.txt")}, "20/01 Padroeiro\n");
}

TEST(FeriadosFalhas, GravacaoRecusadaDeixaOLinkNoLugar) {
    teste::PastaDePreferencias pasta;
    ASSERT_TRUE(pasta.Escreve("alvo.txt", "20/01 Padroeiro\n"));
    ASSERT_TRUE(QFile::link(pasta.filePath("alvo.txt"), CaminhoFeriadosLocais()));
    GravacaoRecusada(pasta, {QStringLiteral("alvo.txt"), QStringLiteral("feriados.txt")}, "20/01 Padroeiro\n");
    EXPECT_TRUE(QFileInfo(CaminhoFeriadosLocais()).isSymLink());
}

#endif
