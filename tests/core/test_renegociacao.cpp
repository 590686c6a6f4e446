#include <gtest/gtest.h>

#include "core/Renegociacao.h"
#include "core/Valores.h"

using namespace quantivo;

namespace {
Data D(int a, int m, int d) { return *CodificaData(a, m, d); }
}

TEST(Renegociacao, AtualizaDivida) {
    const struct {
        long double divida, taxa;
        Data vencimento, atualizacao;
        std::int64_t dias;
        long double campo;  // what the updated-value field holds
    } casos[] = {
        {1000, 3, D(2008, 3, 1), D(2008, 4, 15), 45, 1045},
        {1000, 2, D(2008, 3, 1), D(2008, 3, 11), 10, 1006.67L},
        {2500.5L, 4.5L, D(2008, 3, 1), D(2008, 3, 18), 17, 2564.26L},  // 2564,26275 held to 2564,26
        {0, 3, D(2008, 3, 1), D(2008, 4, 15), 45, 0},
        {1000, 3, D(2008, 3, 1), D(2008, 3, 2), 1, 1001},
    };
    for (const auto& c : casos) {
        MensageiroGravador msg;
        const auto r = AtualizaDivida(Segura(c.divida, 2), c.vencimento, Segura(c.taxa, 5), c.atualizacao,
                                      Contexto{msg, D(2026, 12, 9)});
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->dias, c.dias);
        EXPECT_EQ(Segura(r->valor, 2), Segura(c.campo, 2)) << static_cast<double>(r->valor);
        EXPECT_TRUE(msg.mensagens.empty());
    }
}

TEST(Renegociacao, AtualizaDividaRecusa) {
    const struct {
        Data vencimento, atualizacao;
        const char* mensagem;
    } casos[] = {
        {D(2008, 4, 15), D(2008, 4, 15), kMsgVencimentoMenor},
        {D(2008, 4, 16), D(2008, 4, 15), kMsgVencimentoMenor},
        {kDataNula, D(2008, 4, 15), kMsgInformeVencimento},
        {D(2008, 4, 15), kDataNula, kMsgInformeAtualizacao},
        {kDataNula, kDataNula, kMsgInformeVencimento},
    };
    for (const auto& c : casos) {
        MensageiroGravador msg;
        EXPECT_FALSE(AtualizaDivida(1000, c.vencimento, 3, c.atualizacao, Contexto{msg, D(2026, 12, 9)}));
        EXPECT_EQ(msg.Textos(), std::vector<std::string>{c.mensagem});
    }
}

TEST(Renegociacao, TextosDeSaldoETaxa) {
    EXPECT_EQ(TextoSaldo(Segura(1045, 2) - Segura(45, 2)), "1000");
    EXPECT_EQ(TextoSaldo(Segura(1006.67L, 2) - Segura(100.1L, 2)), "906,57");
    EXPECT_EQ(TextoSaldo(Segura(1000, 2) - Segura(1045, 2)), "-45");
    EXPECT_EQ(TextoSaldo(0), "0");
    EXPECT_EQ(TextoTaxa(Segura(2.5L, 5)), "2,5");
    EXPECT_EQ(TextoTaxa(Segura(1.23456L, 5)), "1,23456");
    EXPECT_EQ(TextoTaxa(0), "");
}

TEST(Renegociacao, SaldoNegativoPerdeOSinal) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    Bancada b;
    b.dados.DataReferencia = D(2008, 4, 15);
    b.dados.ValorFinanciado = TextoSaldo(-1000);
    b.dados.Taxa = TextoTaxa(2);
    ASSERT_TRUE(CalculaRenegociacao(b, 12, ctx));
    EXPECT_EQ(b.linhas.size(), 12u);
    EXPECT_EQ(b.linhas[11], (Parcela{"15/04/09", "94,56", "", "", ""}));
    EXPECT_EQ(b.totais.ValorTotal, "1.134,72");
}
