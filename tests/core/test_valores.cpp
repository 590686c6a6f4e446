#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

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

namespace {

// The amount text worked out apart from the formatter: the exact decimal
// digits of the binary value by long division of its fraction (frexp and
// 128-bit integers), taken to 15 significant digits, then to `decimais`,
// halves away from zero; no grouping. For |v| below 2^63 whose fraction
// needs at most 120 bits.
std::string TextoExato(long double v, int decimais, bool quinzeDigitos = true) {
    const bool negativo = v < 0;
    const long double a = std::fabs(v);
    const long double inteira = std::trunc(a);
    std::string dig = inteira == 0 ? "" : std::to_string(static_cast<unsigned long long>(inteira));
    int antes = static_cast<int>(dig.size());
    const long double fracao = a - inteira;
    if (fracao != 0) {
        int e = 0;
        const long double f = std::frexp(fracao, &e);  // fracao = f * 2^e
        unsigned __int128 resto = static_cast<unsigned long long>(std::ldexp(f, 64));
        const int bits = 64 - e;  // fracao = resto / 2^bits
        EXPECT_LE(bits, 120);
        const unsigned __int128 um = static_cast<unsigned __int128>(1) << bits;
        while (resto != 0) {
            resto *= 10;
            dig += static_cast<char>('0' + static_cast<int>(resto / um));
            resto %= um;
        }
    }
    // Leading zeros out, the point kept in place.
    const std::size_t nz = dig.find_first_not_of('0');
    if (nz == std::string::npos)
        return "0" + std::string(decimais > 0 ? "," : "") + std::string(static_cast<std::size_t>(decimais), '0');
    antes -= static_cast<int>(nz);
    dig.erase(0, nz);
    auto corta = [&](int n) {  // keeps n digits, half away from zero
        if (n >= static_cast<int>(dig.size())) return;
        const bool sobe = n >= 0 && dig[static_cast<std::size_t>(n)] >= '5';
        dig.resize(static_cast<std::size_t>(std::max(n, 0)));
        if (!sobe) return;
        int k = static_cast<int>(dig.size()) - 1;
        for (; k >= 0 && dig[static_cast<std::size_t>(k)] == '9'; --k) dig[static_cast<std::size_t>(k)] = '0';
        if (k < 0) {
            dig.insert(dig.begin(), '1');
            ++antes;
        } else {
            ++dig[static_cast<std::size_t>(k)];
        }
    };
    if (quinzeDigitos) corta(15);
    corta(antes + decimais);
    std::string inteiro, frac;
    if (antes <= 0) {
        frac = std::string(static_cast<std::size_t>(-antes), '0') + dig;
    } else {
        inteiro = dig.substr(0, std::min(dig.size(), static_cast<std::size_t>(antes)));
        inteiro.resize(static_cast<std::size_t>(antes), '0');
        if (dig.size() > inteiro.size()) frac = dig.substr(inteiro.size());
    }
    frac.resize(static_cast<std::size_t>(decimais), '0');
    if (inteiro.empty()) inteiro = "0";
    const bool zero = inteiro == "0" && frac.find_first_not_of('0') == std::string::npos;
    return (negativo && !zero ? "-" : "") + inteiro + (decimais > 0 ? "," + frac : "");
}

std::string SemGrupos(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '.'), s.end());
    return s;
}

}  // namespace

TEST(Valores, TextoExatoDosCasosConhecidos) {
    // The reference itself, on what the rule says by hand.
    EXPECT_EQ(TextoExato(2675.535L, 2), "2675,54");
    EXPECT_EQ(TextoExato(136969227123970.5L, 2), "136969227123971,00");
    EXPECT_EQ(TextoExato(-0.004L, 2), "0,00");
    EXPECT_EQ(TextoExato(0.125L, 2, false), "0,13");
}

