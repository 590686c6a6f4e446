// The Price table over arbitrary values: the power, the two solves, the due
// dates, the schedule in the workbench, and the workbench's and the instalment
// window's calculations on random fields. Only ErroAritmetico (and, where a
// text is read, ErroConversao) may leave them.
#include <limits>

#include "Gerador.h"
#include "core/Price.h"

using namespace quantivo;
using namespace quantivo::fuzz;

namespace {

Dmil UmDmil(FuzzedDataProvider& f) {
    switch (f.ConsumeIntegralInRange(0, 2)) {
        case 0:
            return f.ConsumeIntegral<Dmil>();
        case 1:
            return f.ConsumeIntegralInRange<Dmil>(-100000, 100000);
        default:
            return f.ConsumeIntegralInRange<Dmil>(0, 100000000000);
    }
}

std::int64_t UmN(FuzzedDataProvider& f) {
    return f.ConsumeBool() ? f.ConsumeIntegral<std::int64_t>() : f.ConsumeIntegralInRange<std::int64_t>(-3, 400);
}

void JanelaLimpa(const JanelaPrice& j) {
    for (long double v : {j.ValorFinanciado, j.NumPrestacao, j.Taxa, j.VlrPrestacao})
        Exige(std::isfinite(v), "janela com valor não finito");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    FuzzedDataProvider f(dados, tamanho);
    switch (f.ConsumeIntegralInRange(0, 5)) {
        case 0: {
            const long double q = f.ConsumeFloatingPoint<double>() * (f.ConsumeBool() ? 1.0L : 1e-300L);
            SoErrosDoNucleo([&] { Exige(std::isfinite(Potencia(q, UmN(f))), "Potencia não finita"); });
            SoErrosDoNucleo([&] { (void)TaxaFracao(f.ConsumeFloatingPoint<double>()); });
            break;
        }
        case 1: {
            const Dmil v = UmDmil(f), t = UmDmil(f);
            const std::int64_t n = UmN(f);
            SoErrosDoNucleo([&] { (void)CalculaPrestacao(v, t, n); });
            SoErrosDoNucleo([&] { (void)CalculaValorFinanciado(v, t, n); });
            break;
        }
        case 2: {
            const Data ref = UmaData(f);
            const std::int64_t n = UmN(f);
            if (n > kLimitePrestacoes) {
                // Past the limit the dates are never formed; asking must fail
                // or be quick, never allocate the whole count.
                SoErrosDoNucleo(
                    [&] { Exige(static_cast<std::int64_t>(Vencimentos(ref, n).size()) == n, "Vencimentos"); });
                break;
            }
            SoErrosDoNucleo([&] {
                const auto v = Vencimentos(ref, n);
                Exige(static_cast<std::int64_t>(v.size()) == std::max<std::int64_t>(n, 0), "Vencimentos: quantas");
                for (std::size_t k = 1; k < v.size(); ++k) Exige(v[k] > v[k - 1], "Vencimentos fora de ordem");
            });
            break;
        }
        case 3: {
            const Data hoje = UmHoje(f);
            const Data ref = UmaData(f);
            const Dmil prestacao = UmDmil(f);
            const std::int64_t n = UmN(f);
            const Bancada antes = UmaBancada(f);
            Bancada b = antes;
            MensageiroGravador msgs;
            const Contexto ctx{msgs, hoje};
            SoErrosDoNucleo([&] {
                if (MontaParcelas(b, ref, prestacao, n, ctx) == Desfecho::Concluido)
                    Exige(static_cast<std::int64_t>(b.linhas.size()) == std::max<std::int64_t>(n, 1), "MontaParcelas");
            });
            Exige(b.linhas.size() <= static_cast<std::size_t>(kLimitePrestacoes), "grade acima do limite");
            BancadaLimpa(antes, b);
            break;
        }
        default: {
            const Data hoje = UmHoje(f);
            JanelaPrice j;
            j.ValorFinanciado = f.ConsumeBool() ? 0 : UmValorDeCampo(f, 2);
            j.NumPrestacao =
                f.ConsumeBool() ? 0 : (f.ConsumeBool() ? f.ConsumeIntegralInRange(-5, 500) : UmValorDeCampo(f, 0));
            j.Taxa = f.ConsumeBool() ? 0 : UmValorDeCampo(f, 5);
            j.VlrPrestacao = f.ConsumeBool() ? 0 : UmValorDeCampo(f, 2);
            const Bancada antes = UmaBancada(f);
            Bancada b = antes;
            MensageiroGravador msgs;
            const Contexto ctx{msgs, hoje};
            JanelaPrice j2 = j;
            SoErrosDoNucleo([&] { (void)CalculaPrice(b, j, ctx); });
            SoErrosDoNucleo([&] { (void)CalculaPostecipada(j2, ctx); });
            JanelaLimpa(j);
            JanelaLimpa(j2);
            BancadaLimpa(antes, b);
            break;
        }
    }
    return 0;
}
