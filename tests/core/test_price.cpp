#include <gtest/gtest.h>

#include <cmath>

#include "core/Erros.h"
#include "core/Price.h"
#include "core/Renegociacao.h"

using namespace quantivo;

namespace {
Data D(int a, int m, int d) { return *CodificaData(a, m, d); }

Bancada BancadaComLinhas() {
    Bancada b;
    b.dados.DataReferencia = D(2008, 4, 15);
    b.dados.ValorFinanciado = "1000";
    b.dados.Taxa = "2";
    b.linhas = {Parcela{"01/01/08", "5", "x", "y", "3"}, Parcela{"02/01/08", "", "", "", ""}};
    b.totais.ValorTotal = "9,00";
    return b;
}

void EsperaIntacta(const Bancada& b) {
    const Bancada antes = BancadaComLinhas();
    EXPECT_EQ(b.linhas, antes.linhas);
    EXPECT_TRUE(b.totais == antes.totais);
}
}  // namespace

TEST(Price, PotenciaPorQuadrados) {
    EXPECT_EQ(Potencia(1.02L, 0), 1.0L);
    EXPECT_EQ(Potencia(0.0L, 0), 1.0L);
    EXPECT_EQ(Potencia(2.0L, 10), 1024.0L);
    EXPECT_EQ(Potencia(2.0L, -2), 0.25L);
    EXPECT_EQ(Potencia(-3.0L, 3), -27.0L);
    // The same products in the same order as the bit walk: q^12 = q^4 * q^8.
    const long double q = 1.02L;
    const long double q2 = q * q, q4 = q2 * q2, q8 = q4 * q4;
    EXPECT_EQ(Potencia(q, 12), q4 * q8);
    EXPECT_EQ(Potencia(q, -12), 1 / (q4 * q8));
    // The running factor is not squared after the last bit, so a huge base to
    // the first power does not overflow.
    EXPECT_EQ(Potencia(1e4000L, 1), 1e4000L);
    EXPECT_THROW(Potencia(1e4000L, 2), ErroAritmetico);
    EXPECT_THROW(Potencia(2.0L, 20000), ErroAritmetico);
    EXPECT_THROW(Potencia(2.0L, INT64_MIN), ErroAritmetico);
    // Underflow is no error; its reciprocal divides by zero.
    EXPECT_EQ(Potencia(0.5L, 20000), 0.0L);
    EXPECT_THROW(Potencia(0.5L, -20000), ErroAritmetico);
}

TEST(Price, TaxaFracaoConsideraDuasCasasDoPercentual) {
    const struct {
        long double taxa;
        Dmil fracao;
    } casos[] = {
        {2.5L, 250}, {2, 200},    {1.994L, 199}, {2.345L, 234}, {1.995L, 200}, {0.006L, 1},
        {0.005L, 0}, {0.004L, 0}, {0, 0},        {-2.5L, -250}, {100, 10000},  {0.015L, 2},
    };
    // The rates come in as a five-decimal field holds them.
    for (const auto& c : casos) EXPECT_EQ(TaxaFracao(Segura(c.taxa, 5)), c.fracao) << static_cast<double>(c.taxa);
}

TEST(Price, VencimentoMensal) {
    const struct {
        Data ref;
        std::vector<const char*> datas;
    } casos[] = {
        {D(2007, 11, 15), {"15/12/07", "15/01/08", "15/02/08"}},
        {D(2008, 1, 31), {"29/02/08", "31/03/08", "30/04/08", "31/05/08"}},
        {D(2008, 2, 29), {"29/03/08", "29/04/08"}},
        {D(2023, 8, 31), {"30/09/23", "31/10/23", "30/11/23", "31/12/23", "31/01/24", "29/02/24"}},
    };
    for (const auto& c : casos) {
        const auto datas = Vencimentos(c.ref, static_cast<std::int64_t>(c.datas.size()));
        ASSERT_EQ(datas.size(), c.datas.size());
        for (std::size_t k = 0; k < datas.size(); ++k) {
            EXPECT_EQ(FormataData(datas[k]), c.datas[k]);
            EXPECT_EQ(datas[k], VencimentoMensal(c.ref, static_cast<std::int64_t>(k) + 1));
        }
    }
    EXPECT_EQ(FormataDataLonga(VencimentoMensal(D(2008, 1, 31), 13)), "28/02/2009");
    EXPECT_TRUE(Vencimentos(D(2008, 1, 31), 0).empty());
    EXPECT_TRUE(Vencimentos(D(2008, 1, 31), -5).empty());
    EXPECT_NO_THROW(Vencimentos(D(9999, 11, 30), 1));
    EXPECT_THROW(Vencimentos(D(9999, 11, 30), 2), ErroAritmetico);
}

