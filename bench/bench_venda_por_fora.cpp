// The inverse discount of 10,000 due dates through the core.
#include <benchmark/benchmark.h>

#include "bench/MedeBancada.h"
#include "core/Valores.h"
#include "core/VendaPorFora.h"

using namespace quantivo;

static Bancada MontaBancada(int cheques) {
    Bancada b;
    b.dados.DataReferencia = *CodificaData(2007, 6, 1);
    b.dados.ValorFinanciado = "5.000.000,00";
    b.dados.Taxa = "2,5";
    b.dados.TAC = 1;
    b.dados.IOF = Segura(0.0041L, 4);
    b.dados.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    b.dados.Tarifa = 2;
    b.linhas.clear();
    for (int i = 0; i < cheques; ++i) {
        Parcela p;
        p.Data = FormataData(b.dados.DataReferencia + 1 + i % 120);
        b.linhas.push_back(p);
    }
    return b;
}

static void BM_VendaPorFora(benchmark::State& state) {
    const Bancada modelo = MontaBancada(static_cast<int>(state.range(0)));
    MedeNaBancada(state, modelo, [](Bancada& b, const Contexto& ctx) { CalculaVendaPorFora(b, ctx); });
}
BENCHMARK(BM_VendaPorFora)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
