#include <gtest/gtest.h>

#include <cmath>

#include "core/Erros.h"
#include "core/Valores.h"

using namespace quantivo;

TEST(Valores, RetiraVirgulaGuardaSoDigitosEVirgula) {
    EXPECT_EQ(RetiraVirgula("R$ -1.500,00 abc"), "1500,00");
    EXPECT_EQ(RetiraVirgula(""), "");
    EXPECT_EQ(RetiraVirgula("1,500.00"), "1,50000");
}

TEST(Valores, LeituraDeValores) {
    EXPECT_EQ(LeValor("R$ 1.500,00"), 1500.0L);
    EXPECT_EQ(LeValor("1.500,00"), 1500.0L);
    EXPECT_EQ(LeValor("1500,00"), 1500.0L);
    EXPECT_EQ(LeValor("-20,00"), 20.0L);
    EXPECT_EQ(LeValor("1,500.00"), 1.5L);
    EXPECT_EQ(LeValor(",5"), 0.5L);
    EXPECT_EQ(LeValor("5,"), 5.0L);
    // Parsed from the decimal digits into extended, not through a double.
    EXPECT_EQ(LeValor("2,345"), 2.345L);
    EXPECT_NE(LeValor("2,345"), static_cast<long double>(2.345));
    EXPECT_EQ(LeValor("99999999999999999999"), 1e20L);
    struct Falha {
        const char* texto;
        const char* mensagem;
    };
    const Falha falhas[] = {
        {"1,500,00", "'1,500,00' is not a valid floating point value"},
        {"", "'' is not a valid floating point value"},
        {",", "',' is not a valid floating point value"},
        {"R$ .", "'' is not a valid floating point value"},
        {"abc", "'' is not a valid floating point value"},
    };
    for (const Falha& f : falhas) {
        try {
            LeValor(f.texto);
            ADD_FAILURE() << f.texto;
        } catch (const ErroConversao& e) {
            EXPECT_STREQ(e.what(), f.mensagem);
        }
    }
    EXPECT_THROW(LeValor(std::string(6000, '9')), ErroConversao);  // beyond the extended range
}

TEST(Valores, LeituraSemLimpeza) {
    EXPECT_EQ(LeNumero("2,5"), 2.5L);
    EXPECT_EQ(LeNumero(" -3 "), -3.0L);
    EXPECT_EQ(LeNumero("1E2"), 100.0L);
    for (const char* t : {"2.5", "", " ", "1,2,3", "R$ 2", "-", "1E", ","}) {
        try {
            LeNumero(t);
            ADD_FAILURE() << t;
        } catch (const ErroConversao& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + t + "' is not a valid floating point value");
        }
    }
}

TEST(Valores, TextosDeValor) {
    struct Caso {
        long double v;
        const char* esperado;
    };
    const Caso casos[] = {
        {1234567.891L, "1.234.567,89"},
        {0, "0,00"},
        {-12.5L, "-12,50"},
        {2.675L, "2,68"},  // half away from zero on the decimal digits
        {151.525L, "151,53"},
        {151.526L, "151,53"},
        {3758.043385L, "3.758,04"},
        {-0.004L, "0,00"},  // never "-0,00"
        {-0.005L, "-0,01"},
        {999.995L, "1.000,00"},
        {1e20L, "100.000.000.000.000.000.000,00"},
        {0.001L, "0,00"},
        {static_cast<double>(2.675), "2,68"},  // 15 significant digits first
    };
    for (const Caso& c : casos) EXPECT_EQ(FormataValor(c.v), c.esperado) << static_cast<double>(c.v);
}

TEST(Valores, FamiliaDeMascaras) {
    EXPECT_EQ(FormataMascara(1234.5L, "####,##0.00"), "1.234,50");
    EXPECT_EQ(FormataMascara(1234.5L, "#,##0.00"), "1.234,50");
    EXPECT_EQ(FormataMascara(1234.5L, "###,###,###0.00"), "1.234,50");
    EXPECT_EQ(FormataMascara(0.5L, "#,##0.00"), "0,50");
    EXPECT_EQ(FormataMascara(1045, "R$ ,0.00"), "R$ 1.045,00");
    EXPECT_EQ(FormataMascara(1.5L, "0.00;-0.00"), "1,50");
    EXPECT_EQ(FormataMascara(-1.5L, "0.00;-0.00"), "-1,50");
    EXPECT_EQ(FormataMascara(-0.001L, "0.00;-0.00"), "0,00");
    EXPECT_EQ(FormataMascara(0.0041L, "0.0000;-0.0000"), "0,0041");
    EXPECT_EQ(FormataMascara(1234.5L, "0.00"), "1234,50");
    EXPECT_EQ(FormataMascara(2.5L, "0.00000;"), "2,50000");
    EXPECT_EQ(FormataMascara(12, "0;-0"), "12");
}

TEST(Valores, FormaGeral) {
    EXPECT_EQ(FormataGeral(1000), "1000");
    EXPECT_EQ(FormataGeral(906.57L), "906,57");
    EXPECT_EQ(FormataGeral(-5), "-5");
    EXPECT_EQ(FormataGeral(0.01L), "0,01");
    EXPECT_EQ(FormataGeral(4294967295.99L), "4294967295,99");
    EXPECT_EQ(FormataGeral(1e20L), "1E20");
    EXPECT_EQ(FormataGeral(1.5e-7L), "1,5E-7");
    EXPECT_EQ(FormataGeral(0.00001L), "0,00001");
    EXPECT_EQ(FormataGeral(1.0L / 3), "0,333333333333333");
}

TEST(Valores, PontoFixoDeQuatroDecimais) {
    EXPECT_EQ(ParaDmil(151.526L), 1515260);
    EXPECT_EQ(ParaDmil(0.00005L), 0);  // halves to even
    EXPECT_EQ(ParaDmil(0.00015L), 2);
    EXPECT_EQ(ParaDmil(-2.5e-4L), -2);
    EXPECT_EQ(ParaDmil(922337203685477.5L), 9223372036854775000LL);
    EXPECT_THROW(ParaDmil(1e15L), ErroAritmetico);
    EXPECT_THROW(ParaDmil(-1e15L), ErroAritmetico);
    EXPECT_THROW(ParaDmil(INFINITY), ErroAritmetico);
    EXPECT_THROW(ParaDmil(NAN), ErroAritmetico);
    EXPECT_THROW(SomaDmil(INT64_MAX, 1), ErroAritmetico);
    EXPECT_THROW(Divide(1, 0), ErroAritmetico);
    EXPECT_THROW(Divide(0, 0), ErroAritmetico);
    EXPECT_THROW(ParaDouble(1e400L), ErroAritmetico);
    EXPECT_THROW(Trunca(1e19L), ErroAritmetico);
    EXPECT_EQ(Trunca(-12.9L), -12);
}

TEST(Valores, CampoNumericoSeguraETexto) {
    EXPECT_EQ(Segura(1006.6666666L, 2), LeValor("1006,67"));
    EXPECT_EQ(Segura(2.5L, 0), 3);
    EXPECT_EQ(Segura(-2.5L, 0), -3);
    EXPECT_EQ(TextoCampo(1.5L, 2), "1,5");
    EXPECT_EQ(TextoCampo(12, 0), "12");
    EXPECT_EQ(TextoCampo(0, 4), "");
    EXPECT_EQ(TextoCampo(Segura(2.345L, 5), 5), "2,345");
    EXPECT_EQ(TextoCampo(-3.25L, 2), "-3,25");
    EXPECT_EQ(TextoCampo(1234.5L, 2), "1234,5");
}
