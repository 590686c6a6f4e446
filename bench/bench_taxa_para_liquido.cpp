// The rate for a wanted net value on 10,000 cheques: the search and the
// discount at the rate found, as quantivo-batch and the workbench answer it.
#include <benchmark/benchmark.h>

#include "bench/MedeBancada.h"
#include "core/DescontoCheque.h"
#include "core/TaxaParaLiquido.h"
#include "core/Valores.h"

using namespace quantivo;

static Bancada MontaBancada(int cheques) {
    Bancada b;
    b.dados.DataReferencia = *CodificaData(2007, 12, 28);
    b.dados.Taxa = "3";
    b.dados.TAC = 2;
    b.dados.IOF = Segura(0.0041L, 4);
    b.dados.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    b.dados.Tarifa = 2;
    b.linhas.clear();
    for (int i = 0; i < cheques; ++i) {
        Parcela p;
        p.Data = FormataData(b.dados.DataReferencia + 1 + i % 700);
        p.Valor = std::to_string(100 + i % 900) + ",50";
        b.linhas.push_back(p);
    }
    return b;
}

// The wanted net: what the cheques give at 2,5 % a month, plus 3 cents.
static void BM_TaxaParaLiquido(benchmark::State& state) {
    const Bancada modelo = MontaBancada(static_cast<int>(state.range(0)));
    MensageiroGravador msg;
    const Contexto ctx{msg, *CodificaData(2026, 12, 9)};
    Bancada a = modelo;
    a.dados.Taxa = "2,5";
    CalculaDescontoCheque(a, ctx);
    const long double desejado = LeValor(a.dados.ValorFinanciado) + 0.03L;
    MedeNaBancada(state, modelo, [desejado](Bancada& b, const Contexto& c) {
        const TaxaProcurada t = ProcuraTaxa(b, desejado, c);
        b.dados.Taxa = TextoTaxa(t.passos);
        CalculaDescontoCheque(b, c);
    });
}
BENCHMARK(BM_TaxaParaLiquido)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