TEST(Price, MontaParcelas) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    Bancada b = BancadaComLinhas();
    ASSERT_EQ(MontaParcelas(b, D(2007, 11, 15), 2183546, 5, ctx), Desfecho::Concluido);
    ASSERT_EQ(b.linhas.size(), 5u);
    EXPECT_EQ(b.linhas[0], (Parcela{"15/12/07", "218,35", "", "", ""}));
    EXPECT_EQ(b.linhas[4], (Parcela{"15/04/08", "218,35", "", "", ""}));
    EXPECT_EQ(b.totais.ValorTotal, "1.091,77");  // 5 x 218,3546, not the shown rows' sum
    EXPECT_EQ(b.totais.TAC, "TAC:");

    ASSERT_EQ(MontaParcelas(b, D(2007, 11, 15), 2183546, -2, ctx), Desfecho::Concluido);
    EXPECT_EQ(b.linhas, std::vector<Parcela>(1));
    EXPECT_EQ(b.totais.ValorTotal, "0,00");
    EXPECT_TRUE(msg.mensagens.empty());
}

TEST(Price, LimiteDePrestacoesNaoEscreveNada) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    Bancada b = BancadaComLinhas();
    EXPECT_EQ(MontaParcelas(b, D(2008, 4, 15), 100, kLimitePrestacoes + 1, ctx), Desfecho::Interrompido);
    EsperaIntacta(b);
    EXPECT_EQ(msg.Textos(), std::vector<std::string>{kMsgLimitePrestacoes});
    // 100000 months from 2008 would pass the year 9999; from the year 100 they do not.
    EXPECT_EQ(MontaParcelas(b, D(100, 1, 1), 100, kLimitePrestacoes, ctx), Desfecho::Concluido);
    EXPECT_EQ(b.linhas.size(), static_cast<std::size_t>(kLimitePrestacoes));
}

// Every failure of the schedule comes before the first cell is written.
TEST(Price, ErroAntesDeEscrever) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    const struct {
        const char* caso;
        std::function<void(Bancada&)> acao;
    } casos[] = {
        {"total fora da faixa", [&](Bancada& b) { MontaParcelas(b, D(2008, 4, 15), INT64_MAX / 2, 3, ctx); }},
        {"data além de 9999", [&](Bancada& b) { MontaParcelas(b, D(9999, 1, 1), 100, 12, ctx); }},
        {"taxa 0 na renegociação",
         [&](Bancada& b) {
             b.dados.Taxa = "0,004";
             CalculaRenegociacao(b, 12, ctx);
         }},
        {"zero prestações na renegociação", [&](Bancada& b) { CalculaRenegociacao(b, 0, ctx); }},
        {"prestações além de 64 bits", [&](Bancada& b) { CalculaRenegociacao(b, 1e19L, ctx); }},
        {"taxa 0 no CalculaPrice",
         [&](Bancada& b) {
             JanelaPrice j{1000, 12, 2, 0};
             b.dados.Taxa = "0";
             CalculaPrice(b, j, ctx);
         }},
    };
    for (const auto& c : casos) {
        Bancada b = BancadaComLinhas();
        EXPECT_THROW(c.acao(b), ErroAritmetico) << c.caso;
        EsperaIntacta(b);
    }
    EXPECT_TRUE(msg.mensagens.empty());
}

TEST(Price, CalculaPrice) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    Bancada b = BancadaComLinhas();

    JanelaPrice j{0, 12, 2, 100};
    EXPECT_EQ(CalculaPrice(b, j, ctx), Desfecho::Concluido);
    EXPECT_EQ(j.ValorFinanciado, Segura(1057.53L, 2));
    EsperaIntacta(b);

    // Nothing blank any more: the message, and the caller goes on.
    EXPECT_EQ(CalculaPrice(b, j, ctx), Desfecho::NadaAFazer);
    EXPECT_EQ(msg.Textos(), std::vector<std::string>{kMsgUmValorEmBranco});

    j = JanelaPrice{1000, 0, 2, 94.56L};
    EXPECT_EQ(CalculaPrice(b, j, ctx), Desfecho::NadaAFazer);
    EsperaIntacta(b);

    // The schedule uses the workbench's value and rate, not the window's.
    j = JanelaPrice{1, 12, 9, 0};
    EXPECT_EQ(CalculaPrice(b, j, ctx), Desfecho::Concluido);
    EXPECT_EQ(b.linhas.size(), 12u);
    EXPECT_EQ(b.linhas[0].Valor, "94,56");
    EXPECT_EQ(b.totais.ValorTotal, "1.134,72");
    EXPECT_EQ(j.VlrPrestacao, 0);
}

TEST(Price, CalculaPostecipada) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    JanelaPrice j{1000, 12, 2, 0};
    EXPECT_EQ(CalculaPostecipada(j, ctx), Desfecho::Concluido);
    EXPECT_EQ(j.VlrPrestacao, Segura(94.56L, 2));
    EXPECT_EQ(CalculaPostecipada(j, ctx), Desfecho::NadaAFazer);

    j = JanelaPrice{0, 12, 2, 100};
    EXPECT_EQ(CalculaPostecipada(j, ctx), Desfecho::Concluido);
    EXPECT_EQ(j.ValorFinanciado, Segura(1057.53L, 2));

    j = JanelaPrice{1000, 12, 0.004L, 0};
    EXPECT_THROW(CalculaPostecipada(j, ctx), ErroAritmetico);
    EXPECT_EQ(j.VlrPrestacao, 0);
    EXPECT_EQ(msg.mensagens.size(), 1u);
}
