// Cost of a whole storm series: the 238 storms of 14 return periods by 17 durations, run by the series
// driver over the largest network saved as a project, with the progress window updated after every
// storm, the results file written at the end and the series' tables and chart shown; and the program's
// peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "editor/frmUEHs.h"
#include "engine/frmPp2.h"
#include "engine/proceso.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"
#include "redes.h"
#include "reservoirs/tablas.h"
#include "shell/hooks.h"

namespace {

using namespace tavo;

// The largest network saved as project Grande, and a series of every recurrence by every duration.
void Proyecto(const QString& folder) {
  bench::GuardaProyectoMayor(folder);
  NroTormentasSerie = kNroRecurrencias * kNroDuraciones;
  PpSerie.redim(0, NroTormentasSerie);
  DurSerie.redim(0, NroTormentasSerie);
  RecSerie.redim(0, NroTormentasSerie);
  int k = 0;
  for (Integer R : kRecurrencias) {
    for (Integer D : kDuraciones) {
      ++k;
      PpSerie(k) = static_cast<Single>(std::round(25 * std::pow(R, 0.22) * std::pow(D / 60.0, 0.3)));
      DurSerie(k) = D;
      RecSerie(k) = R;
    }
  }
  FormaPp = 2;
}

void BM_SerieCompleta(benchmark::State& state) {
  for (auto _ : state) {
    CorreSeriePDR();
    QApplication::processEvents();  // the tables and the chart show what they got
    benchmark::DoNotOptimize(FormInstance<frmPp2>::instance().ProgressBar1->value());
  }
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  state.counters["pico_MB"] = static_cast<double>(uso.ru_maxrss) / 1024;
}
BENCHMARK(BM_SerieCompleta)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  bench::CarpetaDelPrograma(dir.path());
  ScriptedDialogs dialogs;
  InstallDialogs(&dialogs);
  InstallWindowHooks();
  Proyecto(dir.path());
  dialogs.clear();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The only message of a series is its closing one, once per run.
  for (const auto& r : dialogs.records()) {
    if (!r.title.startsWith(QStringLiteral("La tabla de resultados se guarda"))) {
      std::fprintf(stderr, "message during the series: %s\n", qPrintable(r.prompt));
      return 1;
    }
  }
  return 0;
}
