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
    f.data_ref->DefineData(ref);
    f.Edit1->setText("3");
    f.edtTAC->DefineValor(2);
    f.edtIOF->DefineValor(0.0041L);
    f.edtTARIFA->DefineValor(2);
    f.cbTipoTarifa->setCurrentIndex(0);
    f.ComboBox1->setCurrentIndex(0);
    std::vector<Parcela> linhas(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        linhas[i].Data = FormataData(ref + 1 + static_cast<Data>(i % 700));
        linhas[i].Valor = std::to_string(100 + i % 900) + ",50";
    }
    f.grid->Modelo()->DefineLinhas(linhas);
    f.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        f.btnCalcula->click();
        benchmark::DoNotOptimize(f.Edit6->text());
    }
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
