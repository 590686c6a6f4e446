// The settings file: its format, what a write keeps, and what a failed or
// refused write leaves behind.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/Cadastro.h"
#include "tests/support/Ambiente.h"

// The failures made on purpose (links, permissions, a file size limit, a
// pipe) are POSIX's; on Windows the file's format and replacement are tested.
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/LimiteArquivo.h"
#endif

namespace fs = std::filesystem;
using quantivo::Cadastro;

namespace {

std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Escreve(const fs::path& p, std::string_view bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class ArquivoCadastro : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("quantivo_cadastro_" + std::to_string(quantivo::teste::IdProcesso()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        ini = dir / "valida.ini";
    }
    void TearDown() override { fs::remove_all(dir); }
    std::size_t ArquivosNoDiretorio() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    fs::path dir, ini;
};

const Cadastro kMaria{"Maria da Silva", "Comércio de tecidos", "Rua das Flores, 100", "Recife", "Maria", "2"};

}  // namespace

TEST_F(ArquivoCadastro, ArquivoNovoEmWindows1252ComCrLfEAsChavesNaOrdem) {
    quantivo::GravaCadastro(ini.string(), kMaria);
    EXPECT_EQ(
        Le(ini),
        "[Cadastro]\r\nNome=Maria da Silva\r\nAtividade=Com\xE9rcio de tecidos\r\nEndereco=Rua das Flores, 100\r\n"
        "Cidade=Recife\r\nAssinatura=Maria\r\nVias=2\r\n");
    EXPECT_EQ(quantivo::LeCadastro(ini.string()), kMaria);
}

TEST_F(ArquivoCadastro, ValoresAcentuadosVoltamIguais) {
    const Cadastro c{"José Ávila Çanção", "Açúcar & Café — € ‘aspas’", "Praça São João, nº 5", "Maceió", "Zé", "1"};
    quantivo::GravaCadastro(ini.string(), c);
    EXPECT_EQ(quantivo::LeCadastro(ini.string()), c);
}

TEST_F(ArquivoCadastro, ArquivoAusenteOuLinkQuebradoNaoEhCadastro) {
    EXPECT_EQ(quantivo::LeCadastro(ini.string()), std::nullopt);
#ifndef _WIN32
    fs::create_symlink(dir / "nada", ini);
    EXPECT_EQ(quantivo::LeCadastro(ini.string()), std::nullopt);
#endif
}

TEST(TextoCadastro, RegrasDeLeitura) {
    struct Caso {
        const char* nome;
        std::string bytes;
        Cadastro esperado;
    };
    const Caso casos[] = {
        {"missing keys read empty, missing Vias", "[Cadastro]\r\nNome=A\r\n", {"A", "", "", "", "", ""}},
        {"no section at all", "Nome=A\r\n[Outra]\r\nNome=B\r\n", {}},
        {"section and keys in any case, blanks around",
         "[ cadastro ]\nNOME = A b \r\n\tcidade=\tX\r\n",
         {"A b", "", "", "X", "", ""}},
        {"first section and first key win",
         "[Cadastro]\r\nNome=A\r\nNome=B\r\n[Cadastro]\r\nNome=C\r\nVias=1\r\n",
         {"A", "", "", "", "", ""}},
        {"value keeps later = signs", "[Cadastro]\r\nEndereco=a=b\r\n", {"", "", "a=b", "", "", ""}},
        {"comment lines are other keys", "[Cadastro]\r\n;Nome=A\r\nNome\r\n", {}},
        {"last line without line end, LF only", "[Cadastro]\nVias=1", {"", "", "", "", "", "1"}},
        {"undefined byte becomes U+FFFD",
         "[Cadastro]\r\nNome=\x81\xE7\r\n",
         {"\xEF\xBF\xBD\xC3\xA7", "", "", "", "", ""}},
    };
    for (const Caso& c : casos) EXPECT_EQ(quantivo::LeCadastroDeTexto(c.bytes), c.esperado) << c.nome;
}

TEST(TextoCadastro, SoUmExatoEhUmaVia) {
    const std::pair<const char*, bool> casos[] = {{"Vias=1", true},  {"Vias= 1 ", true}, {"Vias=2", false},
                                                  {"Vias=", false},  {"Vias=01", false}, {"Vias=1,0", false},
                                                  {"Nome=x", false}, {"VIAS=1", true}};
    for (const auto& [linha, uma] : casos)
        EXPECT_EQ(quantivo::UmaVia(quantivo::LeCadastroDeTexto(std::string("[Cadastro]\r\n") + linha + "\r\n")), uma)
            << linha;
}

TEST(TextoCadastro, GravarGuardaOutrasSecoesChavesEOrdem) {
    const std::string antigo =
        "; feito a mao\n[Geral]\nTema=azul\n\n[cadastro]\nextra=1\nnome=Velho\nVias=1\n\n[Fim]\nx=\x81\r\n";
    const std::string novo = quantivo::GravaCadastroEmTexto(antigo, kMaria);
    EXPECT_EQ(
        novo,
        "; feito a mao\r\n[Geral]\r\nTema=azul\r\n\r\n[cadastro]\r\nextra=1\r\nNome=Maria da Silva\r\nVias=2\r\n"
        "Atividade=Com\xE9rcio de tecidos\r\nEndereco=Rua das Flores, 100\r\nCidade=Recife\r\nAssinatura=Maria\r\n"
        "\r\n[Fim]\r\nx=\x81\r\n");
    EXPECT_EQ(quantivo::LeCadastroDeTexto(novo), kMaria);
}

TEST(TextoCadastro, SecaoAcrescentadaDepoisDoOutroConteudo) {
    EXPECT_EQ(quantivo::GravaCadastroEmTexto("[Outra]\r\na=b", Cadastro{"N", "A", "E", "C", "S", "1"}),
              "[Outra]\r\na=b\r\n[Cadastro]\r\nNome=N\r\nAtividade=A\r\nEndereco=E\r\nCidade=C\r\nAssinatura=S\r\nVias="
              "1\r\n");
}

TEST(TextoCadastro, QuebraDeLinhaNumValorNaoCriaChaves) {
    const Cadastro c{"A\r\nVias=1", "B\n[Outra]", "", "", "", "2"};
    const Cadastro lido = quantivo::LeCadastroDeTexto(quantivo::GravaCadastroEmTexto("", c));
    EXPECT_EQ(lido.Nome, "A  Vias=1");
    EXPECT_EQ(lido.Atividade, "B [Outra]");
    EXPECT_EQ(lido.Vias, "2");
}

TEST(TextoCadastro, QuaisquerBytesDevolvemAsSeisChaves) {
    // Whatever the old file holds, the keys just written are the keys read.
    std::string lixo;
    for (int i = 0; i < 4096; ++i) lixo += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    const std::string antigos[] = {lixo, "[Cadastro", "[Cadastro]", "\r\r\n\n[]\n=\n[Cadastro]]\n",
                                   std::string(3, '\0')};
    for (const std::string& a : antigos) {
        const std::string novo = quantivo::GravaCadastroEmTexto(a, kMaria);
        EXPECT_EQ(quantivo::LeCadastroDeTexto(novo), kMaria) << a.substr(0, 20);
        EXPECT_EQ(quantivo::GravaCadastroEmTexto(novo, kMaria), novo);
    }
}

TEST_F(ArquivoCadastro, GravarSubstituiOArquivoGuardandoORestoDele) {
    Escreve(ini, "[Geral]\r\nTema=azul\r\n[Cadastro]\r\nNome=Velho\r\n");
    quantivo::GravaCadastro(ini.string(), kMaria);
    const auto lido = Le(ini);
    EXPECT_EQ(lido.rfind("[Geral]\r\nTema=azul\r\n[Cadastro]\r\nNome=Maria da Silva\r\n", 0), 0u) << lido;
    EXPECT_EQ(ArquivosNoDiretorio(), 1u);
}

#ifndef _WIN32
TEST_F(ArquivoCadastro, GravarGuardaPermissoesESubstituiOLinkNaoOAlvo) {
    const fs::path alvo = dir / "outro.txt";
    Escreve(alvo, "intocado");
    fs::create_symlink(alvo, ini);
    quantivo::GravaCadastro(ini.string(), kMaria);
    EXPECT_EQ(Le(alvo), "intocado");
    EXPECT_FALSE(fs::is_symlink(ini));
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    quantivo::GravaCadastro(ini.string(), kMaria);
    EXPECT_EQ(fs::status(ini).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ArquivoCadastro, GravacaoQueFalhaGuardaOAntigoENomeiaOCaminho) {
    const std::string velho = "[Cadastro]\r\nNome=Velho\r\nVias=1\r\n";
    Escreve(ini, velho);
    // Tests run as root, so permissions cannot make the write fail; a file
    // size limit smaller than the new text does (the old file is untouched).
    struct rlimit antes {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &antes), 0);
    auto sinal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit pequeno = antes;
    pequeno.rlim_cur = 40;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &pequeno), 0);
    std::string erro;
    try {
        quantivo::GravaCadastro(ini.string(), kMaria);
    } catch (const quantivo::ErroArquivo& e) {
        erro = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinal);
    EXPECT_EQ(erro, "Unable to write to " + ini.string() + ": o arquivo ficaria grande demais.");
    EXPECT_EQ(Le(ini), velho);
    EXPECT_EQ(ArquivosNoDiretorio(), 1u) << "temporary file left behind";
}

