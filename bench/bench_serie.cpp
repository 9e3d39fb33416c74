// Cost of a whole storm series: the 238 storms of 14 return periods by 17 durations over the largest
// network saved as a project, with the report window off, the progress window updated after every
// storm and the results file written at the end. Each series runs in a freshly started program of its
// own, as the user meets it, and prints its times; the measuring side takes the program's peak memory.
// - BM_SerieCompleta: the series from the menu with its tables and Q-D-R chart shown, then the full
//   results table opened again while it is open, opened anew after it was closed, and the table of one
//   component.
// - BM_SerieLadoALado, BM_TormentasLadoALado: the series with one worker, two, as many as the machine
//   has processors and four times as many, side by side in turns so that a machine whose load changes weighs
//   on all of them alike; with its tables and chart shown, and without them (the storms and the results
//   file).
// Run by hand as
//   bench_serie --proyecto FOLDER    (saves project Grande in FOLDER)
//   bench_serie --serie FOLDER       (from the menu, tables shown; TAVO_HILOS workers)
//   bench_serie --tormentas FOLDER   (storms and results file only; TAVO_HILOS workers)
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/hooks.h"
#include "engine/proceso.h"
#include "hijo.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"
#include "redes.h"
#include "results/dlgTablaSalePDR.h"
#include "shell/MDIForm1.h"
#include "shell/hooks.h"

