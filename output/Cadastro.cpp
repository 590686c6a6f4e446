#include "output/Cadastro.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "output/ArquivoSeguro.h"
#include "output/Cp1252.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace quantivo {
namespace {

constexpr std::string_view kSecao = "Cadastro";
// Why a settings file is not read, besides what the system reports.
constexpr const char* kNaoEhArquivo = "não é um arquivo comum";
constexpr const char* kGrandeDemais = "o arquivo tem mais de 1 MiB, grande demais para um arquivo de configurações";

struct Chave {
    std::string_view nome;
    std::string Cadastro::*campo;
};
const std::array<Chave, 6> kChaves{{{"Nome", &Cadastro::Nome},
                                    {"Atividade", &Cadastro::Atividade},
                                    {"Endereco", &Cadastro::Endereco},
                                    {"Cidade", &Cadastro::Cidade},
                                    {"Assinatura", &Cadastro::Assinatura},
                                    {"Vias", &Cadastro::Vias}}};

std::string_view Apara(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool IguaisSemCaixa(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto minuscula = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (minuscula(a[i]) != minuscula(b[i])) return false;
    }
    return true;
}

// Lines without their LF and a CR before it; a last line without LF counts.
std::vector<std::string_view> Linhas(std::string_view texto) {
    std::vector<std::string_view> r;
    while (!texto.empty()) {
        const std::size_t fim = texto.find('\n');
        std::string_view l = texto.substr(0, fim);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        r.push_back(l);
        if (fim == std::string_view::npos) break;
        texto.remove_prefix(fim + 1);
    }
    return r;
}

// The section name of a header line, or nothing for any other line.
std::optional<std::string_view> NomeSecao(std::string_view linha) {
    linha = Apara(linha);
    if (linha.empty() || linha.front() != '[') return std::nullopt;
    linha.remove_prefix(1);
    return Apara(linha.substr(0, linha.find(']')));
}

// The key of an entry line ("key=value"), or nothing.
std::optional<std::string_view> NomeChave(std::string_view linha) {
    const std::size_t igual = linha.find('=');
    if (igual == std::string_view::npos) return std::nullopt;
    return Apara(linha.substr(0, igual));
}

// Line indices [inicio, fim) of the entries of the first [Cadastro] section;
// nothing when there is no such section.
struct Faixa {
    std::size_t cabecalho, fim;
};
std::optional<Faixa> SecaoCadastro(const std::vector<std::string_view>& linhas) {
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const auto nome = NomeSecao(linhas[i]);
        if (!nome || !IguaisSemCaixa(*nome, kSecao)) continue;
        std::size_t fim = i + 1;
        while (fim < linhas.size() && !NomeSecao(linhas[fim])) ++fim;
        return Faixa{i, fim};
    }
    return std::nullopt;
}

std::optional<std::size_t> LinhaDaChave(const std::vector<std::string_view>& linhas, Faixa f, std::string_view chave) {
    for (std::size_t i = f.cabecalho + 1; i < f.fim; ++i) {
        const auto k = NomeChave(linhas[i]);
        if (k && IguaisSemCaixa(*k, chave)) return i;
    }
    return std::nullopt;
}

std::string LinhaEntrada(std::string_view chave, const std::string& valor) {
    std::string v = Utf8ParaCp1252(valor);
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return std::string(chave) + "=" + v;
}

#ifndef _WIN32
std::string LeBytes(const std::string& caminho, bool& existe) {
    existe = true;
    // O_NONBLOCK: a pipe put at the path must not hang the window.
    const int fd = ::open(caminho.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            existe = false;
            return {};
        }
        throw ErroArquivo::Leitura(caminho, MotivoSistema(errno));
    }
    struct Fecha {
        int fd;
        ~Fecha() { ::close(fd); }
    } fecha{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw ErroArquivo::Leitura(caminho, MotivoSistema(errno));
    if (S_ISDIR(st.st_mode)) throw ErroArquivo::Leitura(caminho, MotivoSistema(EISDIR));
    if (!S_ISREG(st.st_mode)) throw ErroArquivo::Leitura(caminho, kNaoEhArquivo);
    std::string r;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw ErroArquivo::Leitura(caminho, MotivoSistema(errno));
        }
        r.append(buf, static_cast<std::size_t>(n));
        if (r.size() > kTamanhoMaximoCadastro) throw ErroArquivo::Leitura(caminho, kGrandeDemais);
    }
    return r;
}

