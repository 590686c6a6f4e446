// The workbench's dispatch by type and how each calculation ends: the entry
// windows, the print action and quantivo-batch go on or stop by this alone.
#include <gtest/gtest.h>

#include "core/Calculos.h"

using namespace quantivo;

namespace {

Bancada Cheques(TipoCalculo tipo, std::vector<Parcela> linhas, std::string valorFinanciado = "0",
                std::string taxa = "3") {
    Bancada b;
    b.dados.DataReferencia = *CodificaData(2007, 12, 28);
    b.dados.Tipo = tipo;
    b.dados.ValorFinanciado = std::move(valorFinanciado);
    b.dados.Taxa = std::move(taxa);
    b.linhas = std::move(linhas);
    return b;
}

}  // namespace

TEST(CalculaBancada, CadaTipoDizComoTerminou) {
    const Parcela cheque{"31/12/07", "1000", "", "", ""};
    const Parcela semValor{"31/12/07", "", "", "", ""};
    const Parcela soValor{"", "99", "", "", ""};
    const struct {
        const char* caso;
        Bancada b;
        OutrasJanelas janelas;
        Desfecho esperado;
        std::size_t mensagens;
    } casos[] = {
        {"nenhum tipo", Cheques(TipoCalculo::Nenhum, {cheque}), {}, Desfecho::NadaAFazer, 0},
        {"desconto completo", Cheques(TipoCalculo::DescontoCheque, {cheque}), {}, Desfecho::Concluido, 0},
        {"desconto: linha datada sem valor",
         Cheques(TipoCalculo::DescontoCheque, {cheque, semValor}),
         {},
         Desfecho::Interrompido,
         1},
        {"desconto: nenhuma linha datada",
         Cheques(TipoCalculo::DescontoCheque, {soValor}),
         {},
         Desfecho::NadaAFazer,
         0},
        {"venda certa completa", Cheques(TipoCalculo::VendaPorFora, {semValor}, "1000"), {}, Desfecho::Concluido, 0},
        {"venda certa: financiado 0", Cheques(TipoCalculo::VendaPorFora, {cheque}), {}, Desfecho::Interrompido, 1},
        {"venda certa: encargos de 100% ou mais",
         Cheques(TipoCalculo::VendaPorFora, {semValor}, "1000", "1000"),
         {},
         Desfecho::Interrompido,
         1},
        {"venda certa: nenhuma data válida",
         Cheques(TipoCalculo::VendaPorFora, {soValor}, "1000"),
         {},
         Desfecho::NadaAFazer,
         0},
        {"price: dois valores em branco informa e segue",
         Cheques(TipoCalculo::PrestacaoTaxaEfetiva, {cheque}, "1000"),
         {JanelaPrice{0, 12, 2, 0}, 0},
         Desfecho::NadaAFazer,
         1},
        {"price: monta as parcelas",
         Cheques(TipoCalculo::PrestacaoTaxaEfetiva, {cheque}, "1000", "2"),
         {JanelaPrice{1000, 12, 2, 0}, 0},
         Desfecho::Concluido,
         0},
        {"renegociação acima do limite de prestações",
         Cheques(TipoCalculo::RenegociacaoDividas, {cheque}, "1000", "2"),
         {{}, kLimitePrestacoes + 1},
         Desfecho::Interrompido,
         1},
        {"renegociação completa",
         Cheques(TipoCalculo::RenegociacaoDividas, {cheque}, "1000", "2"),
         {{}, 12},
         Desfecho::Concluido,
         0},
    };
    for (auto c : casos) {
        MensageiroGravador msg;
        const Contexto ctx{msg, *CodificaData(2026, 12, 9)};
        EXPECT_EQ(CalculaBancada(c.b, c.janelas, ctx), c.esperado) << c.caso;
        EXPECT_EQ(msg.mensagens.size(), c.mensagens) << c.caso;
    }
}
