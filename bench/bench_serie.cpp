// Cost of a whole storm series: the 238 storms of 14 return periods by 17 durations, run by the series
// driver over the largest network saved as a project, with the report window off, the progress window
// updated after every storm, the results file written at the end and the series' tables and chart
// shown. Each series runs in a freshly started program of its own, with one worker, two, and as many as
// the machine has processors, side by side in turns so that a machine whose load changes weighs on all
// of them alike; each prints its time and the program's peak memory.
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

#include "engine/frmPp2.h"
#include "engine/hooks.h"
#include "engine/proceso.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"
#include "redes.h"
#include "shell/hooks.h"

namespace {

using namespace tavo;

// ---- the measured program (a child process) ----

// A series of every recurrence by every duration.
void Serie() {
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

// The series over project Grande in `folder`, with the workers TAVO_HILOS gives; prints its seconds.
// Without `tablas` the series results window does not open: the storms and the results file only.
int CorreSerie(const QString& folder, bool tablas) {
  bench::CarpetaDelPrograma(folder);
  ScriptedDialogs dialogs;
  InstallDialogs(&dialogs);
  InstallWindowHooks();
  if (!tablas) ShowSeriesResultsHook.install({});
  DirActual = folder;
  NombreProyecto = QStringLiteral("Grande");
  bench::TormentaLarga();
  Serie();
  // The closing message, and the run's notices: Muskingum coefficients before the storms, floods the
  // horizon cuts after them.
  dialogs.answer(vbOK).answer(vbOK).answer(vbOK);
  QElapsedTimer reloj;
  reloj.start();
  CorreSeriePDR();
  QApplication::processEvents();  // the tables and the chart show what they got
  std::printf("%.6f\n", static_cast<double>(reloj.nsecsElapsed()) * 1e-9);
  std::fflush(stdout);
  bool cerrada = false;
  for (const auto& r : dialogs.records()) {
    if (r.title.startsWith(QStringLiteral("La tabla de resultados se guarda"))) {
      cerrada = true;
    } else if (r.title != QStringLiteral("Advertencia !")) {
      std::fprintf(stderr, "the series stopped at a message: %s\n", qPrintable(r.prompt));
      return 1;
    }
  }
  return cerrada ? 0 : 1;
}

// ---- the measuring side ----

struct Figura {
  double serie = 0;   // what the child printed: the series' seconds
  double pared = 0;   // the whole process, seconds
  double picoMB = 0;  // peak resident memory
};

std::string& Carpeta() {
  static std::string carpeta;
  return carpeta;
}

// Runs this program again as a series with `hilos` workers, with or without its tables, and waits for
// it.
Figura Hijo(int hilos, bool tablas) {
  int tubo[2];
  if (pipe(tubo) != 0) std::abort();
  QElapsedTimer reloj;
  reloj.start();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(tubo[1], STDOUT_FILENO);
    close(tubo[0]);
    close(tubo[1]);
    setenv("TAVO_HILOS", std::to_string(hilos).c_str(), 1);
    std::string self = "/proc/self/exe";
    std::string modo = tablas ? "--serie" : "--tormentas";
    char* argv[] = {self.data(), modo.data(), Carpeta().data(), nullptr};
    execv(argv[0], argv);
    std::_Exit(127);
  }
  close(tubo[1]);
  std::string salida;
  char buf[256];
  for (ssize_t n; (n = read(tubo[0], buf, sizeof buf)) > 0;) salida.append(buf, static_cast<size_t>(n));
  close(tubo[0]);
  int estado = 0;
  rusage uso{};
  wait4(pid, &estado, 0, &uso);
  if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
    std::fprintf(stderr, "the measured program failed\n");
    std::exit(1);
  }
  Figura f;
  f.pared = static_cast<double>(reloj.nsecsElapsed()) * 1e-9;
  f.picoMB = static_cast<double>(uso.ru_maxrss) / 1024;
  f.serie = std::atof(salida.c_str());
  return f;
}

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

int Procesadores() {
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// The series with one worker, two and one per processor, in turns; the iteration's time is the series
// with one per processor. Counters: the median seconds of each, how many times faster than one worker
// the others are (ratio of the medians), and each one's peak memory.
void SerieLadoALado(benchmark::State& state, bool tablas) {
  const std::vector<int> hilos = {1, 2, Procesadores()};
  std::vector<std::vector<double>> tiempos(hilos.size());
  std::vector<double> pico(hilos.size());
  for (auto _ : state) {
    for (size_t i = 0; i < hilos.size(); ++i) {
      const Figura f = Hijo(hilos[i], tablas);
      tiempos[i].push_back(f.serie);
      pico[i] = std::max(pico[i], f.picoMB);
      if (i + 1 == hilos.size()) state.SetIterationTime(f.serie);
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

// The whole series, its tables and chart shown.
void BM_SerieLadoALado(benchmark::State& state) {
  SerieLadoALado(state, true);
}
// Its storms and the results file only, without the results window.
void BM_TormentasLadoALado(benchmark::State& state) {
  SerieLadoALado(state, false);
}
BENCHMARK(BM_SerieLadoALado)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TormentasLadoALado)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::string modo = argc > 1 ? argv[1] : "";
  if ((modo == "--serie" || modo == "--tormentas") && argc == 3) {
    QApplication app(argc, argv);
    const int resultado = CorreSerie(QString::fromLocal8Bit(argv[2]), modo == "--serie");
    std::fflush(nullptr);
    std::_Exit(resultado);
  }
  if (modo == "--proyecto" && argc == 3) {
    // Only saves the project, for measuring a series by hand: bench_serie --serie <folder> (tables
    // shown) or --tormentas <folder> (without them), with TAVO_HILOS workers.
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
