#include <gtest/gtest.h>

#include "core/Renegociacao.h"
#include "core/Valores.h"

using namespace quantivo;

TEST(Renegociacao, TextosDeSaldoETaxa) {
    EXPECT_EQ(TextoSaldo(Segura(1045, 2) - Segura(45, 2)), "1000");
    EXPECT_EQ(TextoSaldo(Segura(1006.67L, 2) - Segura(100.1L, 2)), "906,57");
    EXPECT_EQ(TextoSaldo(Segura(1000, 2) - Segura(1045, 2)), "-45");
    EXPECT_EQ(TextoSaldo(0), "0");
    EXPECT_EQ(TextoTaxa(Segura(2.5L, 5)), "2,5");
    EXPECT_EQ(TextoTaxa(Segura(1.23456L, 5)), "1,23456");
    EXPECT_EQ(TextoTaxa(0), "");
}
