#include <gtest/gtest.h>

#include <cmath>

#include "core/Erros.h"
#include "core/UtbSys.h"

using namespace quantivo;

namespace {
constexpr int kAno = 2026;
Data D(int a, int m, int d) { return *CodificaData(a, m, d); }

// Every space counts: the receipt prints these texts as they come.
struct CasoNumero {
    std::uint32_t n;
    const char* texto;
};
const CasoNumero kNumeros[] = {
    {0, ""},
    {7, "sete"},
    {14, "quatorze"},
    {21, "vinte e um"},
    {55, "cinqüenta e cinco"},
    {90, "noventa "},
    {100, "cem "},
    {101, " cento e um"},
    {120, " cento e vinte "},
    {300, "trezentos "},
    {1001, "um mil um"},
    {2000, "dois mil "},
    {100000, "cem  mil "},
    {1500000, "um milhão quinhentos  mil "},
    {1234567, "um milhão duzentos e trinta e quatro mil quinhentos e sessenta e sete"},
    {3000000, "três milhões "},
    {1000000000, "um bilhão "},
    {4294967295u,
     "quatro bilhões duzentos e noventa e quatro milhões novecentos e sessenta e sete mil duzentos e noventa e cinco"},
};

struct CasoValor {
    double valor;
    const char* texto;
};
const CasoValor kValores[] = {
    {0.01, "um centavo "},
    {0.50, "cinqüenta  centavos "},
    {1.00, "um real "},
    {1.01, "um real  e um centavo "},
    {2.00, "dois reais "},
    {100.00, "cem  reais "},
    {1000.00, "um mil  reais "},
    {1234.56, "um mil duzentos e trinta e quatro reais  e cinqüenta e seis centavos "},
    {1000000.00, "um milhão  reais "},
    {4294967295.99,
     "quatro bilhões duzentos e noventa e quatro milhões novecentos e sessenta e sete mil duzentos e noventa e cinco "
     "reais  e noventa e nove centavos "},
    {0.125, "doze centavos "},  // 12,5 goes to the even 12
    {0.135, "quatorze centavos "},
    {151.525, " cento e cinqüenta e um reais  e cinqüenta e três centavos "},
};

}  // namespace

TEST(UtbSys, NumeroExtenso) {
    for (const auto& c : kNumeros) EXPECT_EQ(NumeroExtenso(c.n), c.texto) << c.n;
}

TEST(UtbSys, ValorExtenso) {
    for (const auto& c : kValores) EXPECT_EQ(ValorExtenso(c.valor), c.texto) << c.valor;
}

TEST(UtbSys, ValorExtensoForaDaFaixa) {
    const struct {
        double valor;
        const char* texto;
    } casos[] = {
        {0, "0 Valor fora da faixa 0,01..4294967295,99"},
        {0.0099, "0,0099 Valor fora da faixa 0,01..4294967295,99"},
        {-1.5, "-1,5 Valor fora da faixa 0,01..4294967295,99"},
        {4294967296.0, "4294967296 Valor fora da faixa 0,01..4294967295,99"},
        {NAN, "NAN Valor fora da faixa 0,01..4294967295,99"},
    };
    for (const auto& c : casos) {
        try {
            ValorExtenso(c.valor);
            ADD_FAILURE() << c.valor << " passou";
        } catch (const ErroFaixa& e) {
            EXPECT_STREQ(e.what(), c.texto);
        }
    }
}

TEST(UtbSys, MesExtenso) {
    EXPECT_EQ(MesExtenso(1), "Janeiro");
    EXPECT_EQ(MesExtenso(3), "Março");
    EXPECT_EQ(MesExtenso(12), "Dezembro");
    EXPECT_EQ(MesExtenso(0), "");
    EXPECT_EQ(MesExtenso(13), "");
    EXPECT_EQ(MesExtenso(-1), "");
}

TEST(UtbSys, DiadaSemana) {
    const char* esperado[] = {"Domingo",      "Segunda-feira", "Terça-feira", "Quarta-feira",
                              "Quinta-feira", "Sexta-feira",   "Sábado"};
    // 02/03/2008 was a Sunday.
    for (int i = 0; i < 7; ++i) {
        const std::string texto = "0" + std::to_string(2 + i) + "/03/08";
        EXPECT_EQ(DiadaSemana(texto, kAno), esperado[i]) << texto;
    }
    EXPECT_THROW(DiadaSemana("31/02/08", kAno), ErroConversao);
    try {
        DiadaSemana("amanhã", kAno);
    } catch (const ErroConversao& e) {
        EXPECT_STREQ(e.what(), "'amanhã' is not a valid date");
    }
}

TEST(UtbSys, DataExtenso) {
    EXPECT_EQ(DataExtenso(D(2008, 3, 5), kAno), "Quarta-feira, 5 de Março de 2008");
    EXPECT_EQ(DataExtenso(D(2008, 1, 31), kAno), "Quinta-feira, 31 de Janeiro de 2008");
    // The weekday is the one of the date read back from "01/06/50": 2050.
    EXPECT_EQ(DataExtenso(D(1950, 6, 1), kAno), "Quarta-feira, 1 de Junho de 1950");
}
