// Golden cases: every line of tests/golden/*.jsonl holds a request ("pedido")
// and the expected response ("resposta"), run through the batch program's own
// code path. The expected response may leave fields out; those given must match.
#include <gtest/gtest.h>

#include <cctype>
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

struct CasoGabarito {
    std::string nome;  // file:line and the case's description
    Json caso;
};

std::vector<CasoGabarito> LeCasos() {
    std::vector<fs::path> arquivos;
    for (const auto& e : fs::directory_iterator(QUANTIVO_GOLDEN_DIR))
        if (e.path().extension() == ".jsonl") arquivos.push_back(e.path());
    std::sort(arquivos.begin(), arquivos.end());
    std::vector<CasoGabarito> casos;
    for (const auto& arq : arquivos) {
        std::ifstream in(arq);
        std::string linha;
        int num = 0;
        while (std::getline(in, linha)) {
            ++num;
            if (linha.empty() || linha[0] == '#') continue;
            Json caso = Json::parse(linha);
            casos.push_back({arq.stem().string() + ":" + std::to_string(num) + " " + caso.value("caso", std::string()),
                             std::move(caso)});
        }
    }
    return casos;
}

void PrintTo(const CasoGabarito& c, std::ostream* os) { *os << c.nome; }

class Gabarito : public ::testing::TestWithParam<CasoGabarito> {};

}  // namespace

TEST_P(Gabarito, RespostaEsperada) {
    const Json& caso = GetParam().caso;
    const Json obtido = Json::parse(quantivo::batch::ProcessaLinha(caso.at("pedido").dump()));
    std::vector<std::string> erros;
    Compara(caso.at("resposta"), obtido, "resposta", erros);
    for (const auto& e : erros) ADD_FAILURE() << GetParam().nome << ": " << e;
}

// One test per case, named by its file and line (golden/listagem:4 is
// Casos/Gabarito.RespostaEsperada/listagem_4).
INSTANTIATE_TEST_SUITE_P(Casos, Gabarito, ::testing::ValuesIn(LeCasos()),
                         [](const ::testing::TestParamInfo<CasoGabarito>& i) {
                             std::string n;
                             for (char c : i.param.nome.substr(0, i.param.nome.find(' ')))
                                 n += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return n;
                         });

TEST(ArquivosDeGabarito, HaCasos) { EXPECT_GT(LeCasos().size(), 100u); }
