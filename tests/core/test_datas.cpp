#include <gtest/gtest.h>

#include "core/Datas.h"
#include "core/Erros.h"
#include "core/Mensagens.h"

using namespace quantivo;

namespace {
Data D(int a, int m, int d) { return *CodificaData(a, m, d); }
}

TEST(Datas, DiaZeroEhTrintaDeDezembroDe1899) {
    EXPECT_EQ(D(1899, 12, 30), 0);
    EXPECT_EQ(FormataDataLonga(0), "30/12/1899");
    EXPECT_EQ(D(2008, 1, 31), 39478);
    EXPECT_EQ(DiaDaSemana(D(2007, 12, 28)), 6);  // Friday
    EXPECT_EQ(DiaDaSemana(0), 7);                // Saturday
}