TEST(Valores, MeioDecimalEMeioBinarioSobemComoNoTextoExato) {
    // An exact binary half at the 15th digit rounds up, as a decimal half does.
    EXPECT_EQ(FormataValor(136969227123970.5L), "136.969.227.123.971,00");
    EXPECT_EQ(FormataValor(-136969227123970.5L), "-136.969.227.123.971,00");
    EXPECT_EQ(FormataValor(100000000000002.5L), "100.000.000.000.003,00");
    EXPECT_EQ(FormataValor(1000000000000002.5L), "1.000.000.000.000.000,00");
    EXPECT_EQ(FormataGeral(136969227123970.5L), "136969227123971");
    // A decimal half the binary value falls just short of.
    // (2500,50 at 2 % a month for 105 days, the interest in double.)
    const double jurosMes = static_cast<double>(2500.5L * 2 / 100);
    const long double atualizado = 2500.5L + static_cast<double>(jurosMes / 30.0L * 105);
    EXPECT_LT(atualizado, LeValor("2675,535"));
    EXPECT_EQ(FormataValor(atualizado), "2.675,54");
    EXPECT_EQ(Segura(atualizado, 2), LeValor("2675,54"));
    EXPECT_EQ(Segura(-atualizado, 2), -LeValor("2675,54"));
    EXPECT_EQ(Segura(static_cast<double>(1.005), 2), LeValor("1,01"));
    EXPECT_EQ(Segura(0.125L, 2), LeValor("0,13"));
    EXPECT_EQ(Segura(136969227123970.5L, 2), 136969227123971.0L);
    EXPECT_TRUE(std::signbit(Segura(-0.001L, 2)));
    EXPECT_EQ(TextoCampo(0.125L, 2), "0,13");
    EXPECT_EQ(TextoCampo(-0.125L, 2), "-0,13");
    EXPECT_EQ(TextoCampo(1e20L, 0), "100000000000000000000");
    EXPECT_EQ(TextoCampo(1e-30L, 5), "");
}

TEST(Valores, TextosIguaisAoArredondamentoDecimalExato) {
    std::mt19937_64 g(21);
    std::vector<long double> valores;
    // Decimal halves at the cents and at the last of 15 digits, from their texts.
    for (int i = 0; i < 4000; ++i) {
        const unsigned long long inteiro = g() % 10000000000000ULL;
        const unsigned long long casas = g() % 1000;
        std::string t = std::to_string(inteiro) + "," + std::to_string(1000 + casas).substr(1);
        if (i % 2) t.back() = '5';
        valores.push_back(LeValor(t));
    }
    // Exact binary halves with 16 significant digits: t / 2^j, t odd, whose
    // decimal expansion ends in the 16th digit with a 5.
    for (int i = 0; i < 4000; ++i) {
        const int j = 1 + static_cast<int>(g() % 12);
        unsigned long long cinco = 1;
        for (int k = 0; k < j; ++k) cinco *= 5;
        const unsigned long long lo = 1000000000000000ULL / cinco + 1, hi = 10000000000000000ULL / cinco;
        const unsigned long long t = (lo + g() % (hi - lo)) | 1;
        valores.push_back(std::ldexp(static_cast<long double>(t), -j));
    }
    // Whole numbers of 16 digits ending in 5, and binary values halfway between two cents.
    for (int i = 0; i < 2000; ++i) {
        valores.push_back(static_cast<long double>((g() % 900000000000000ULL + 100000000000000ULL) * 10 + 5));
        valores.push_back(static_cast<long double>(g() % 100000000) +
                          0.125L * static_cast<long double>(1 + 2 * (g() % 4)));
    }
    // Any extended or double value over the amounts' range.
    for (int i = 0; i < 20000; ++i) {
        const long double m = static_cast<long double>(g()) / 18446744073709551616.0L;  // [0, 1)
        const long double v = std::ldexp(m, -10 + static_cast<int>(g() % 60));
        valores.push_back(i % 2 ? v : static_cast<double>(v));
    }
    int diferentes = 0;
    for (long double v : valores) {
        for (long double x : {v, -v}) {
            const std::string esperado = TextoExato(x, 2);
            const std::string t = FormataValor(x);
            if (SemGrupos(t) != esperado && ++diferentes < 20) ADD_FAILURE() << esperado << " " << t;
            if (FormataMascara(x, "0.0000") != TextoExato(x, 4) && ++diferentes < 20) ADD_FAILURE() << TextoExato(x, 4);
            // The field holds what its amount text shows.
            const long double s = Segura(x, 2);
            if (s != (x < 0 ? -1 : 1) * LeValor(esperado) && ++diferentes < 20) ADD_FAILURE() << esperado;
            // The edit text rounds the exact value, without the 15-digit step.
            std::string campo = TextoExato(x, 5, false);
            while (campo.back() == '0') campo.pop_back();
            if (campo.back() == ',') campo.pop_back();
            if (campo == "0" || campo == "-0") campo.clear();
            if (TextoCampo(x, 5) != campo && ++diferentes < 20) ADD_FAILURE() << campo << " " << TextoCampo(x, 5);
        }
    }
    EXPECT_EQ(diferentes, 0);
}
