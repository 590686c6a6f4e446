// An operation's JSON form: what is written reads back as the same
// operation, and the workbench ops take it as their request.
#include <gtest/gtest.h>

#include "core/Calculos.h"
#include "core/Valores.h"
#include "output/OperacaoJson.h"
#include "tools/batch/Batch.h"

using namespace quantivo;

namespace {

Operacao DoTipo(TipoCalculo tipo) {
    Operacao op;
    DadosGerais& d = op.bancada.dados;
    d.Tipo = tipo;
    d.DataReferencia = *CodificaData(2007, 12, 28);
    d.Taxa = "3";
    // Values as the fields hold them, none of them exact in binary.
    d.TAC = Segura(0.1L, 2);
    d.IOF = Segura(0.0041L, 4);
    d.Tarifa = Segura(2.3L, 2);
    d.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    return op;
}

// A cheque discount with everything a clerk may give, calculated.
Operacao DescontoCompleto() {
    Operacao op = DoTipo(TipoCalculo::DescontoCheque);
    DadosGerais& d = op.bancada.dados;
    d.IncluiCompensacao = false;
    d.Feriados = true;
    d.FeriadosLocais = {*LeFeriadoLocal("20/01 São Sebastião"), *LeFeriadoLocal("15/08/2008")};
    Parcela lido{"31/12/07", "1000", "237/0494/001793", "José da Conceição", ""};
    lido.CMC7 = "<23704948<0180017935>377506100112:";
    lido.Documento = "12.ABC.345/01DE-35";
    Parcela digitado{"26/01/08", "500,50", "", "", ""};
    digitado.Documento = "111.444.777-35";
    op.bancada.linhas = {lido, digitado, Parcela{}};
    op.tipoTarifaTexto = "por cheque";
    op.cliente = {"Comércio Ação Ltda", "11.222.333/0001-81"};
    MensageiroGravador msgs;
    EXPECT_EQ(CalculaOperacao(op, {msgs, *CodificaData(2026, 12, 9)}), Desfecho::Concluido);
    EXPECT_TRUE(op.bancada.cet);
    return op;
}

Operacao Price() {
    Operacao op = DoTipo(TipoCalculo::PrestacaoTaxaEfetiva);
    op.bancada.dados.DataReferencia = kDataNula;
    op.bancada.dados.ValorFinanciado = "1000";
    op.janelas.prestacao = {Segura(1000.1L, 2), 12, Segura(2.12345L, 5), 0};
    return op;
}

Operacao Renegociacao() {
    Operacao op = DoTipo(TipoCalculo::RenegociacaoDividas);
    op.bancada.dados.ValorFinanciado = "2675,54";
    op.janelas.qtdParcelas = 12;
    return op;
}

Operacao SemTipo() {
    Operacao op = DoTipo(TipoCalculo::Nenhum);
    op.bancada.dados.TipoTarifa = TipoDeTarifa::Nenhuma;
    op.tipoTarifaTexto = "";
    return op;
}

nlohmann::json Responde(const JsonExato& pedido) {
    return nlohmann::json::parse(batch::ProcessaLinha(TextoJson(pedido)));
}

}  // namespace

TEST(OperacaoJson, EscritaLidaDevolveAMesmaOperacao) {
    for (const Operacao& op : {DescontoCompleto(), Price(), Renegociacao(), SemTipo()}) {
        const std::string texto = TextoJson(PedidoDaOperacao(op));
        Operacao esperada = op;
        esperada.bancada.cet.reset();  // figures the calculation finds again
        EXPECT_TRUE(OperacaoDoPedido(JsonExato::parse(texto)) == esperada) << texto;

        // The workbench op of its type takes the form as its request.
        const TipoOperacao* tipo = DescricaoDoTipo(op.bancada.dados.Tipo);
        if (!tipo) continue;
        JsonExato pedido = PedidoDaOperacao(op);
        pedido["op"] = tipo->op;
        pedido["hoje"] = "09/12/2026";
        const nlohmann::json r = Responde(pedido);
        EXPECT_TRUE(r["erro"].is_null()) << r.dump();
        EXPECT_EQ(r.contains("CET"), tipo->cet) << tipo->op;
        EXPECT_EQ(r.contains("janela"), tipo->leJanelaPrestacao) << tipo->op;
    }
}

TEST(OperacaoJson, ClienteECamposDaLinhaMalFormados) {
    JsonExato base = PedidoDaOperacao(DoTipo(TipoCalculo::DescontoCheque));
    base["op"] = "desconto_cheque";
    const struct {
        const char* campo;
        JsonExato valor;
        const char* texto;
    } casos[] = {
        {"cliente", "Fulano", "cliente deve ser um objeto"},
        {"cliente", {{"nome", 5}}, "campo não é texto: nome"},
        {"cliente", {{"documento", false}}, "campo não é texto: documento"},
        {"linhas", JsonExato::array({{{"Data", "31/12/07"}, {"CMC7", 237}}}), "campo não é texto: CMC7"},
        {"linhas", JsonExato::array({{{"Documento", false}}}), "campo não é texto: Documento"},
    };
    for (const auto& c : casos) {
        JsonExato pedido = base;
        pedido[c.campo] = c.valor;
        const nlohmann::json r = Responde(pedido);
        EXPECT_EQ(r["erro"], (nlohmann::json{{"tipo", "pedido"}, {"texto", c.texto}})) << TextoJson(pedido);
    }
    // None is required, null is "not given", and none changes an answer.
    base.erase("cliente");
    JsonExato comCliente = base;
    comCliente["cliente"] = {{"nome", "Fulano"}, {"documento", nullptr}};
    comCliente["linhas"][0]["CMC7"] = nullptr;
    EXPECT_EQ(batch::ProcessaLinha(TextoJson(comCliente)), batch::ProcessaLinha(TextoJson(base)));
}
