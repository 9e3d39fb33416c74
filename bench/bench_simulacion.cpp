// Cost of one storm over a large network: 70 units, each draining into one of a chain of 70 reaches
// (half routed by lag, half by Muskingum), 1-minute steps, a 2880-minute storm; report off and on.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "engine/frmPp.h"
#include "engine/hietograma.h"
#include "engine/listacomponentes.h"
#include "engine/resultados.h"
#include "engine/simulacion.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/seqfile.h"
#include "project/configuracion.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"

namespace {

using namespace tavo;

void RedGrande() {
  ResetEstadoProyecto();
  for (int i = 1; i <= 70; ++i) {
    auto c = std::make_shared<Cauce>();
    c->NombreCauce = QStringLiteral("c-%1").arg(i);
    c->Cauce_aa = i < 70 ? QStringLiteral("c-%1").arg(i + 1) : QStringLiteral("0");
    c->numCauce = static_cast<Integer>(i);
    c->optDirMusk = i % 2 == 0;
    c->LongCauce = 600 + 30 * i;
    c->VelMediaCauce = 1.5f;
    c->Cauce_k_Musk = 20;
    c->Cauce_n_Musk = 0.2f;
    colCauces.push_back(c);
    vCauces[i] = c;
    auto u = std::make_shared<UEH>();
    u->NombreUEH = QStringLiteral("u-%1").arg(i);
    u->Cauce_aa = c->NombreCauce;
    u->numUEH = static_cast<Integer>(i);
    u->Area = 50 + i;
    u->VelMedia = 1;
    u->LongitudMax = 1200 + 20 * i;
    u->RetensionZ = 5;
    u->KostiakovA = 0.3f;
    u->KostiakovB = 0.5f;
    u->KostiakovI = 2;
    u->Q0Recesion = 0.1f;
    u->KRecesion = 12;
    colUEHs.push_back(u);
    vUEHs[i] = u;
  }
  nCauces = nUEHs = 70;
  PpTormenta = 150;
  DurTormenta = 2880;
  PasoPp = 1;
  PasoQ = 1;
  TiempoAdicional = 60;
  FormaPp = 0;
  DistriPp = 2;
}

void Corre(benchmark::State& state, bool informe) {
  RedGrande();
  for (auto _ : state) {
    SetReportText(QString());
    PizarraActiva = informe;
    DistribucionTemporalPp();
    Proceso_Simulacion(false);
    benchmark::DoNotOptimize(QpSerie(nComponentes, 1));
  }
  state.counters["informe_caracteres"] = static_cast<double>(TextoProceso.size());
}

void BM_TormentaGrandeSinInforme(benchmark::State& state) { Corre(state, false); }
void BM_TormentaGrandeConInforme(benchmark::State& state) { Corre(state, true); }
BENCHMARK(BM_TormentaGrandeSinInforme)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TormentaGrandeConInforme)->Unit(benchmark::kMillisecond);

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
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
