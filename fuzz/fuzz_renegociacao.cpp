// The debt renegotiation over arbitrary values: the debt update on any dates
// and values, the texts handed to the workbench, and the re-split over
// arbitrary workbench states and instalment counts.
#include "Gerador.h"
#include "core/Renegociacao.h"

using namespace quantivo;
using namespace quantivo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    FuzzedDataProvider f(dados, tamanho);
    const Data hoje = UmHoje(f);
    MensageiroGravador msgs;
    const Contexto ctx{msgs, hoje};
    if (f.ConsumeBool()) {
        const long double divida = UmValorDeCampo(f, 2);
        const long double taxa = UmValorDeCampo(f, 5);
        const Data venc = UmaData(f), atual = UmaData(f);
        // The day count follows the two-digit-year window of the due date read
        // back from its short text, so it need not be positive.
        SoErrosDoNucleo([&] {
            if (const auto r = AtualizaDivida(divida, venc, taxa, atual, ctx))
                Exige(std::isfinite(r->valor), "AtualizaDivida");
        });
        const long double saldo = UmValorDeCampo(f, 2);
        SoErrosDoNucleo([&] { Exige(!TemNaoNumero(TextoSaldo(saldo)), "TextoSaldo"); });
        SoErrosDoNucleo([&] { Exige(!TemNaoNumero(TextoTaxa(taxa)), "TextoTaxa"); });
    } else {
        const long double qtd = f.ConsumeBool() ? f.ConsumeIntegralInRange(-3, 400) : UmValorDeCampo(f, 0);
        const Bancada antes = UmaBancada(f);
        Bancada b = antes;
        SoErrosDoNucleo([&] { (void)CalculaRenegociacao(b, qtd, ctx); });
        BancadaLimpa(antes, b);
    }
    return 0;
}
