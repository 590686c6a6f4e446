// Each cheque's own figures after a discount: the worked examples line by
// line, and on generated operations the printed interests adding up to the
// "Juros" total, each within a cent of the cheque's own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "core/Calculos.h"
#include "core/ChequesCalculados.h"
#include "core/TaxaParaLiquido.h"
#include "core/Valores.h"

using namespace quantivo;

namespace {

Data D(int a, int m, int d) { return *CodificaData(a, m, d); }

Bancada Calculada(Bancada b) {
    MensageiroGravador msg;
    OutrasJanelas j;
    EXPECT_EQ(CalculaBancada(b, j, Contexto{msg, D(2026, 12, 9)}), Desfecho::Concluido);
    return b;
}

// 3 % (5 % for "Venda certa") a month, TAC 2 % (1 %), IOF 0,0041 % a day, 2,00 a cheque.
DadosGerais Dados(TipoCalculo tipo, Data referencia) {
    DadosGerais g;
    g.Tipo = tipo;
    g.DataReferencia = referencia;
    const bool venda = tipo == TipoCalculo::VendaPorFora;
    g.Taxa = venda ? "5" : "3";
    g.ValorFinanciado = venda ? "5000" : "0";
    g.TAC = venda ? 1 : 2;
    g.IOF = LeValor("0,0041");
    g.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    g.Tarifa = 2;
    return g;
}

Bancada Desconto() {
    Bancada b;
    b.dados = Dados(TipoCalculo::DescontoCheque, D(2007, 12, 28));
    b.linhas = {{"31/12/07", "1000", "", "", ""},
                {"", "77", "", "", ""},
                {"26/01/08", "500", "", "", ""},
                {"15/02/08", "2500,50", "", "", ""}};
    return b;
}

std::int64_t CentavosDosJuros(const Bancada& b) { return CentavosDoTexto(b.totais.Juros); }

}  // namespace

TEST(ChequesCalculados, ExemplosDosDoisDescontos) {
    const Bancada b = Calculada(Desconto());
    const auto c = ChequesCalculados(b, 2026);
    ASSERT_TRUE(c);
    ASSERT_EQ(c->size(), 3u);  // the row without a date is no cheque
    const std::size_t linhas[] = {0, 2, 3};
    const Data contados[] = {D(2008, 1, 2), D(2008, 1, 30), D(2008, 2, 18)};
    const std::int64_t dias[] = {5, 33, 52};
    const long double juros[] = {5, 16.5L, LeValor("130,026")};
    const std::int64_t centavos[] = {500, 1650, 13003};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ((*c)[i].linha, linhas[i]);
        EXPECT_EQ((*c)[i].contadoAte, contados[i]);
        EXPECT_EQ((*c)[i].dias, dias[i]);
        EXPECT_EQ(ParaDmil((*c)[i].juros), ParaDmil(juros[i]));
        EXPECT_EQ((*c)[i].jurosCentavos, centavos[i]);
    }
    EXPECT_EQ((*c)[2].vencimento, D(2008, 2, 15));
    EXPECT_EQ((*c)[2].valor, LeValor("2500,50"));

    // "Venda certa": 301,22 shared by 21, 33 and 47 days, which is each
    // cheque's 5 % a month for its own days on 1.789,44 (62,63 98,42 140,17).
    Bancada v;
    v.dados = Dados(TipoCalculo::VendaPorFora, D(2007, 6, 1));
    v.linhas = {{"20/06/07", "", "", "", ""}, {"30/06/07", "", "", "", ""}, {"15/07/07", "", "", "", ""}};
    v = Calculada(v);
    const auto cv = ChequesCalculados(v, 2026);
    ASSERT_TRUE(cv);
    ASSERT_EQ(cv->size(), 3u);
    EXPECT_EQ((*cv)[0].jurosCentavos, 6263);
    EXPECT_EQ((*cv)[1].jurosCentavos, 9842);
    EXPECT_EQ((*cv)[2].jurosCentavos, 14017);
    EXPECT_EQ((*cv)[1].contadoAte, D(2007, 7, 4));
    EXPECT_EQ((*cv)[1].valor, LeValor("1789,44"));
}

TEST(ChequesCalculados, SoDeUmDescontoCalculado) {
    Bancada b = Desconto();
    EXPECT_FALSE(ChequesCalculados(b, 2026));  // not calculated: its totals are the captions
    b = Calculada(b);
    Bancada outra = b;
    outra.linhas[0].Valor = "1001";  // the rows no longer give the totals shown
    EXPECT_FALSE(ChequesCalculados(outra, 2026));
    outra = b;
    outra.dados.Tipo = TipoCalculo::RenegociacaoDividas;
    EXPECT_FALSE(ChequesCalculados(outra, 2026));
}

// Many cheques of odd values, rates and days: the column of printed interests
// adds up to the total shown, and no cheque is off its own interest rounded
// by more than a cent.
TEST(ChequesCalculados, JurosImpressosSomamOTotal) {
    std::mt19937 g(20261210);
    const auto faixa = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
    for (int caso = 0; caso < 300; ++caso) {
        const bool venda = caso % 3 == 2;
        Bancada b;
        b.dados.DataReferencia = D(2007, 12, 28);
        b.dados.Tipo = venda ? TipoCalculo::VendaPorFora : TipoCalculo::DescontoCheque;
        b.dados.Taxa = std::to_string(faixa(0, 9)) + "," + std::to_string(faixa(0, 9999));
        b.dados.IOF = LeValor("0,0041");
        b.dados.Feriados = caso % 2 == 0;
        b.dados.IncluiCompensacao = caso % 5 != 0;
        b.dados.ValorFinanciado = std::to_string(faixa(1, 999999)) + "," + std::to_string(faixa(10, 99));
        b.linhas.clear();
        for (int n = faixa(1, 60), k = 0; k < n; ++k) {
            const std::string valor = std::to_string(faixa(1, 99999)) + "," + std::to_string(faixa(10, 99));
            b.linhas.push_back({FormataData(b.dados.DataReferencia + faixa(-3, 400)), venda ? "" : valor, "", "", ""});
        }
        b = Calculada(b);
        const auto c = ChequesCalculados(b, 2026);
        ASSERT_TRUE(c) << caso;
        std::int64_t soma = 0;
        for (const ChequeCalculado& ch : *c) {
            soma += ch.jurosCentavos;
            EXPECT_LE(std::llabs(ch.jurosCentavos - CentavosDoTexto(FormataValor(ch.juros))), 1) << caso;
        }
        EXPECT_EQ(soma, CentavosDosJuros(b)) << caso << " " << b.totais.Juros;
    }
}
