#include <gtest/gtest.h>

#include <random>

#include "core/Bancos.h"
#include "core/Cmc7.h"

using namespace quantivo;

namespace {

// The mod-10 check digit by the table of doubled digits, apart from the
// program's own computation.
char Dv(const std::string& s) {
    static const int dobrado[] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
    int soma = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int d = s[s.size() - 1 - i] - '0';
        soma += i % 2 == 0 ? dobrado[d] : d;
    }
    return static_cast<char>('0' + (10 - soma % 10) % 10);
}

}  // namespace

// Every position of the line is under one of the three check digits, and the
// mod-10 rule with weights 2, 1 catches any one digit changed: so no single
// slip of a digit gets through.
TEST(Cmc7, TodaTrocaDeUmDigitoEhRecusada) {
    std::mt19937 gerador(29);
    std::uniform_int_distribution<int> digito(0, 9);
    const auto digitos = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + digito(gerador));
        return s;
    };
    for (int k = 0; k < 400; ++k) {
        const std::string bancoAgencia = digitos(7), campo2 = digitos(10), conta = digitos(10);
        const std::string linha = bancoAgencia + Dv(campo2) + campo2 + Dv(bancoAgencia) + conta + Dv(conta);
        const LeituraCmc7 l = LeCmc7(linha);
        ASSERT_TRUE(l.Valido()) << linha << ": " << l.problema;
        EXPECT_EQ(l.cmc7->Banco() + l.cmc7->Agencia(), bancoAgencia);
        EXPECT_EQ(l.cmc7->Camara() + l.cmc7->Cheque() + l.cmc7->Tipificacao(), campo2);
        EXPECT_EQ(l.cmc7->Conta(), conta);
        for (std::size_t i = 0; i < linha.size(); ++i)
            for (char c = '0'; c <= '9'; ++c) {
                if (c == linha[i]) continue;
                std::string troca = linha;
                troca[i] = c;
                const LeituraCmc7 t = LeCmc7(troca);
                if (t.Valido() || t.problema.rfind("Dígito", 0) != 0) FAIL() << troca << ": " << t.problema;
            }
    }
}

TEST(Cmc7, PosicaoEmCaracteresEOQueNaoSeVe) {
    const std::pair<std::string, std::string> casos[] = {
        {"é23704948", "O CMC7 tem \"é\" na posição 1, que não é dígito nem separador."},
        {"2370\xC3", "O CMC7 tem um byte que não é texto na posição 5, que não é dígito nem separador."},
        {"2370\x01", "O CMC7 tem um caractere de controle na posição 5, que não é dígito nem separador."},
        {"2370\u00A01", "O CMC7 tem um espaço especial na posição 5, que não é dígito nem separador."},
        // The first wrong character decides: a "?" before a letter is the reader's.
        {"ç ?7", "O CMC7 tem \"ç\" na posição 1, que não é dígito nem separador."},
        {"1?A", "O leitor não conseguiu ler o caractere 2 do CMC7 (\"?\"): passe o cheque de novo ou digite a linha."},
        {"??????",
         "O leitor não conseguiu ler 6 caracteres do CMC7 (\"?\" a partir da posição 1): passe o cheque de "
         "novo ou digite a linha."},
    };
    for (const auto& [linha, problema] : casos) EXPECT_EQ(LeCmc7(linha).problema, problema) << linha;
}

TEST(Cmc7, OQueEhTomadoPorLinhaDoCmc7) {
    const std::pair<const char*, bool> casos[] = {
        {"237/0494/001793", false},  // what the grid shows after a line was read
        {"Bradesco 001793", false},
        {"", false},
        {"1234567890123456789", false},  // 19 digits: a number, not a line
        {"12345678901234567890", true},
        {"23704948 0180017935 37750610011", true},  // one digit dropped: to be caught
        {"23704948 0180017935 3775061?0112", true},
        {"<", true},  // a reader's line, whatever follows
        {"<abc", true},
        {" <23704948<0180017935>377506100112:", true},
        {"23704948-0180017935-377506100112", false},
    };
    for (const auto& [texto, parece] : casos) EXPECT_EQ(PareceCmc7(texto), parece) << texto;
}

TEST(Bancos, NomePeloCodigo) {
    EXPECT_EQ(NomeDoBanco("237"), "BCO BRADESCO S.A.");
    EXPECT_EQ(NomeDoBanco("001"), "BCO DO BRASIL S.A.");  // the first of the list
    EXPECT_EQ(NomeDoBanco("104"), "CAIXA ECONOMICA FEDERAL");
    EXPECT_EQ(NomeDoBanco("772"), "CC MECUNP");  // the last
    for (const char* desconhecido : {"999", "002", "23", "2370", "", "ABC"}) EXPECT_EQ(NomeDoBanco(desconhecido), "");
}
