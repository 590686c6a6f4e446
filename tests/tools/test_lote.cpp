// The batch program's general rules: bad lines get the "pedido" error and the
// program goes on; an error after part of the action keeps what was written.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tools/batch/Batch.h"

using nlohmann::json;
using quantivo::batch::ProcessaLinha;

namespace {
json Responde(const std::string& linha) { return json::parse(ProcessaLinha(linha)); }
}  // namespace

TEST(Lote, PedidosRuinsRecebemErroDePedido) {
    const std::string ruins[] = {
        "",
        "não é json",
        "[1,2,3]",
        "{}",
        R"({"op": "nada"})",
        R"({"op": 5})",
        R"({"op": "desconto_cheque"})",
        R"({"op": "desconto_cheque", "dados": {}, "linhas": []})",
        R"({"op": "desconto_cheque", "hoje": "31/02/2007", "dados": {}, "linhas": []})",
        R"({"op": "desconto_cheque", "dados": {"DataReferencia": "28/12/07", "ValorFinanciado": "0", "Taxa": "3",
            "TAC": 2, "IOF": 0, "TipoTarifa": 0, "Tarifa": 2, "IncluiCompensacao": true}, "linhas": []})",
        R"({"op": "desconto_cheque", "dados": {"DataReferencia": "", "ValorFinanciado": "0", "Taxa": "3",
            "TAC": "2", "IOF": 0, "TipoTarifa": 0, "Tarifa": 2, "IncluiCompensacao": true}, "linhas": []})",
        R"({"op": "desconto_cheque", "dados": {"DataReferencia": "", "ValorFinanciado": "0", "Taxa": "3",
            "TAC": 2, "IOF": 0, "TipoTarifa": 7, "Tarifa": 2, "IncluiCompensacao": true}, "linhas": []})",
        R"({"op": "desconto_cheque", "dados": {"DataReferencia": "", "ValorFinanciado": "0", "Taxa": "3",
            "TAC": 2, "IOF": 0, "TipoTarifa": 0, "Tarifa": 2, "IncluiCompensacao": true}, "linhas": [{"Data": 5}]})",
        "{\"op\": \"desconto_cheque\", \"x\": \"\xff\xfe\"}",
        std::string(100000, '['),
    };
    for (const std::string& linha : ruins) {
        const json r = Responde(linha);
        ASSERT_TRUE(r.contains("erro")) << linha.substr(0, 80);
        EXPECT_EQ(r["erro"]["tipo"], "pedido") << linha.substr(0, 80);
    }
}

TEST(Lote, TextosEmUtf8EBytesEstranhosNasCelulas) {
    const json r = Responde(R"({"op": "desconto_cheque", "hoje": "09/12/2026", "dados": {"DataReferencia": "28/12/2007",
        "ValorFinanciado": "0", "Taxa": "3", "TAC": 0, "IOF": 0, "TipoTarifa": 0, "Tarifa": 0, "IncluiCompensacao": true},
        "linhas": [{"Data": "31/12/07", "Valor": "1000", "Emitente": "José da Conceição", "BancoNumero": "\u0000x"}]})");
    EXPECT_TRUE(r["erro"].is_null());
    EXPECT_EQ(r["linhas"][0]["Emitente"], "José da Conceição");
    EXPECT_EQ(r["linhas"][0]["BancoNumero"], std::string("\0x", 2));
}

// A negative charge would add to the net value while its label shows 0; the
// fields take no minus sign, and neither does the batch.
TEST(Lote, EncargoNegativoEhRecusado) {
    const std::string dados = R"("DataReferencia": "28/12/2007", "ValorFinanciado": "0", "Taxa": "3",
        "TipoTarifa": 0, "IncluiCompensacao": true)";
    const std::string linhas =
        R"("linhas": [{"Data": "31/12/07", "Valor": "1000"}, {"Data": "15/02/08", "Valor": "1800"}])";
    for (const char* op : {"desconto_cheque", "venda_por_fora"}) {
        for (const char* encargos : {R"("TAC": -1, "IOF": 0, "Tarifa": 0)", R"("TAC": 0, "IOF": -0.0041, "Tarifa": 0)",
                                     R"("TAC": 0, "IOF": 0, "Tarifa": -2)"}) {
            const json r = Responde(std::string(R"({"op": ")") + op + R"(", "dados": {)" + dados + ", " + encargos +
                                    "}, " + linhas + "}");
            ASSERT_TRUE(r.contains("erro")) << op << " " << encargos;
            EXPECT_EQ(r["erro"]["tipo"], "pedido") << op << " " << encargos;
            EXPECT_NE(r["erro"]["texto"].get<std::string>().find("negativo"), std::string::npos);
        }
        // Zero, and a value that the field's decimals bring to zero, are charges of 0.
        const json r = Responde(std::string(R"({"op": ")") + op + R"(", "dados": {)" + dados +
                                R"(, "TAC": -0.001, "IOF": 0, "Tarifa": 0}, )" + linhas + "}");
        EXPECT_TRUE(r["erro"].is_null()) << op << " " << r.dump();
    }
}
