// Cost of a move of the hydrograph window's depth slider on a typical project (20 units and reaches,
// two dams, 1-minute steps, a 24-hour storm, report off): the storm run again on the network in memory
// and the chart redrawn and painted. The chart follows the slider when this takes less than a frame
// (16 ms). Also the window brought up to date after a run of the largest network, as a warm loop.
//   bench_hidrograma --deslizador N
// runs the typical project once and moves the depth slider N times in a program of its own, printing
// the seconds of each move, the first in a fresh program among them; for timing it from outside.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

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

// A project run once, and the hydrograph window showing its outlet, below every dam.
dlgChart2& Ventana(void (*red)() = bench::RedTipica) {
  red();
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

// One move of the depth slider between 150 and 151 mm, until the chart has painted the new run.
void MueveDeslizador(dlgChart2& form) {
  const int depth = form.sldPp->value() == 150 ? 151 : 150;
  Dialogos->answer(vbOK);
  form.sldPp->setValue(depth);
  form.sldPp_Click();
  QApplication::processEvents();
}

void BM_DeslizadorPp(benchmark::State& state) {
  dlgChart2& form = Ventana();
  for (auto _ : state) {
    MueveDeslizador(form);
    benchmark::DoNotOptimize(form.MSChartH->model().rowCount());
  }
  state.counters["filas"] = form.MSChartH->model().rowCount();
}
BENCHMARK(BM_DeslizadorPp)->Unit(benchmark::kMillisecond);

// The chart's part of it: the hydrograph drawn again from the results.
void BM_RedibujoHidrograma(benchmark::State& state) {
  dlgChart2& form = Ventana();
  for (auto _ : state) {
    form.ActualizaHidrograma();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_RedibujoHidrograma)->Unit(benchmark::kMillisecond);

// The open window brought up to date after a run of the largest network (230 components, 2 940
// steps), as the run command does at its end, until painted.
void BM_RefrescoRedMayor(benchmark::State& state) {
  Ventana(bench::RedMayor);
  for (auto _ : state) {
    HidrogramaTrasCorrida();
    QApplication::processEvents();
  }
  state.counters["filas"] = dlgChart2::instance().MSChartH->model().rowCount();
}
BENCHMARK(BM_RefrescoRedMayor)->Unit(benchmark::kMillisecond);

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
  if (argc == 3 && std::string(argv[1]) == "--deslizador") {
    dlgChart2& form = Ventana();
    for (int i = 0; i < std::atoi(argv[2]); ++i) {
      QElapsedTimer reloj;
      reloj.start();
      MueveDeslizador(form);
      std::printf("%.6f\n", static_cast<double>(reloj.nsecsElapsed()) * 1e-9);
    }
    std::fflush(stdout);
    return 0;
  }
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
