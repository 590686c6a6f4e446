#include <gtest/gtest.h>

#include "core/DescontoCheque.h"
#include "core/Erros.h"
#include "core/Valores.h"

using namespace quantivo;

namespace {

Bancada Exemplo() {
    Bancada b;
    b.dados.DataReferencia = *CodificaData(2007, 12, 28);
    b.dados.Taxa = "3";
    b.dados.TAC = 2;
    b.dados.IOF = LeValor("0,0041");
    b.dados.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    b.dados.Tarifa = 2;
    b.linhas = {{"31/12/07", "1000", "001/123", "Ana", ""},
                {"26/01/08", "500", "", "", ""},
                {"15/02/08", "2500,50", "", "", ""}};
    return b;
}

}  // namespace

TEST(DescontoCheque, ExemploCompletoERepetivel) {
    MensageiroGravador msg;
    const Contexto ctx{msg, *CodificaData(2026, 12, 9)};
    Bancada b = Exemplo();
    CalculaDescontoCheque(b, ctx);
    const Bancada primeira = b;
    EXPECT_EQ(b.totais.ValorTotal, "4.000,50");
    EXPECT_EQ(b.totais.TAC, "TAC   = 80,01");
    EXPECT_EQ(b.totais.IOF, "IOF   = 4,92");
    EXPECT_EQ(b.totais.Juros, "Juros = 151,53");
    EXPECT_EQ(b.totais.Tarifa, "Tarifa= 6,00");
    EXPECT_EQ(b.dados.ValorFinanciado, "3.758,04");
    EXPECT_EQ(b.linhas[0].Dias, "5");
    EXPECT_EQ(b.linhas[1].Dias, "33");
    EXPECT_EQ(b.linhas[2].Dias, "52");
    EXPECT_EQ(b.linhas[0].BancoNumero, "001/123");  // carried, never touched
    EXPECT_EQ(b.linhas[0].Emitente, "Ana");
    // Day counts are recomputed from the dates: a second run changes nothing.
    b.linhas[1].Dias = "999";
    CalculaDescontoCheque(b, ctx);
    EXPECT_EQ(b.linhas, primeira.linhas);
    EXPECT_EQ(b.dados.ValorFinanciado, primeira.dados.ValorFinanciado);
    EXPECT_TRUE(msg.mensagens.empty());
}

TEST(DescontoCheque, ErroAritmeticoNaoEscreveTotais) {
    MensageiroGravador msg;
    const Contexto ctx{msg, *CodificaData(2026, 12, 9)};
    Bancada b = Exemplo();
    b.linhas[2].Valor = std::string(400, '9');  // finite in extended, not in a double
    b.dados.Taxa = "0";                         // no interest, so the fixed point is not reached first
    EXPECT_THROW(CalculaDescontoCheque(b, ctx), ErroAritmetico);
    EXPECT_EQ(b.linhas[2].Dias, "52");
    EXPECT_EQ(b.totais.Juros, "Juros:");
    EXPECT_EQ(b.dados.ValorFinanciado, "0");
}
