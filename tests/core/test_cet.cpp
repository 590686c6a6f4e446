// The CET: the annual rate that equates what the customer received with the
// cheques at their due dates.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/Cet.h"

using namespace quantivo;

namespace {

// Plain bisection on the annual rate itself, in double, with pow: another
// road to the same equation.
double CetPorBissecao(double recebido, const std::vector<FluxoCet>& fluxos) {
    double a = -0.999999, b = 1e6;
    for (int i = 0; i < 300; ++i) {
        const double c = (a + b) / 2;
        double soma = 0;
        for (const FluxoCet& x : fluxos)
            soma += static_cast<double>(x.valor) / std::pow(1 + c, static_cast<double>(x.dias) / 365);
        (soma > recebido ? a : b) = c;
    }
    return (a + b) / 2 * 100;
}

}  // namespace

TEST(Cet, ExemploDoDescontoDeCheques) {
    // 3.758,043385 received for 1000 in 5 days, 500 in 33 and 2500,50 in 52.
    const auto cet = CalculaCet(3758.043385L, {{5, 1000}, {33, 500}, {52, 2500.5L}});
    ASSERT_TRUE(cet);
    EXPECT_NEAR(static_cast<double>(cet->anual), 83.648, 0.0005);
    EXPECT_NEAR(static_cast<double>(cet->mensal), 5.196, 0.0005);
    EXPECT_EQ(TextoCet(cet), "CET: 83,65% a.a. (5,20% a.m.)");
    // The same cheques in another order give the same rate.
    const auto outraOrdem = CalculaCet(3758.043385L, {{52, 2500.5L}, {5, 1000}, {33, 500}});
    ASSERT_TRUE(outraOrdem);
    EXPECT_EQ(outraOrdem->anual, cet->anual);
}

TEST(Cet, SemCustoESemRespostaFinita) {
    const auto zero = CalculaCet(1500, {{10, 1000}, {40, 500}});
    ASSERT_TRUE(zero);
    EXPECT_NEAR(static_cast<double>(zero->anual), 0, 1e-12);
    EXPECT_EQ(TextoCet(zero), "CET: 0,00% a.a. (0,00% a.m.)");
    // Every cheque due on the operation date: rate 0 when it is what was paid.
    EXPECT_TRUE(CalculaCet(1000, {{0, 600}, {0, 400}}));
    EXPECT_FALSE(CalculaCet(990, {{0, 1000}}));
    EXPECT_FALSE(CalculaCet(-5, {{30, 10}}));  // fees above the face value
    EXPECT_FALSE(CalculaCet(0, {{30, 10}}));
    EXPECT_FALSE(CalculaCet(100, {}));
    EXPECT_FALSE(CalculaCet(100, {{0, 100}, {30, 50}}));  // the day-0 cheque alone pays it
    EXPECT_FALSE(CalculaCet(100, {{30, -50}, {60, 200}}));
    EXPECT_EQ(TextoCet(std::nullopt), "CET: -");
}

TEST(Cet, ConcordaComOutraSolucaoEmMilharesDeOperacoes) {
    std::mt19937_64 gerador(20261209);
    std::uniform_int_distribution<int> quantos(1, 12), dias(0, 400);
    std::uniform_real_distribution<double> valor(1, 5000), custo(-0.05, 0.6);
    int comparadas = 0;
    for (int k = 0; k < 3000; ++k) {
        std::vector<FluxoCet> fluxos;
        long double total = 0;
        bool algumDepois = false;
        for (int i = quantos(gerador); i > 0; --i) {
            const FluxoCet x{dias(gerador), std::round(valor(gerador) * 100) / 100};
            fluxos.push_back(x);
            total += x.valor;
            algumDepois = algumDepois || x.dias > 0;
        }
        if (!algumDepois) continue;
        const long double recebido = total * (1 - custo(gerador));
        const auto cet = CalculaCet(recebido, fluxos);
        long double noDia = 0;
        for (const FluxoCet& x : fluxos) noDia += x.dias == 0 ? x.valor : 0;
        if (noDia >= recebido) {
            EXPECT_FALSE(cet) << k;
            continue;
        }
        ASSERT_TRUE(cet) << k;
        const double esperado = CetPorBissecao(static_cast<double>(recebido), fluxos);
        if (esperado > 1e7) continue;  // beyond the bisection's bracket
        EXPECT_NEAR(static_cast<double>(cet->anual), esperado, 0.005) << k;
        EXPECT_NEAR(static_cast<double>(cet->mensal), (std::pow(1 + esperado / 100, 1.0 / 12) - 1) * 100, 0.005) << k;
        ++comparadas;
    }
    EXPECT_GT(comparadas, 2000);
}

TEST(Cet, ContagemNegativaNaoTemCet) {
    // A count below zero puts a cheque before the operation: with it the
    // equation may have two roots or none, so no figure is given at all.
    EXPECT_FALSE(CalculaCet(1000, {{-36500, 600}, {30, 500}}));
    EXPECT_FALSE(CalculaCet(1000, {{30, 1100}, {-1, 1}}));
    EXPECT_FALSE(CalculaCet(100, {{-5, 0}, {30, 120}}));
    EXPECT_TRUE(CalculaCet(100, {{0, 0}, {30, 120}}));
}

TEST(Cet, TaxaMensalDeQualquerTaxaAnual) {
    // (1 + c)^(1/12) - 1 against expm1(log1p(c) / 12) in extended precision,
    // from a few percent a year to rates near the top of a double.
    for (long double dias : {365.0L, 30.0L, 10.0L, 3.0L, 1.0L}) {
        for (long double perda : {0.02L, 0.3L, 0.6L, 0.9L, 0.99L, 0.9999L}) {
            // One cheque of 100 due in `dias` days for 100 * (1 - perda) received.
            const long double recebido = 100 * (1 - perda);
            const auto cet = CalculaCet(recebido, {{static_cast<std::int64_t>(dias), 100}});
            const long double c = std::pow(100 / recebido, 365 / dias) - 1;
            if (c * 100 > 1e300L) {
                EXPECT_FALSE(cet) << dias << " " << perda;
                continue;
            }
            ASSERT_TRUE(cet) << dias << " " << perda;
            EXPECT_NEAR(static_cast<double>(cet->anual / (c * 100)), 1, 1e-12) << dias << " " << perda;
            const long double mensal = std::expm1(std::log1p(cet->anual / 100) / 12) * 100;
            EXPECT_NEAR(static_cast<double>(cet->mensal / mensal), 1, 1e-15) << dias << " " << perda;
        }
    }
    // 6,327e29 % a.a. is 20.637,98 % a.m.
    const long double recebido = 100 / std::pow(6.327e27L + 1, 3.0L / 365);
    const auto grande = CalculaCet(recebido, {{3, 100}});
    ASSERT_TRUE(grande);
    EXPECT_EQ(TextoCet(grande).substr(TextoCet(grande).find('(')), "(20.637,98% a.m.)");
}