#endif

// The message of a settings file that cannot be read, empty when it was read.
static std::string ErroDeLeitura(const fs::path& p) {
    try {
        quantivo::LeCadastro(p.string());
    } catch (const quantivo::ErroArquivo& e) {
        return e.what();
    }
    return {};
}

#ifndef _WIN32
TEST_F(ArquivoCadastro, PastaSomenteDeLeituraDaPermissaoNegadaEGuardaOAntigo) {
    const std::string velho = "[Cadastro]\r\nNome=Velho\r\n";
    Escreve(ini, velho);
    const auto leitura = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
                         fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(dir, leitura);
    const auto r = quantivo::teste::ComLimiteDeArquivo(RLIM_INFINITY, [&] {
        if (!quantivo::teste::SemPrivilegios()) return std::string("sem troca de usuário");
        quantivo::GravaCadastro(ini.string(), kMaria);
        return std::string("gravou");
    });
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    ASSERT_TRUE(r.terminou);
    EXPECT_TRUE(r.lancou) << r.texto;
    EXPECT_EQ(r.texto, "Unable to write to " + ini.string() + ": permissão negada.");
    EXPECT_EQ(Le(ini), velho);
    EXPECT_EQ(ArquivosNoDiretorio(), 1u);
}
#endif

TEST_F(ArquivoCadastro, OQueNaoEhArquivoComumEhErroENuncaSobrescrito) {
    fs::create_directory(ini);
    Escreve(ini / "dentro", "x");
    EXPECT_THROW(quantivo::LeCadastro(ini.string()), quantivo::ErroArquivo);
    try {
        quantivo::GravaCadastro(ini.string(), kMaria);
        ADD_FAILURE() << "write over a directory succeeded";
    } catch (const quantivo::ErroArquivo& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + ini.string() +
                                             ": o arquivo atual não pôde ser lido (é uma pasta, não um arquivo).");
    }
    EXPECT_EQ(Le(ini / "dentro"), "x");
    EXPECT_EQ(ArquivosNoDiretorio(), 1u);

#ifndef _WIN32
    const fs::path fifo = dir / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ErroDeLeitura(fifo), "Não foi possível ler o arquivo " + fifo.string() + ": não é um arquivo comum.")
        << "and does not hang";
#endif
}

TEST_F(ArquivoCadastro, ArquivoEnormeEhRecusadoSemCarregar) {
    Escreve(ini, "[Cadastro]\r\nNome=A\r\n");
    fs::resize_file(ini, quantivo::kTamanhoMaximoCadastro + 1);
    EXPECT_EQ(ErroDeLeitura(ini), "Não foi possível ler o arquivo " + ini.string() +
                                      ": o arquivo tem mais de 1 MiB, grande demais para um arquivo de configurações.");
    EXPECT_THROW(quantivo::GravaCadastro(ini.string(), kMaria), quantivo::ErroArquivo);
    EXPECT_EQ(fs::file_size(ini), quantivo::kTamanhoMaximoCadastro + 1);
}
