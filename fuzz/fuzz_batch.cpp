// A quantivo-batch request line: whatever the bytes, ProcessaLinha answers
// with exactly one line holding one JSON object with "erro".
#include <string_view>

#include "Gerador.h"
#include "tools/batch/Batch.h"

using namespace quantivo;
using namespace quantivo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string_view linha(reinterpret_cast<const char*>(dados), tamanho);
    const std::string r = batch::ProcessaLinha(linha);
    Exige(!r.empty() && r.find('\n') == std::string::npos && r.find('\r') == std::string::npos,
          "resposta não é uma linha");
    batch::Json j;
    try {
        j = batch::Json::parse(r);
    } catch (const std::exception& e) {
        Falha("resposta não é JSON: " + r);
    }
    Exige(j.is_object() && j.contains("erro"), [&] { return "resposta sem erro: " + r; });
    const auto& erro = j["erro"];
    if (!erro.is_null()) {
        Exige(erro.is_object() && erro.contains("tipo") && erro["tipo"].is_string() && erro.contains("texto") &&
                  erro["texto"].is_string(),
              [&] { return "erro malformado: " + r; });
        const std::string tipo = erro["tipo"].get<std::string>();
        Exige(tipo == "pedido" || tipo == "conversao" || tipo == "aritmetica" || tipo == "faixa",
              [&] { return "tipo de erro: " + tipo; });
    } else {
        Exige(j.contains("mensagens") && j["mensagens"].is_array(), [&] { return "resposta sem mensagens: " + r; });
    }
    return 0;
}
