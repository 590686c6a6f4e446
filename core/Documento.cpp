#include "core/Documento.h"

#include <cstddef>

#include "core/Caracteres.h"

namespace quantivo {
namespace {

constexpr std::size_t kTamanhoCpf = 11;
constexpr std::size_t kTamanhoCnpj = 14;

bool Digito(char c) { return c >= '0' && c <= '9'; }
bool Letra(char c) { return c >= 'A' && c <= 'Z'; }

// One character of what remains after the punctuation is dropped, with where
// the clerk typed it.
struct Caractere {
    std::string_view texto;   // the character itself, capital when a letter
    std::size_t posicao = 0;  // in the typed text, from 1
    char Ascii() const { return texto.size() == 1 ? texto[0] : '\0'; }
};

// The mod-11 check digit of a CPF over `n` digits with weights n+1 down to 2.
int DigitoCpf(const char* d, std::size_t n) {
    int soma = 0;
    for (std::size_t i = 0; i < n; ++i) soma += (d[i] - '0') * static_cast<int>(n + 1 - i);
    const int r = soma * 10 % 11;
    return r == 10 ? 0 : r;
}

// The check digit of a CNPJ over its first `n` characters; the weights run
// from the right 2, 3, ..., 9 and again from 2.
int DigitoCnpj(const char* c, std::size_t n) {
    int soma = 0;
    for (std::size_t i = 0; i < n; ++i) soma += (c[i] - '0') * static_cast<int>(2 + (n - 1 - i) % 8);
    const int r = soma % 11;
    return r < 2 ? 0 : 11 - r;
}

std::string MensagemDigitos(const char* tipo, bool primeiro, bool segundo) {
    if (primeiro && segundo) return std::string("Os dígitos verificadores do ") + tipo + " não conferem.";
    return std::string(primeiro ? "O primeiro" : "O segundo") + " dígito verificador do " + tipo + " não confere.";
}

std::string NaPosicao(const Caractere& c) {
    return DescreveCaractere(c.texto) + " na posição " + std::to_string(c.posicao);
}

}  // namespace

const char* NomeDoTipo(TipoDocumento tipo) {
    switch (tipo) {
        case TipoDocumento::Cpf:
            return "CPF";
        case TipoDocumento::Cnpj:
            return "CNPJ";
        case TipoDocumento::Nenhum:
            break;
    }
    return "";
}

LeituraDocumento LeDocumento(std::string_view texto) {
    LeituraDocumento r;
    // Up to 14 characters are kept, with capitals in `maiusculas`; past them
    // only the count matters.
    Caractere resto[kTamanhoCnpj];
    char maiusculas[kTamanhoCnpj] = {};
    std::size_t n = 0;
    std::size_t posicao = 0;
    for (std::size_t i = 0; i < texto.size();) {
        ++posicao;
        const std::size_t t = TamanhoDoCaractere(texto, i);
        const char c = texto[i];
        if (!(t == 1 && (c == '.' || c == '/' || c == '-' || c == ' '))) {
            if (n < kTamanhoCnpj) {
                const bool minuscula = t == 1 && c >= 'a' && c <= 'z';
                maiusculas[n] = minuscula ? static_cast<char>(c - 'a' + 'A') : (t == 1 ? c : '\0');
                resto[n] = {t == 1 ? std::string_view(&maiusculas[n], 1) : texto.substr(i, t), posicao};
            }
            ++n;
        }
        i += t;
    }

    if (n == kTamanhoCpf) {
        r.tipo = TipoDocumento::Cpf;
        for (std::size_t i = 0; i < n; ++i)
            if (!Digito(resto[i].Ascii())) {
                r.problema = "O CPF só tem dígitos; há " + NaPosicao(resto[i]) + ".";
                return r;
            }
    } else if (n == kTamanhoCnpj) {
        r.tipo = TipoDocumento::Cnpj;
        for (std::size_t i = 0; i < n; ++i) {
            const char c = resto[i].Ascii();
            if (i < 12 && !Digito(c) && !Letra(c)) {
                r.problema = "O CNPJ só tem letras e dígitos; há " + NaPosicao(resto[i]) + ".";
                return r;
            }
            if (i >= 12 && !Digito(c)) {
                r.problema =
                    "Os dígitos verificadores do CNPJ, os dois últimos, são números; há " + NaPosicao(resto[i]) + ".";
                return r;
            }
        }
    } else {
        r.problema = n == 0 ? "O documento está em branco; um CPF tem 11 dígitos e um CNPJ, 14 caracteres."
                            : "O documento tem " + std::to_string(n) + (n == 1 ? " caractere" : " caracteres") +
                                  "; um CPF tem 11 e um CNPJ, 14.";
        return r;
    }

    const char* d = maiusculas;
    bool iguais = true;
    for (std::size_t i = 1; i < n; ++i) iguais = iguais && d[i] == d[0];
    if (iguais) {
        r.problema = r.tipo == TipoDocumento::Cpf ? "Um CPF de onze dígitos iguais não é válido."
                                                  : "Um CNPJ de catorze caracteres iguais não é válido.";
        return r;
    }

    const std::string_view s(d, n);
    bool primeiro, segundo;
    if (r.tipo == TipoDocumento::Cpf) {
        primeiro = DigitoCpf(d, 9) != d[9] - '0';
        segundo = DigitoCpf(d, 10) != d[10] - '0';
    } else {
        primeiro = DigitoCnpj(d, 12) != d[12] - '0';
        segundo = DigitoCnpj(d, 13) != d[13] - '0';
    }
    if (primeiro || segundo) {
        r.problema = MensagemDigitos(NomeDoTipo(r.tipo), primeiro, segundo);
        return r;
    }
    r.valido = true;
    if (r.tipo == TipoDocumento::Cpf) {
        r.formatado = std::string(s.substr(0, 3)) + "." + std::string(s.substr(3, 3)) + "." +
                      std::string(s.substr(6, 3)) + "-" + std::string(s.substr(9, 2));
    } else {
        r.formatado = std::string(s.substr(0, 2)) + "." + std::string(s.substr(2, 3)) + "." +
                      std::string(s.substr(5, 3)) + "/" + std::string(s.substr(8, 4)) + "-" +
                      std::string(s.substr(12, 2));
    }
    return r;
}

}  // namespace quantivo
