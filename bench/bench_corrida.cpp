// What the user waits for, each measured in a program of its own as the user meets it: one storm over
// the largest network from the menu in a freshly started program, with its report file written and the
// hydrograph window showing it (report window off, and on until the report shows), the later storms of
// the same program, the hydrograph window brought up to date after a run, the memory the program holds
// after many storms, the start of the program to an idle main window, and one storm with the threads
// the program chooses beside one with a single thread. Each prints the process's
// peak memory; the start also prints the processor time it took. Run as
//   bench_corrida --tormentas FOLDER 0|1 N   (FOLDER holding project Grande: see --proyecto)
// a child is a whole program of its own, for timing from outside.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/frmPp.h"
#include "engine/proceso.h"
#include "hijo.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/seqfile.h"
#include "project/estado.h"
#include "project/listacomponentes.h"
#include "redes.h"
#include "results/dlgChart2.h"
#include "shell/MDIForm1.h"
#include "shell/hooks.h"
#include "shell/inicio.h"

namespace {

using namespace tavo;
using bench::Figura;
using bench::Hijo;

// ---- the measured program (a child process) ----

// The main window over project Grande in `folder`, as the user has it before the first storm.
MDIForm1& Programa(const QString& folder, ScriptedDialogs& dialogs) {
  bench::CarpetaDelPrograma(folder);
  InstallDialogs(&dialogs);
  InstallWindowHooks();
  DirActual = folder;
  NombreProyecto = QStringLiteral("Grande");
  bench::TormentaLarga();
  MDIForm1& principal = FormInstance<MDIForm1>::instance();
  principal.show();
  QApplication::processEvents();
  return principal;
}

// One storm from the menu, until the windows show what it left; its seconds.
double TormentaDelMenu(MDIForm1& principal, ScriptedDialogs& dialogs, bool informe) {
  principal.mnuPizarra1->setChecked(informe);
  dialogs.answer(vbOK);  // the notice of a long report
  QElapsedTimer reloj;
  reloj.start();
  principal.mnuCorre1_Click();
  QApplication::processEvents();  // the report window paints what it shows
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return static_cast<double>(reloj.nsecsElapsed()) * 1e-9;
}

// Whether every message shown was the notice of a long report or a notice of the run (titled
// "Advertencia !": Muskingum coefficients before it, a flood its horizon cut after it).
bool SoloAvisos(const ScriptedDialogs& dialogs, size_t avisosDeInforme) {
  size_t informe = 0;
  for (const auto& r : dialogs.records()) {
    if (r.title == QStringLiteral("Advertencia !")) continue;
    ++informe;
  }
  return informe == avisosDeInforme;
}

// The resident memory of this process [MB].
double MemoriaResidente() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  long total = 0;
  long residente = 0;
  if (f) {
    if (std::fscanf(f, "%ld %ld", &total, &residente) != 2) residente = 0;
    std::fclose(f);
  }
  return static_cast<double>(residente) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Storms from the menu over project Grande in `folder`, `veces` times in one program; prints the seconds
// of each and the resident memory after it, one storm a line.
int Tormentas(const QString& folder, bool informe, int veces) {
  ScriptedDialogs dialogs;
  MDIForm1& principal = Programa(folder, dialogs);
  for (int i = 0; i < veces; ++i) {
    const double segundos = TormentaDelMenu(principal, dialogs, informe);
    std::printf("%.6f %.3f\n", segundos, MemoriaResidente());
  }
  std::fflush(stdout);
  const bool escrito = FileExists(folder + QStringLiteral("/SalePizarra1_tem.txt"));
  if (!escrito || !SoloAvisos(dialogs, static_cast<size_t>(veces))) {
    std::fprintf(stderr, "the storm did not write its report, or stopped at a message\n");
    return 1;
  }
  return 0;
}

// A storm from the menu, then `veces` times the storm run again and the open hydrograph window brought
// up to date with it, as the menu's run does at its end; prints the seconds of each bringing up to date
// until the window has painted it.
int Refrescos(const QString& folder, int veces) {
  ScriptedDialogs dialogs;
  MDIForm1& principal = Programa(folder, dialogs);
  TormentaDelMenu(principal, dialogs, false);
  CompoSel = nComponentes;  // the outlet, below every dam
  dlgChart2::instance().lstCompos->setCurrentIndex(nComponentes - 1);
  QApplication::processEvents();
  for (int i = 0; i < veces; ++i) {
    dialogs.answer(vbOK);
    CorreUnaTormenta();
    QElapsedTimer reloj;
    reloj.start();
    HidrogramaTrasCorrida();
    QApplication::processEvents();
    std::printf("%.6f\n", static_cast<double>(reloj.nsecsElapsed()) * 1e-9);
  }
  std::fflush(stdout);
  if (!dlgChart2::isLoaded() || !SoloAvisos(dialogs, static_cast<size_t>(veces + 1))) {
    std::fprintf(stderr, "the window closed, or a run stopped at a message\n");
    return 1;
  }
  return 0;
}

// The program's own start, with its splash, in `folder`, until the main window waits for the user.
int Inicio(const QString& folder) {
  SetAppPath(folder);
  SetEndProgramHandler([] { std::_Exit(0); });
  RunGuarded([] { InicioAplicacion(); });
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
  return QApplication::exec();
}

// ---- the measuring side ----

std::string& Carpeta() {
  static std::string carpeta;
  return carpeta;
}

// The first storm of a fresh program: the menu command until the report file is written and the
// report shows.
void PrimeraTormenta(benchmark::State& state, const char* informe) {
  Figura f;
  for (auto _ : state) {
    f = Hijo({"--tormentas", Carpeta(), informe, "1"});
    state.SetIterationTime(f.tiempos.at(0));
  }
  state.counters["proceso_s"] = f.pared;
  state.counters["pico_MB"] = f.picoMB;
}

// The storms after the first in the same program, on average.
void TormentasPosteriores(benchmark::State& state, const char* informe) {
  Figura f;
  for (auto _ : state) {
    f = Hijo({"--tormentas", Carpeta(), informe, "4"});
    state.SetIterationTime((f.tiempos.at(1) + f.tiempos.at(2) + f.tiempos.at(3)) / 3);
  }
  state.counters["pico_MB"] = f.picoMB;
}

void BM_PrimeraTormentaSinInforme(benchmark::State& state) {
  PrimeraTormenta(state, "0");
}
void BM_PrimeraTormentaConInforme(benchmark::State& state) {
  PrimeraTormenta(state, "1");
}
void BM_TormentasPosterioresSinInforme(benchmark::State& state) {
  TormentasPosteriores(state, "0");
}
void BM_TormentasPosterioresConInforme(benchmark::State& state) {
  TormentasPosteriores(state, "1");
}
BENCHMARK(BM_PrimeraTormentaSinInforme)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PrimeraTormentaConInforme)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TormentasPosterioresSinInforme)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_TormentasPosterioresConInforme)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// The first storm of a fresh program (report window off) with the threads the program chooses and with
// TAVO_HILOS=1, in turns, so that a machine whose load changes weighs on both alike. The iteration's
// time is the storm with the program's threads; the counters give the medians of each one's storm, its
// whole process and its processor time, and the program's threads over one thread.
void BM_UnaTormentaHilosOUno(benchmark::State& state) {
  std::vector<double> tormenta[2], pared[2], procesador[2];
  for (auto _ : state) {
    for (int uno = 0; uno < 2; ++uno) {
      const Figura f = Hijo({"--tormentas", Carpeta(), "0", "1"}, [uno] {
        if (uno) {
          setenv("TAVO_HILOS", "1", 1);
        } else {
          unsetenv("TAVO_HILOS");
        }
      });
      tormenta[uno].push_back(f.tiempos.at(0));
      pared[uno].push_back(f.pared);
      procesador[uno].push_back(f.procesador);
      if (!uno) state.SetIterationTime(f.tiempos.at(0));
    }
  }
  const auto mediana = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  const char* nombres[] = {"hilos", "uno"};
  for (int i = 0; i < 2; ++i) {
    state.counters[std::string("tormenta_s_") + nombres[i]] = mediana(tormenta[i]);
    state.counters[std::string("proceso_s_") + nombres[i]] = mediana(pared[i]);
    state.counters[std::string("cpu_s_") + nombres[i]] = mediana(procesador[i]);
  }
  state.counters["pared_hilos_sobre_uno"] = mediana(pared[0]) / mediana(pared[1]);
  state.counters["cpu_hilos_sobre_uno"] = mediana(procesador[0]) / mediana(procesador[1]);
}
BENCHMARK(BM_UnaTormentaHilosOUno)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

