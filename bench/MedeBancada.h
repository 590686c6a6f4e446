#pragma once
// The timing loop shared by the workbench-calculation benchmarks: each round
// runs the calculation on a fresh copy of the same state (the copy untimed).
#include <benchmark/benchmark.h>

#include "core/Datas.h"
#include "core/Mensagens.h"
#include "core/Tipos.h"

template <class Calculo>
void MedeNaBancada(benchmark::State& state, const quantivo::Bancada& modelo, Calculo calculo) {
    quantivo::MensageiroGravador msg;
    const quantivo::Contexto ctx{msg, *quantivo::CodificaData(2026, 12, 9)};
    for (auto _ : state) {
        state.PauseTiming();
        quantivo::Bancada b = modelo;
        state.ResumeTiming();
        calculo(b, ctx);
        benchmark::DoNotOptimize(b.totais.ValorTotal);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(modelo.linhas.size()));
}