#else
std::string LeBytes(const std::string& caminho, bool& existe) {
    std::error_code ec;
    const std::filesystem::path arquivo = CaminhoDoSistema(caminho);
    const auto st = std::filesystem::status(arquivo, ec);
    existe = std::filesystem::exists(st);
    if (!existe) return {};
    if (std::filesystem::is_directory(st)) throw ErroArquivo::Leitura(caminho, MotivoSistema(EISDIR));
    if (!std::filesystem::is_regular_file(st)) throw ErroArquivo::Leitura(caminho, kNaoEhArquivo);
    errno = 0;
    std::ifstream f(arquivo, std::ios::binary);
    if (!f) throw ErroArquivo::Leitura(caminho, MotivoSistema(errno ? errno : EACCES));
    std::string r;
    char buf[8192];
    while (f.read(buf, sizeof buf) || f.gcount() > 0) {
        r.append(buf, static_cast<std::size_t>(f.gcount()));
        if (r.size() > kTamanhoMaximoCadastro) throw ErroArquivo::Leitura(caminho, kGrandeDemais);
    }
    if (f.bad()) throw ErroArquivo::Leitura(caminho, MotivoSistema(EIO));
    return r;
}

#endif

}  // namespace

Cadastro LeCadastroDeTexto(std::string_view bytes) {
    Cadastro c;
    const auto linhas = Linhas(bytes);
    const auto secao = SecaoCadastro(linhas);
    if (!secao) return c;
    for (const Chave& k : kChaves) {
        const auto i = LinhaDaChave(linhas, *secao, k.nome);
        if (!i) continue;
        const std::string_view l = linhas[*i];
        c.*k.campo = Cp1252ParaUtf8(Apara(l.substr(l.find('=') + 1)));
    }
    return c;
}

std::string GravaCadastroEmTexto(std::string_view antigo, const Cadastro& c) {
    const auto linhas = Linhas(antigo);
    std::vector<std::string> saida(linhas.begin(), linhas.end());
    const auto secao = SecaoCadastro(linhas);

    std::vector<std::string> novas;  // keys the section lacks, in order
    for (const Chave& k : kChaves) {
        const std::optional<std::size_t> i = secao ? LinhaDaChave(linhas, *secao, k.nome) : std::nullopt;
        if (i)
            saida[*i] = LinhaEntrada(k.nome, c.*k.campo);
        else
            novas.push_back(LinhaEntrada(k.nome, c.*k.campo));
    }
    if (!secao) {
        saida.push_back("[" + std::string(kSecao) + "]");
        saida.insert(saida.end(), novas.begin(), novas.end());
    } else if (!novas.empty()) {
        // After the section's last non-blank line, so that a blank line
        // separating it from the next section stays where it was.
        std::size_t pos = secao->cabecalho + 1;
        for (std::size_t i = secao->cabecalho + 1; i < secao->fim; ++i)
            if (!Apara(linhas[i]).empty()) pos = i + 1;
        saida.insert(saida.begin() + static_cast<std::ptrdiff_t>(pos), novas.begin(), novas.end());
    }

    std::string r;
    for (const std::string& l : saida) r += l + "\r\n";
    return r;
}

std::optional<Cadastro> LeCadastro(const std::string& caminho) {
    bool existe = false;
    const std::string bytes = LeBytes(caminho, existe);
    if (!existe) return std::nullopt;
    return LeCadastroDeTexto(bytes);
}

void GravaCadastro(const std::string& caminho, const Cadastro& c) {
    std::string antigo;
    try {
        bool existe = false;
        antigo = LeBytes(caminho, existe);
    } catch (const ErroArquivo& e) {
        // What cannot be read cannot be kept: refuse rather than lose it.
        throw ErroArquivo::Escrita(caminho, "o arquivo atual não pôde ser lido (" + e.Motivo() + ")");
    }
    std::string motivo;
    if (!GravaSubstituindo(caminho, GravaCadastroEmTexto(antigo, c), motivo))
        throw ErroArquivo::Escrita(caminho, motivo);
}

}  // namespace quantivo
