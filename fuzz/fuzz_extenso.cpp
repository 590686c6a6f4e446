// The words: ValorExtenso over any double (only the range error may leave it),
// NumeroExtenso over any 32-bit number, the dates in words over any date and
// current year, the weekday of any text.
#include <cstring>

#include "Gerador.h"
#include "core/UtbSys.h"

using namespace quantivo;
using namespace quantivo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    FuzzedDataProvider f(dados, tamanho);
    double valor;
    if (f.ConsumeBool()) {
        // Every bit pattern: NaN, infinities, subnormals, negative zero.
        const auto bits = f.ConsumeIntegral<std::uint64_t>();
        std::memcpy(&valor, &bits, sizeof valor);
    } else {
        valor = f.ConsumeIntegralInRange<std::int64_t>(-100, 429496729599 + 100) / 100.0;
    }
    try {
        const std::string t = ValorExtenso(valor);
        Exige(!t.empty() && Utf8Valido(t), "ValorExtenso");
        Exige(valor >= 0.01 && valor < 4294967296.0, "ValorExtenso fora da faixa sem erro");
    } catch (const ErroFaixa&) {
        Exige(!(valor >= 0.01 && valor <= 4294967295.98), "ErroFaixa dentro da faixa");
    }

    const auto n = f.ConsumeIntegral<std::uint32_t>();
    const std::string palavras = NumeroExtenso(n);
    Exige(Utf8Valido(palavras) && palavras.empty() == (n == 0), "NumeroExtenso");

    const int mes = f.ConsumeIntegralInRange(-1, 14);
    Exige(MesExtenso(mes).empty() == (mes < 1 || mes > 12), "MesExtenso");

    const int ano = AnoDe(UmHoje(f));
    const Data d = f.ConsumeIntegralInRange<Data>(kPrimeiraData, kUltimaData);
    SoErrosDoNucleo([&] { Exige(Utf8Valido(DataExtenso(d, ano)), "DataExtenso"); });
    const std::string texto = f.ConsumeRemainingBytesAsString();
    try {
        (void)DiadaSemana(texto, ano);
    } catch (const ErroConversao&) {
    }
    return 0;
}
