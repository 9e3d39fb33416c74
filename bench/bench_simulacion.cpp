// Cost of one storm over a large network: 70 units, each draining into one of a chain of 70 reaches
// (half routed by lag, half by Muskingum), 1-minute steps, a 2880-minute storm; report off and on. Then
// over the largest network: the same with a lake between every unit and its reach and 20 dams on the
// chain, lakes and dams routed by level pool.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "engine/frmPp.h"
#include "engine/hietograma.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "redes.h"
#include "reservoirs/tablas.h"
#include "shell/hooks.h"

namespace {

using namespace tavo;
using namespace tavo::bench;

void Corre(benchmark::State& state, void (*red)(), bool informe) {
  red();
  for (auto _ : state) {
    SetReportText(QString());
    PizarraActiva = informe;
    DistribucionTemporalPp();
    Proceso_Simulacion(false);
    benchmark::DoNotOptimize(QpSerie(nComponentes, 1));
  }
  state.counters["informe_caracteres"] = static_cast<double>(TextoProceso.size());
}

void BM_TormentaGrandeSinInforme(benchmark::State& state) {
  Corre(state, RedGrande, false);
}
void BM_TormentaGrandeConInforme(benchmark::State& state) {
  Corre(state, RedGrande, true);
}
BENCHMARK(BM_TormentaGrandeSinInforme)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TormentaGrandeConInforme)->Unit(benchmark::kMillisecond);

// The largest network, lakes and dams by level pool.
void BM_RedMayorPiscinaSinInforme(benchmark::State& state) {
  Corre(state, RedMayor, false);
}
void BM_RedMayorPiscinaConInforme(benchmark::State& state) {
  Corre(state, RedMayor, true);
}
BENCHMARK(BM_RedMayorPiscinaSinInforme)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedMayorPiscinaConInforme)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  tavo::SetAppPath(dir.path());
  tavo::ChDir(dir.path());
  tavo::DirPrograma = dir.path();
  tavo::ScriptedDialogs dialogs;
  tavo::InstallDialogs(&dialogs);
  tavo::InstallWindowHooks();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // A run that stopped at a message measured less than the whole storm.
  if (!dialogs.records().empty()) {
    std::fprintf(stderr, "message during the runs: %s\n", qPrintable(dialogs.records().front().prompt));
    return 1;
  }
  return 0;
}