// Fifty storms one after another from the menu in one program (report window off): the memory the
// program holds after the third and after the fiftieth, and their difference; the time is the storms'
// average.
void BM_CincuentaTormentas(benchmark::State& state) {
  Figura f;
  for (auto _ : state) {
    f = Hijo({"--tormentas", Carpeta(), "0", "50"});
    double suma = 0;
    for (double t : f.tiempos) suma += t;
    state.SetIterationTime(suma / static_cast<double>(f.tiempos.size()));
  }
  state.counters["rss3_MB"] = f.memoria.at(2);
  state.counters["rss50_MB"] = f.memoria.at(49);
  state.counters["crece_MB"] = f.memoria.at(49) - f.memoria.at(2);
  state.counters["proceso_s"] = f.pared;
  state.counters["pico_MB"] = f.picoMB;
}
BENCHMARK(BM_CincuentaTormentas)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

// The open hydrograph window brought up to date after a run, until painted: the first time in a fresh
// program, and the median of the next ten.
void BM_RefrescoHidrograma(benchmark::State& state) {
  Figura f;
  for (auto _ : state) {
    f = Hijo({"--refrescos", Carpeta(), "11"});
    std::vector<double> siguientes(f.tiempos.begin() + 1, f.tiempos.end());
    std::nth_element(siguientes.begin(), siguientes.begin() + 5, siguientes.end());
    state.SetIterationTime(siguientes[5]);
  }
  state.counters["primero_ms"] = f.tiempos.at(0) * 1e3;
  state.counters["pico_MB"] = f.picoMB;
}
BENCHMARK(BM_RefrescoHidrograma)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Start to an idle main window, the splash's wait included: the whole process's time and its
// processor time.
void BM_InicioDelPrograma(benchmark::State& state) {
  Figura f;
  for (auto _ : state) {
    f = Hijo({"--inicio", Carpeta()});
    state.SetIterationTime(f.pared);
  }
  state.counters["procesador_s"] = f.procesador;
  state.counters["pico_MB"] = f.picoMB;
}
BENCHMARK(BM_InicioDelPrograma)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::string modo = argc > 1 ? argv[1] : "";
  if (modo == "--tormentas" && argc == 5) {
    QApplication app(argc, argv);
    const int resultado =
        Tormentas(QString::fromLocal8Bit(argv[2]), std::string(argv[3]) == "1", std::atoi(argv[4]));
    std::fflush(nullptr);
    std::_Exit(resultado);  // the user does not wait for the program to end
  }
  if (modo == "--refrescos" && argc == 4) {
    QApplication app(argc, argv);
    const int resultado = Refrescos(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    std::fflush(nullptr);
    std::_Exit(resultado);
  }
  if (modo == "--inicio" && argc == 3) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TAVO"));
    const int resultado = Inicio(QString::fromLocal8Bit(argv[2]));
    std::fflush(nullptr);
    std::_Exit(resultado);
  }

  if (modo == "--proyecto" && argc == 3) {
    // Only saves the project, for measuring the other modes by hand.
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
