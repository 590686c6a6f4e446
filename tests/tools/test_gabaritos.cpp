// Golden cases: every line of tests/golden/*.jsonl holds a request ("pedido")
// and the expected response ("resposta"), run through the batch program's own
// code path. The expected response may leave fields out; those given must
// match as the program writes them: texts as texts, numbers token for token
// (83.648291962652451 is not 83.64829196265245, though a double cannot tell).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <filesystem>
#include <fstream>

#include "tools/batch/Batch.h"

namespace fs = std::filesystem;

namespace {

// A line read with every scalar kept as written: a text becomes "t" + the
// text, a number "n" + its token; objects, arrays, booleans and null stay.
using Json = nlohmann::json;

class LeitorDeTokens {
public:
    explicit LeitorDeTokens(Json& raiz) : dom_(raiz) {}
    bool null() { return dom_.null(); }
    bool boolean(bool b) { return dom_.boolean(b); }
    bool number_integer(Json::number_integer_t v) { return Token("n" + std::to_string(v)); }
    bool number_unsigned(Json::number_unsigned_t v) { return Token("n" + std::to_string(v)); }
    // The reader's token holds the process locale's decimal point (it reads
    // the number with strtod): the JSON one is put back.
    bool number_float(Json::number_float_t, const std::string& escrito) {
        std::string t = "n" + escrito;
        std::replace(t.begin(), t.end(), *std::localeconv()->decimal_point, '.');
        return Token(std::move(t));
    }
    bool string(std::string& s) { return Token("t" + s); }
    bool binary(Json::binary_t& b) { return dom_.binary(b); }
    bool start_object(std::size_t n) { return dom_.start_object(n); }
    bool key(std::string& k) { return dom_.key(k); }
    bool end_object() { return dom_.end_object(); }
    bool start_array(std::size_t n) { return dom_.start_array(n); }
    bool end_array() { return dom_.end_array(); }
    bool parse_error(std::size_t p, const std::string& t, const nlohmann::detail::exception& e) {
        return dom_.parse_error(p, t, e);
    }

private:
    bool Token(std::string t) { return dom_.string(t); }
    nlohmann::detail::json_sax_dom_parser<Json> dom_;
};

Json LeTokens(const std::string& linha) {
    Json j;
    LeitorDeTokens leitor(j);
    Json::sax_parse(linha, &leitor);
    return j;
}

// Back to JSON text, each number as it was written.
std::string Escreve(const Json& j) {
    if (j.is_string()) {
        const std::string& s = j.get_ref<const std::string&>();
        return s[0] == 'n' ? s.substr(1) : Json(s.substr(1)).dump();
    }
    std::string out;
    if (j.is_object()) {
        for (auto it = j.begin(); it != j.end(); ++it)
            out += (out.empty() ? "{" : ",") + Json(it.key()).dump() + ":" + Escreve(it.value());
        return out.empty() ? "{}" : out + "}";
    }
    if (j.is_array()) {
        for (const Json& e : j) out += (out.empty() ? "[" : ",") + Escreve(e);
        return out.empty() ? "[]" : out + "]";
    }
    return j.dump();
}

// Compares `esperado` against `obtido`: objects by the keys of `esperado`,
// arrays element by element, everything else exactly.
void Compara(const Json& esperado, const Json& obtido, const std::string& caminho, std::vector<std::string>& erros) {
    const auto difere = [&] {
        erros.push_back(caminho + ": esperado " + Escreve(esperado) + ", obtido " + Escreve(obtido));
    };
    if (esperado.is_object()) {
        if (!obtido.is_object()) return difere();
        for (auto it = esperado.begin(); it != esperado.end(); ++it) {
            const auto o = obtido.find(it.key());
            if (o == obtido.end()) {
                erros.push_back(caminho + "." + it.key() + ": ausente");
                continue;
            }
            Compara(it.value(), *o, caminho + "." + it.key(), erros);
        }
    } else if (esperado.is_array()) {
        if (!obtido.is_array() || obtido.size() != esperado.size()) return difere();
        for (std::size_t i = 0; i < esperado.size(); ++i)
            Compara(esperado[i], obtido[i], caminho + "[" + std::to_string(i) + "]", erros);
    } else if (esperado != obtido) {
        difere();
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
            Json caso = LeTokens(linha);
            const std::string descricao = caso.value("caso", std::string("t")).substr(1);
            casos.push_back({arq.stem().string() + ":" + std::to_string(num) + " " + descricao, std::move(caso)});
        }
    }
    return casos;
}

void PrintTo(const CasoGabarito& c, std::ostream* os) { *os << c.nome; }

class Gabarito : public ::testing::TestWithParam<CasoGabarito> {};

}  // namespace

TEST_P(Gabarito, RespostaEsperada) {
    const Json& caso = GetParam().caso;
    // The request goes as written too: its numbers' digits are what the
    // program holds.
    const Json obtido = LeTokens(quantivo::batch::ProcessaLinha(Escreve(caso.at("pedido"))));
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

// The comparison itself: a digit past a double's precision, or a number
// where a text was, is a difference.
TEST(ArquivosDeGabarito, NumerosComparadosComoEscritos) {
    std::vector<std::string> erros;
    const auto compara = [&](const char* esperado, const char* obtido) {
        erros.clear();
        Compara(LeTokens(esperado), LeTokens(obtido), "r", erros);
        return erros.empty();
    };
    EXPECT_TRUE(compara(R"({"a":83.648291962652451})", R"({"b":"x","a":83.648291962652451})"));
    EXPECT_FALSE(compara(R"({"a":83.64829196265245})", R"({"a":83.648291962652451})"));
    ASSERT_EQ(erros.size(), 1u);
    EXPECT_EQ(erros[0], "r.a: esperado 83.64829196265245, obtido 83.648291962652451");
    EXPECT_FALSE(compara(R"({"a":[1.5]})", R"({"a":[1.50]})"));
    EXPECT_FALSE(compara(R"({"a":5})", R"({"a":"5"})"));
    EXPECT_FALSE(compara(R"({"a":null})", R"({"a":0})"));
}
