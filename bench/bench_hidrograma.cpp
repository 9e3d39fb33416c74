// Cost of a move of the hydrograph window's depth slider on a typical project (20 units and reaches,
// two dams, 1-minute steps, a 24-hour storm, report off): the storm run again on the network in memory
// and the chart redrawn. The chart follows the slider when this takes less than a frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "engine/frmPp.h"
#include "engine/hietograma.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "rainfall/tormenta.h"
#include "redes.h"
#include "results/dlgChart2.h"
#include "shell/hooks.h"

namespace {

using namespace tavo;

ScriptedDialogs* Dialogos = nullptr;

// The run's report of a 24-hour storm is longer than the report window shows: each run says so.
bool AvisoDeInformeExtenso(const ScriptedDialogs::Record& r) {
  return r.title == QStringLiteral("La tabla de resultados es muy extensa");
}

// The typical project run once, and the hydrograph window showing its outlet, below both dams.
dlgChart2& Ventana() {
  bench::RedTipica();
  DirPrograma = AppPath();  // the run's report file goes to the program folder
  SetReportText(QString());
  PizarraActiva = false;
  DistribucionTemporalPp();
  Dialogos->answer(vbOK);
  Proceso_Simulacion(true);
  CompoSel = nComponentes;
  MuestraHidrograma();
  return dlgChart2::instance();
}

void BM_DeslizadorPp(benchmark::State& state) {
  dlgChart2& form = Ventana();
  int depth = 150;
  for (auto _ : state) {
    depth = depth == 150 ? 151 : 150;
    Dialogos->answer(vbOK);
    form.sldPp->setValue(depth);
    form.sldPp_Click();
    benchmark::DoNotOptimize(form.MSChartH->model().rowCount());
  }
  state.counters["filas"] = form.MSChartH->model().rowCount();
}
BENCHMARK(BM_DeslizadorPp)->Unit(benchmark::kMillisecond);

// The chart's part of it: the hydrograph drawn again from the results.
void BM_RedibujoHidrograma(benchmark::State& state) {
  dlgChart2& form = Ventana();
  for (auto _ : state) form.ActualizaHidrograma();
}
BENCHMARK(BM_RedibujoHidrograma)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  tavo::bench::CarpetaDelPrograma(dir.path());
  tavo::ScriptedDialogs dialogs;
  tavo::InstallDialogs(&dialogs);
  tavo::InstallWindowHooks();
  Dialogos = &dialogs;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // A run that stopped at a message measured less than the whole storm.
  for (const auto& r : dialogs.records()) {
    if (AvisoDeInformeExtenso(r)) continue;
    std::fprintf(stderr, "message during the runs: %s\n", qPrintable(r.prompt));
    return 1;
  }
  return 0;
}
