// F5 in the workbench on a grid of 10,000 cheques: widgets to the core and
// back, as the user's key press does it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "core/Mensagens.h"
#include "ui/Servicos.h"
#include "windows/Calculo.h"

using namespace quantivo;

static void BM_F5_10000_linhas(benchmark::State& state) {
    MensageiroGravador msgs;
    DefineServicoMensagens(&msgs);
    const Data ref = *CodificaData(2007, 12, 28);
    DefineHoje(ref);
    Tfrm_desconto_cheque f;
    // The boxes (clearing, holidays) as the workbench holds them.
    Bancada b = f.LeBancada();
    DadosGerais& d = b.dados;
    d.DataReferencia = ref;
    d.Taxa = "3";
    d.TAC = 2;
    d.IOF = 0.0041L;
    d.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    d.Tarifa = 2;
    d.Tipo = TipoCalculo::DescontoCheque;
    b.linhas.resize(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < b.linhas.size(); ++i) {
        b.linhas[i].Data = FormataData(ref + 1 + static_cast<Data>(i % 700));
        b.linhas[i].Valor = std::to_string(100 + i % 900) + ",50";
    }
    f.EscreveBancada(b);
    f.show();
    QCoreApplication::processEvents();
    // F5's action, from the fields and rows to the core and back.
    for (auto _ : state) benchmark::DoNotOptimize(f.Calcula());
    if (!msgs.mensagens.empty()) state.SkipWithError("unexpected message");
    DefineServicoMensagens(nullptr);
}
BENCHMARK(BM_F5_10000_linhas)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
