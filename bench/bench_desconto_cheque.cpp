// The cheque discount of 10,000 cheques through the core, without and with
// the holidays.
#include <benchmark/benchmark.h>

#include "bench/MedeBancada.h"
#include "core/DescontoCheque.h"
#include "core/Valores.h"

using namespace quantivo;

static Bancada MontaBancada(int cheques, bool feriados = false) {
    Bancada b;
    b.dados.DataReferencia = *CodificaData(2007, 12, 28);
    b.dados.Taxa = "3";
    b.dados.TAC = 2;
    b.dados.IOF = Segura(0.0041L, 4);
    b.dados.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    b.dados.Tarifa = 2;
    b.dados.Feriados = feriados;
    if (feriados) b.dados.FeriadosLocais = {{20, 1, 0, "São Sebastião"}, {23, 4, 0, "São Jorge"}, {2, 1, 2008, ""}};
    b.linhas.clear();
    for (int i = 0; i < cheques; ++i) {
        Parcela p;
        p.Data = FormataData(b.dados.DataReferencia + 1 + i % 700);
        p.Valor = std::to_string(100 + i % 900) + ",50";
        b.linhas.push_back(p);
    }
    return b;
}

static void BM_DescontoCheque(benchmark::State& state) {
    const Bancada modelo = MontaBancada(static_cast<int>(state.range(0)));
    MedeNaBancada(state, modelo, [](Bancada& b, const Contexto& ctx) { CalculaDescontoCheque(b, ctx); });
}
BENCHMARK(BM_DescontoCheque)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same cheques with the holidays counted (national and three local ones):
// the due dates span two years of the calendar.
static void BM_DescontoChequeFeriados(benchmark::State& state) {
    const Bancada modelo = MontaBancada(static_cast<int>(state.range(0)), true);
    MedeNaBancada(state, modelo, [](Bancada& b, const Contexto& ctx) { CalculaDescontoCheque(b, ctx); });
}
BENCHMARK(BM_DescontoChequeFeriados)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