namespace {

using namespace tavo;
using bench::Figura;

// ---- the measured program (a child process) ----

// A series of every recurrence by every duration.
void SerieCompleta() {
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

double Segundos(const QElapsedTimer& reloj) {
  return static_cast<double>(reloj.nsecsElapsed()) * 1e-9;
}

// Until the windows have shown what they got.
void Muestra() {
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Whether the series' messages were only its question, the run's notices and its closing message.
bool SoloLosMensajesDeLaSerie(const ScriptedDialogs& dialogs) {
  bool cerrada = false;
  for (const auto& r : dialogs.records()) {
    if (r.title.startsWith(QStringLiteral("La tabla de resultados se guarda"))) {
      cerrada = true;
    } else if (r.title != QStringLiteral("Desea continuar ?") && r.title != QStringLiteral("Advertencia !")) {
      std::fprintf(stderr, "message during the series: %s\n", qPrintable(r.prompt));
      return false;
    }
  }
  return cerrada;
}

// The series from the menu over project Grande in `folder`, then the tables; prints the seconds of the
// series, of the full table opened again while open, of the full table opened anew, and of the table of
// one component, one a line.
int SerieDelMenu(const QString& folder) {
  bench::CarpetaDelPrograma(folder);
  ScriptedDialogs dialogs;
  InstallDialogs(&dialogs);
  InstallWindowHooks();
  bench::RedMayor();
  DirActual = DirTrabajo = folder;
  NombreProyecto = QStringLiteral("Grande");
  SerieCompleta();
  MDIForm1& principal = FormInstance<MDIForm1>::instance();
  principal.show();
  Muestra();

  // The question, the run's notices (Muskingum coefficients before the storms, floods the horizon cuts
  // after them) and the closing message.
  for (int i = 0; i < 4; ++i) dialogs.answer(vbOK);
  // A menu command until the windows show what it left; prints its seconds.
  const auto mide = [](const auto& comando) {
    QElapsedTimer reloj;
    reloj.start();
    comando();
    Muestra();
    std::printf("%.6f\n", Segundos(reloj));
  };
  mide([&] { principal.mnuCorre2_Click(); });
  mide([&] { principal.mnuPlanillaPDRCompleta_Click(); });
  dlgTablaSalePDR::instance().OKButton_Click();
  Muestra();
  mide([&] { principal.mnuPlanillaPDRCompleta_Click(); });
  mide([&] { principal.mnuPlanillaPDRComponente_Click(); });
  std::fflush(stdout);

  if (!SoloLosMensajesDeLaSerie(dialogs)) return 1;
  if (!dlgTablaSalePDR::isLoaded() || dlgTablaSalePDR::instance().MSFlexGridTablaSaleQDR->Rows() < 1000) {
    std::fprintf(stderr, "the results table is not shown\n");
    return 1;
  }
  return 0;
}

// The storms of the series over project Grande in `folder` and its results file, without the results
// window; prints its seconds.
int Tormentas(const QString& folder) {
  bench::CarpetaDelPrograma(folder);
  ScriptedDialogs dialogs;
  InstallDialogs(&dialogs);
  InstallWindowHooks();
  ShowSeriesResultsHook.install({});
  DirActual = folder;
  NombreProyecto = QStringLiteral("Grande");
  bench::TormentaLarga();
  SerieCompleta();
  for (int i = 0; i < 3; ++i) dialogs.answer(vbOK);  // the notices and the closing message
  QElapsedTimer reloj;
  reloj.start();
  CorreSeriePDR();
  Muestra();
  std::printf("%.6f\n", Segundos(reloj));
  std::fflush(stdout);
  return SoloLosMensajesDeLaSerie(dialogs) ? 0 : 1;
}

// ---- the measuring side ----

std::string& Carpeta() {
  static std::string carpeta;
  return carpeta;
}

// Runs this program again in `modo` with `hilos` workers (0: as many as the machine has, the program's
// own choice) and waits for it.
Figura Hijo(const std::string& modo, int hilos) {
  return bench::Hijo({modo, Carpeta()}, [hilos] {
    if (hilos > 0) {
      setenv("TAVO_HILOS", std::to_string(hilos).c_str(), 1);
    } else {
      unsetenv("TAVO_HILOS");
    }
  });
}

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

int Procesadores() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// The series as the user meets it, with the workers the program chooses, and the times of the tables
// after it.
void BM_SerieCompleta(benchmark::State& state) {
  Figura f;
  for (auto _ : state) {
    f = Hijo("--serie", 0);
    state.SetIterationTime(f.tiempos.at(0));
  }
  state.counters["reabrir_ms"] = f.tiempos.at(1) * 1e3;
  state.counters["llenado_ms"] = f.tiempos.at(2) * 1e3;
  state.counters["componente_ms"] = f.tiempos.at(3) * 1e3;
  state.counters["proceso_s"] = f.pared;
  state.counters["pico_MB"] = f.picoMB;
}
BENCHMARK(BM_SerieCompleta)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// The series with one worker, two, one per processor and four per processor, in turns; the iteration's
// time is the series with one per processor. Counters: the median seconds of each, how many times faster than
// one worker the others are (ratio of the medians), and each one's peak memory.
void SerieLadoALado(benchmark::State& state, const std::string& modo) {
  // Four threads a processor too: a series' memory must not grow with its threads.
  const std::vector<int> hilos = {1, 2, Procesadores(), 4 * Procesadores()};
  std::vector<std::vector<double>> tiempos(hilos.size());
  std::vector<double> pico(hilos.size());
  for (auto _ : state) {
    for (size_t i = 0; i < hilos.size(); ++i) {
      const Figura f = Hijo(modo, hilos[i]);
      tiempos[i].push_back(f.tiempos.at(0));
      pico[i] = std::max(pico[i], f.picoMB);
      if (i == 2) state.SetIterationTime(f.tiempos.at(0));
    }
  }
  const double uno = Mediana(tiempos[0]);
  for (size_t i = 0; i < hilos.size(); ++i) {
    const std::string n = std::to_string(hilos[i]);
    state.counters["s_" + n + "hilos"] = Mediana(tiempos[i]);
    state.counters["pico_MB_" + n + "hilos"] = pico[i];
    if (i > 0) state.counters["veces_" + n + "hilos"] = uno / Mediana(tiempos[i]);
  }
}

// The whole series from the menu, its tables and chart shown.
void BM_SerieLadoALado(benchmark::State& state) {
  SerieLadoALado(state, "--serie");
}
// Its storms and the results file only, without the results window.
void BM_TormentasLadoALado(benchmark::State& state) {
  SerieLadoALado(state, "--tormentas");
}
BENCHMARK(BM_SerieLadoALado)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TormentasLadoALado)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::string modo = argc > 1 ? argv[1] : "";
  if ((modo == "--serie" || modo == "--tormentas") && argc == 3) {
    QApplication app(argc, argv);
    const QString carpeta = QString::fromLocal8Bit(argv[2]);
    const int resultado = modo == "--serie" ? SerieDelMenu(carpeta) : Tormentas(carpeta);
    std::fflush(nullptr);
    std::_Exit(resultado);  // the user does not wait for the program to end
  }
  if (modo == "--proyecto" && argc == 3) {
    QApplication app(argc, argv);
    const QString carpeta = QString::fromLocal8Bit(argv[2]);
    bench::CarpetaDelPrograma(carpeta);
    ScriptedDialogs dialogs;
    InstallDialogs(&dialogs);
    InstallWindowHooks();
    bench::GuardaProyectoMayor(carpeta);
    return 0;
  }

  QApplication app(argc, argv);
  QTemporaryDir dir;
  bench::CarpetaDelPrograma(dir.path());
  ScriptedDialogs dialogs;
  InstallDialogs(&dialogs);
  InstallWindowHooks();
  bench::GuardaProyectoMayor(dir.path());
  Carpeta() = dir.path().toStdString();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
