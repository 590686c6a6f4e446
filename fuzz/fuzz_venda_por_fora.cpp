// The inverse discount over arbitrary workbench states: random texts in every
// cell and field, random field values, flags and dates, any current date.
#include "Gerador.h"
#include "core/VendaPorFora.h"

using namespace quantivo;
using namespace quantivo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    FuzzedDataProvider f(dados, tamanho);
    const Data hoje = UmHoje(f);
    const Bancada antes = UmaBancada(f);
    Bancada b = antes;
    MensageiroGravador msgs;
    const Contexto ctx{msgs, hoje};
    SoErrosDoNucleo([&] { CalculaVendaPorFora(b, ctx); });
    Exige(b.linhas.size() == antes.linhas.size(), "a venda por fora mudou o número de linhas");
    BancadaLimpa(antes, b);
    return 0;
}
