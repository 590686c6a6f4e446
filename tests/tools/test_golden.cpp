// Golden cases: every line of tests/golden/*.jsonl holds a request ("pedido")
// and the expected response ("resposta"), run through the batch program's own
// code path. The expected response may leave fields out; those given must match.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/batch/Batch.h"

using Json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

// Compares `esperado` against `obtido`: objects by the keys of `esperado`,
// arrays element by element, everything else exactly.
void Compara(const Json& esperado, const Json& obtido, const std::string& caminho, std::vector<std::string>& erros) {
    if (esperado.is_object()) {
        if (!obtido.is_object()) {
            erros.push_back(caminho + ": esperado objeto, obtido " + obtido.dump());
            return;
        }
        for (auto it = esperado.begin(); it != esperado.end(); ++it) {
            const auto o = obtido.find(it.key());
            if (o == obtido.end()) {
                erros.push_back(caminho + "." + it.key() + ": ausente");
                continue;
            }
            Compara(it.value(), *o, caminho + "." + it.key(), erros);
        }
    } else if (esperado.is_array()) {
        if (!obtido.is_array() || obtido.size() != esperado.size()) {
            erros.push_back(caminho + ": esperado " + esperado.dump() + ", obtido " + obtido.dump());
            return;
        }
        for (std::size_t i = 0; i < esperado.size(); ++i)
            Compara(esperado[i], obtido[i], caminho + "[" + std::to_string(i) + "]", erros);
    } else if (esperado.is_number() && obtido.is_number()) {
        if (esperado.get<double>() != obtido.get<double>())
            erros.push_back(caminho + ": esperado " + esperado.dump() + ", obtido " + obtido.dump());
    } else if (esperado != obtido) {
        erros.push_back(caminho + ": esperado " + esperado.dump() + ", obtido " + obtido.dump());
    }
}

}  // namespace

TEST(Golden, TodosOsCasos) {
    std::vector<fs::path> arquivos;
    for (const auto& e : fs::directory_iterator(QUANTIVO_GOLDEN_DIR))
        if (e.path().extension() == ".jsonl") arquivos.push_back(e.path());
    std::sort(arquivos.begin(), arquivos.end());
    ASSERT_FALSE(arquivos.empty());
    int casos = 0;
    for (const auto& arq : arquivos) {
        std::ifstream in(arq);
        std::string linha;
        int num = 0;
        while (std::getline(in, linha)) {
            ++num;
            if (linha.empty() || linha[0] == '#') continue;
            const Json caso = Json::parse(linha);
            const std::string nome = arq.filename().string() + ":" + std::to_string(num) + " " +
                                     caso.value("caso", std::string());
            const Json obtido = Json::parse(quantivo::batch::ProcessaLinha(caso.at("pedido").dump()));
            std::vector<std::string> erros;
            Compara(caso.at("resposta"), obtido, "resposta", erros);
            for (const auto& e : erros) ADD_FAILURE() << nome << ": " << e;
            ++casos;
        }
    }
    EXPECT_GT(casos, 0);
}
