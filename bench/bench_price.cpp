// A 360-instalment Price schedule through the core: the solve, then the grid.
#include <benchmark/benchmark.h>

#include "core/Price.h"

using namespace quantivo;

static void BM_CalculaPrice(benchmark::State& state) {
    MensageiroGravador msg;
    const Contexto ctx{msg, *CodificaData(2026, 12, 9)};
    Bancada b;
    b.dados.DataReferencia = *CodificaData(2008, 1, 31);
    b.dados.ValorFinanciado = "250.000,00";
    b.dados.Taxa = "0,95";
    const JanelaPrice modelo{250000, static_cast<long double>(state.range(0)), 0.95L, 0};
    for (auto _ : state) {
        JanelaPrice j = modelo;
        CalculaPrice(b, j, ctx);
        benchmark::DoNotOptimize(b.totais.ValorTotal);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CalculaPrice)->Arg(360)->Unit(benchmark::kMicrosecond);

static void BM_CalculaPrestacao(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(CalculaPrestacao(2500000000, 95, state.range(0)));
}
BENCHMARK(BM_CalculaPrestacao)->Arg(360);

BENCHMARK_MAIN();
