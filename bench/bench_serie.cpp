// Cost of a whole storm series: the 238 storms of 14 return periods by 17 durations, run from the menu
// over the largest network saved as a project, with the progress window updated after every storm, the
// results file written at the end and the series' tables and Q-D-R chart shown; then the full results
// table opened again while it is open, and opened anew after it was closed, and the table of one
// component. Each run is a program of its own, as the user meets it; it prints the program's peak
// memory. Run as
//   bench_serie --serie FOLDER   (FOLDER holding project Grande: see --proyecto)
// a child is a whole program of its own, for timing from outside.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"
#include "redes.h"
#include "results/dlgTablaSalePDR.h"
#include "shell/MDIForm1.h"

namespace {

using namespace tavo;

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

// The series from the menu over project Grande in `folder`, then the tables; prints the seconds of the
// series, of the full table opened again while open, of the full table opened anew, and of the table of
// one component, one a line.
int Serie(const QString& folder) {
  bench::CarpetaDelPrograma(folder);
  ScriptedDialogs dialogs;
  InstallDialogs(&dialogs);
  bench::RedMayor();
  DirActual = DirTrabajo = folder;
  NombreProyecto = QStringLiteral("Grande");
  SerieCompleta();
  MDIForm1& principal = FormInstance<MDIForm1>::instance();
  principal.show();
  Muestra();

  dialogs.answer(vbOK);  // go on with the series
  dialogs.answer(vbOK);  // the closing message
  QElapsedTimer reloj;
  reloj.start();
  principal.mnuCorre2_Click();
  Muestra();
  std::printf("%.6f\n", Segundos(reloj));

  reloj.restart();
  principal.mnuPlanillaPDRCompleta_Click();
  Muestra();
  std::printf("%.6f\n", Segundos(reloj));

  dlgTablaSalePDR::instance().OKButton_Click();
  Muestra();
  reloj.restart();
  principal.mnuPlanillaPDRCompleta_Click();
  Muestra();
  std::printf("%.6f\n", Segundos(reloj));

  reloj.restart();
  principal.mnuPlanillaPDRComponente_Click();
  Muestra();
  std::printf("%.6f\n", Segundos(reloj));
  std::fflush(stdout);

  // The only messages of a series are its question and its closing message.
  for (size_t i = 0; i < dialogs.records().size(); ++i) {
    const auto& r = dialogs.records()[i];
    if (i == 0 && r.title == QStringLiteral("Desea continuar ?")) continue;
    if (r.title.startsWith(QStringLiteral("La tabla de resultados se guarda"))) continue;
    std::fprintf(stderr, "message during the series: %s\n", qPrintable(r.prompt));
    return 1;
  }
  if (!dlgTablaSalePDR::isLoaded() || dlgTablaSalePDR::instance().MSFlexGridTablaSaleQDR->Rows() < 1000) {
    std::fprintf(stderr, "the results table is not shown\n");
    return 1;
  }
  return 0;
}

// ---- the measuring side ----

struct Figura {
  std::vector<double> tiempos;  // what the child printed
  double pared = 0;             // the whole process, seconds
  double picoMB = 0;            // peak resident memory
};

Figura Hijo(const std::vector<std::string>& args) {
  int tubo[2];
  if (pipe(tubo) != 0) std::abort();
  QElapsedTimer reloj;
  reloj.start();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(tubo[1], STDOUT_FILENO);
    close(tubo[0]);
    close(tubo[1]);
    std::vector<char*> argv;
    std::string self = "/proc/self/exe";
    argv.push_back(self.data());
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
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
  Figura f;
  f.pared = static_cast<double>(reloj.nsecsElapsed()) * 1e-9;
  if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
    std::fprintf(stderr, "the measured program failed\n");
    std::exit(1);
  }
  f.picoMB = static_cast<double>(uso.ru_maxrss) / 1024;
  for (size_t at = 0; at < salida.size();) {
    const size_t fin = salida.find('\n', at);
    f.tiempos.push_back(std::atof(salida.substr(at, fin - at).c_str()));
    at = fin == std::string::npos ? salida.size() : fin + 1;
  }
  return f;
}

std::string& Carpeta() {
  static std::string carpeta;
  return carpeta;
}

// The series as the user meets it, with the times of the tables after it.
void BM_SerieCompleta(benchmark::State& state) {
  Figura f;
  for (auto _ : state) {
    f = Hijo({"--serie", Carpeta()});
    state.SetIterationTime(f.tiempos.at(0));
  }
  state.counters["reabrir_ms"] = f.tiempos.at(1) * 1e3;
  state.counters["llenado_ms"] = f.tiempos.at(2) * 1e3;
  state.counters["componente_ms"] = f.tiempos.at(3) * 1e3;
  state.counters["proceso_s"] = f.pared;
  state.counters["pico_MB"] = f.picoMB;
}
BENCHMARK(BM_SerieCompleta)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const std::string modo = argc > 1 ? argv[1] : "";
  if (modo == "--serie" && argc == 3) {
    QApplication app(argc, argv);
    const int resultado = Serie(QString::fromLocal8Bit(argv[2]));
    std::fflush(nullptr);
    std::_Exit(resultado);  // the user does not wait for the program to end
  }
  if (modo == "--proyecto" && argc == 3) {
    // Only saves the project, for measuring the other modes by hand.
    QApplication app(argc, argv);
    const QString carpeta = QString::fromLocal8Bit(argv[2]);
    bench::CarpetaDelPrograma(carpeta);
    ScriptedDialogs dialogs;
    InstallDialogs(&dialogs);
    bench::GuardaProyectoMayor(carpeta);
    return 0;
  }

  QApplication app(argc, argv);
  QTemporaryDir dir;
  bench::CarpetaDelPrograma(dir.path());
  ScriptedDialogs dialogs;
  InstallDialogs(&dialogs);
  bench::GuardaProyectoMayor(dir.path());
  Carpeta() = dir.path().toStdString();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
