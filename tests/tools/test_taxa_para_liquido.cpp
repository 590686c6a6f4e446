// quantivo-batch's taxa_para_liquido on generated cheque lists and wanted
// nets: each answer recalculated with desconto_cheque at the rate given and
// at its two neighbours, 0,0001 up and down.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>

#include "core/Datas.h"
#include "tools/batch/Batch.h"

using nlohmann::json;

namespace {

json Responde(const json& pedido) { return json::parse(quantivo::batch::ProcessaLinha(pedido.dump())); }

// The cents an amount text shows ("-1.234,56").
long long Centavos(const std::string& texto) {
    long long c = 0;
    for (char ch : texto)
        if (ch >= '0' && ch <= '9') c = c * 10 + (ch - '0');
    return texto.find('-') == std::string::npos ? c : -c;
}

// "2,7345" as ten-thousandths of a percent, and back.
long long Passos(const std::string& taxa) {
    const std::size_t v = taxa.find(',');
    const std::string frac = v == std::string::npos ? "" : taxa.substr(v + 1);
    return std::stoll(taxa.substr(0, v)) * 10000 + (frac.empty() ? 0 : std::stoll((frac + "000").substr(0, 4)));
}
std::string Taxa(long long passos) {
    std::string frac = std::to_string(10000 + passos % 10000).substr(1);
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    return std::to_string(passos / 10000) + (frac.empty() ? "" : "," + frac);
}

json Sorteia(std::mt19937& g) {
    const auto u = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
    const quantivo::Data referencia = *quantivo::CodificaData(2008, 1, u(1, 28));
    json linhas = json::array();
    for (int i = u(1, 30); i > 0; --i) {
        // A few due before the operation date, a few dates that are none.
        const std::string data = u(0, 40) ? quantivo::FormataData(referencia + u(-3, 200)) : "31/02/08";
        linhas.push_back(
            {{"Data", data},
             {"Valor", std::to_string(u(0, 4) ? u(1, 5000) : u(5000, 90000)) + "," + std::to_string(u(10, 99))}});
    }
    return {{"hoje", "09/12/2026"},
            {"dados",
             {{"DataReferencia", quantivo::FormataDataLonga(referencia)},
              {"ValorFinanciado", "0"},
              {"Taxa", "3"},
              {"TAC", u(0, 1) ? u(0, 300) / 100.0 : 0},
              {"IOF", u(0, 2) * 0.0041},
              {"TipoTarifa", u(-1, 1)},
              {"Tarifa", u(0, 800) / 100.0},
              {"IncluiCompensacao", u(0, 1) == 1},
              {"Feriados", u(0, 2) == 0}}},
            {"feriados_locais", json::array({"20/01", "25/01"})},
            {"linhas", linhas}};
}

json Desconto(json pedido, long long passos) {
    pedido["op"] = "desconto_cheque";
    pedido["dados"]["Taxa"] = Taxa(passos);
    return Responde(pedido);
}

}  // namespace

TEST(TaxaParaLiquidoLote, NenhumaVizinhaChegaMaisPertoEForaDoAlcanceDizAFaixa) {
    std::mt19937 g(2026);
    int fora = 0, inexatas = 0;
    for (int caso = 0; caso < 200; ++caso) {
        json pedido = Sorteia(g);
        const long long alto = Centavos(Desconto(pedido, 0)["ValorFinanciado"]);
        const long long baixo = Centavos(Desconto(pedido, 1000000)["ValorFinanciado"]);
        const auto u = [&](long long a, long long b) { return std::uniform_int_distribution<long long>(a, b)(g); };
        const int tipo = static_cast<int>(u(0, 9));
        const long long w = tipo == 0   ? alto + u(1, 500)
                            : tipo == 1 ? baixo - u(1, 500)
                                        : u(std::max(0LL, baixo), alto);
        if (w < 0) continue;  // an amount text has no minus sign
        pedido["op"] = "taxa_para_liquido";
        pedido["LiquidoDesejado"] = std::to_string(w / 100) + "," + std::to_string(100 + w % 100).substr(1);
        const json r = Responde(pedido);
        const std::string onde = "caso " + std::to_string(caso) + ": " + pedido.dump();
        ASSERT_TRUE(r["erro"].is_null()) << onde << "\n" << r.dump();
        if (r["Taxa"].is_null()) {
            ++fora;
            EXPECT_TRUE(w > alto || w < baixo) << onde;
            ASSERT_EQ(r["mensagens"].size(), 1u) << onde;
            EXPECT_TRUE(r["diferenca"].is_null());
            continue;
        }
        const long long k = Passos(r["Taxa"]);
        EXPECT_EQ(Taxa(k), r["Taxa"]) << onde;
        const json aqui = Desconto(pedido, k);
        const long long d = Centavos(aqui["ValorFinanciado"]) - w;
        // The answer is the discount at that rate, its messages shown once.
        for (const char* campo : {"ValorFinanciado", "linhas", "rotulos", "CET", "mensagens"})
            EXPECT_EQ(r[campo], aqui[campo]) << onde << " " << campo;
        EXPECT_EQ(Centavos(r["diferenca"]), d) << onde;
        inexatas += d != 0;
        const auto longe = [&](long long passos) {
            return std::llabs(Centavos(Desconto(pedido, passos)["ValorFinanciado"]) - w);
        };
        if (k > 0) {
            EXPECT_GT(longe(k - 1), std::llabs(d)) << onde << " (a lower rate as near or nearer)";
        }
        if (k < 1000000) {
            EXPECT_GE(longe(k + 1), std::llabs(d)) << onde;
        }
    }
    EXPECT_GT(fora, 10);
    EXPECT_GT(inexatas, 20);
}
