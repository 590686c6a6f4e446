#include <gtest/gtest.h>

#include <random>

#include "core/Documento.h"

using namespace quantivo;

namespace {

// The check digits written apart from the program's: the weights listed as
// published.
int DvCpf(const std::string& s) {
    int soma = 0;
    for (std::size_t i = 0; i < s.size(); ++i) soma += (s[i] - '0') * static_cast<int>(s.size() + 1 - i);
    return soma * 10 % 11 % 10;
}
int DvCnpj(const std::string& s) {
    static const int pesos[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int soma = 0;
    for (std::size_t i = 0; i < s.size(); ++i) soma += (s[i] - '0') * pesos[13 - s.size() + i];
    return soma % 11 < 2 ? 0 : 11 - soma % 11;
}

}  // namespace

TEST(Documento, CpfECnpjGeradosSaoAceitosEFormatados) {
    std::mt19937 gerador(30);
    const std::string cnpj = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::uniform_int_distribution<std::size_t> qual(0, cnpj.size() - 1);
    for (int k = 0; k < 2000; ++k) {
        std::string cpf, base;
        for (int i = 0; i < 9; ++i) cpf += cnpj[qual(gerador) % 10];
        cpf += static_cast<char>('0' + DvCpf(cpf));
        cpf += static_cast<char>('0' + DvCpf(cpf));
        for (int i = 0; i < 12; ++i) base += k % 2 ? cnpj[qual(gerador)] : cnpj[qual(gerador) % 10];
        base += static_cast<char>('0' + DvCnpj(base));
        base += static_cast<char>('0' + DvCnpj(base));
        const LeituraDocumento a = LeDocumento(cpf), b = LeDocumento(base);
        if (a.tipo != TipoDocumento::Cpf || a.valido != (cpf != std::string(11, cpf[0])))
            FAIL() << cpf << ": " << a.problema;
        if (!b.valido || b.tipo != TipoDocumento::Cnpj) FAIL() << base << ": " << b.problema;
        if (a.valido) {
            EXPECT_EQ(a.formatado,
                      cpf.substr(0, 3) + "." + cpf.substr(3, 3) + "." + cpf.substr(6, 3) + "-" + cpf.substr(9));
        }
        EXPECT_EQ(b.formatado, base.substr(0, 2) + "." + base.substr(2, 3) + "." + base.substr(5, 3) + "/" +
                                   base.substr(8, 4) + "-" + base.substr(12));
    }
}

TEST(Documento, ComoFoiDigitado) {
    const std::pair<const char*, const char*> casos[] = {
        // The published rule does not see every slip: both of these pass it.
        {"371.191.710-03", ""},
        {"271.191.710-03", ""},
        {"11-222-333/0001.81", ""},  // punctuation anywhere
        {"123.4ç6.789-09", "O CPF só tem dígitos; há \"ç\" na posição 6."},
        {"12.ABC.345/01DE-3\xC2\xA0",
         "Os dígitos verificadores do CNPJ, os dois últimos, são números; há um espaço especial na posição 18."},
        {"12.ABC.345/01DE\t35", "O documento tem 15 caracteres; um CPF tem 11 e um CNPJ, 14."},
        {"1234567890123456789", "O documento tem 19 caracteres; um CPF tem 11 e um CNPJ, 14."},
        {"0", "O documento tem 1 caractere; um CPF tem 11 e um CNPJ, 14."},
        {"12.ABC.345/01DÉ-35", "O CNPJ só tem letras e dígitos; há \"É\" na posição 15."},
    };
    for (const auto& [texto, problema] : casos) {
        const LeituraDocumento d = LeDocumento(texto);
        EXPECT_EQ(d.valido, *problema == '\0') << texto;
        EXPECT_EQ(d.problema, problema) << texto;
    }
}
