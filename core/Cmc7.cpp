#include "core/Cmc7.h"

#include <array>

#include "core/Caracteres.h"

namespace quantivo {
namespace {

bool Separador(char c) { return c == '<' || c == '>' || c == ':' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool Digito(char c) { return c >= '0' && c <= '9'; }

// Positions of the unreadable characters named in the message; past these,
// the message names the first one only.
constexpr std::size_t kPosicoesNomeadas = 5;

std::string SemLeitura(const std::array<std::size_t, kPosicoesNomeadas>& posicoes, std::size_t quantas) {
    const std::string fim = ": passe o cheque de novo ou digite a linha.";
    if (quantas == 1)
        return "O leitor não conseguiu ler o caractere " + std::to_string(posicoes[0]) + " do CMC7 (\"?\")" + fim;
    const std::string onde = quantas <= kPosicoesNomeadas ? "nas posições " + ListaDePosicoes(posicoes.data(), quantas)
                                                          : "a partir da posição " + std::to_string(posicoes[0]);
    return "O leitor não conseguiu ler " + std::to_string(quantas) + " caracteres do CMC7 (\"?\" " + onde + ")" + fim;
}

}  // namespace

std::string Cmc7::BancoNumero() const { return Banco() + "/" + Agencia() + "/" + Cheque(); }

int DigitoModulo10(std::string_view digitos) {
    int soma = 0;
    bool dobra = true;
    for (auto it = digitos.rbegin(); it != digitos.rend(); ++it) {
        int p = (*it - '0') * (dobra ? 2 : 1);
        soma += p / 10 + p % 10;
        dobra = !dobra;
    }
    return (10 - soma % 10) % 10;
}

LeituraCmc7 LeCmc7(std::string_view linha) {
    LeituraCmc7 r;
    // At most 30 digits are kept; past them only the count matters.
    char digitos[kDigitosCmc7];
    std::size_t n = 0;
    std::array<std::size_t, kPosicoesNomeadas> semLeitura{};
    std::size_t quantosSemLeitura = 0;
    std::size_t posicao = 0;  // of the character, from 1, as the clerk counts them
    for (std::size_t i = 0; i < linha.size();) {
        ++posicao;
        const std::size_t t = TamanhoDoCaractere(linha, i);
        const char c = linha[i];
        if (t == 1 && Digito(c)) {
            if (n < kDigitosCmc7) digitos[n] = c;
            ++n;
        } else if (t == 1 && c == '?') {
            if (quantosSemLeitura < kPosicoesNomeadas) semLeitura[quantosSemLeitura] = posicao;
            ++quantosSemLeitura;
        } else if (t != 1 || !Separador(c)) {
            // A slip of the hand or a pasted stray. The first wrong character
            // decides what the message is about: this one, or the reader's "?".
            if (quantosSemLeitura == 0) {
                r.problema = "O CMC7 tem " + DescreveCaractere(linha.substr(i, t)) + " na posição " +
                             std::to_string(posicao) + ", que não é dígito nem separador.";
                return r;
            }
        }
        i += t;
    }
    if (quantosSemLeitura > 0) {
        r.problema = SemLeitura(semLeitura, quantosSemLeitura);
        return r;
    }
    if (n != kDigitosCmc7) {
        r.problema = n == 0 ? "O CMC7 está em branco; são 30 dígitos."
                            : "O CMC7 tem " + std::to_string(n) + (n == 1 ? " dígito" : " dígitos") + "; são 30.";
        return r;
    }
    const std::string_view d(digitos, kDigitosCmc7);
    const bool confere[3] = {DigitoModulo10(d.substr(0, 7)) == d[18] - '0',
                             DigitoModulo10(d.substr(8, 10)) == d[7] - '0',
                             DigitoModulo10(d.substr(19, 10)) == d[29] - '0'};
    std::size_t campos[3];
    std::size_t errados = 0;
    for (std::size_t k = 0; k < 3; ++k)
        if (!confere[k]) campos[errados++] = k + 1;
    if (errados == 1) {
        r.problema = "Dígito verificador do campo " + std::to_string(campos[0]) + " não confere.";
    } else if (errados > 1) {
        r.problema = "Dígitos verificadores dos campos " + ListaDePosicoes(campos, errados) + " não conferem.";
    } else {
        r.cmc7 = Cmc7{std::string(d)};
    }
    return r;
}

bool PareceCmc7(std::string_view texto) {
    if (VemDoLeitor(texto)) return true;
    std::size_t digitos = 0;
    for (const char c : texto) {
        if (Digito(c))
            ++digitos;
        else if (!Separador(c) && c != '?')
            return false;
    }
    return digitos >= 20;
}

}  // namespace quantivo
