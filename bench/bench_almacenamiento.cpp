// Cost of routing the lakes and dams of the largest network (70 lakes and 20 dams, fed by 70 units and 20
// reaches) by level pool over 2880 one-minute steps, with the report off and on.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>

#include "engine/almacenamiento.h"
#include "engine/frmPp.h"
#include "engine/listacomponentes.h"
#include "engine/resultados.h"
#include "project/estado.h"
#include "rainfall/tormenta.h"
#include "reservoirs/tablas.h"

namespace {

using namespace tavo;

constexpr int kLagos = 70;
constexpr int kRepresas = 20;
constexpr int kUEHs = 70;
constexpr int kCauces = 20;
constexpr int kPasos = 2880;

// Storage-outflow tables of 6 rows from 0 to 5 m; units 1..50 drain into lakes 1..50, units 51..70 into
// the dams, and reaches into lakes 51..70.
void BuildNetwork() {
  ResetEstadoProyecto();
  ResetReservoirState();
  NFilasHSVQLago.redim(0, kLagos);
  for (auto* a : {&HTablaHSVQLago, &ATablaHSVQLago, &QTablaHSVQLago}) a->redim(kLagos, 6);
  STablaHSVQLago.redim(kLagos, 6);
  NFilasHSVRepresa.redim(0, kRepresas);
  for (auto* a : {&HTablaHSVRepresa, &ATablaHSVRepresa}) a->redim(kRepresas, 6);
  STablaHSVRepresa.redim(kRepresas, 6);
  NFilasHQRepresa.redim(0, kRepresas);
  for (auto* a : {&HTablaHQRepresa, &QTablaHQRepresa}) a->redim(kRepresas, 6);

  nComponentes = kUEHs + kCauces + kLagos + kRepresas;
  NombresComponentes.redim(0, nComponentes);
  for (int i = 1; i <= kUEHs; ++i) {
    auto u = std::make_shared<UEH>();
    u->NombreUEH = QStringLiteral("u-%1").arg(i);
    u->numUEH = static_cast<Integer>(i);
    u->Q0Recesion = 0.5f;
    colUEHs.push_back(u);
    vUEHs[i] = u;
    NombresComponentes(i) = u->NombreUEH;
  }
  nUEHs = kUEHs;
  for (int c = 1; c <= kCauces; ++c) {
    auto cauce = std::make_shared<Cauce>();
    cauce->NombreCauce = QStringLiteral("c-%1").arg(c);
    cauce->numCauce = static_cast<Integer>(c);
    cauce->Cauce_aa = QStringLiteral("l-%1").arg(50 + c);
    colCauces.push_back(cauce);
    vCauces[c] = cauce;
    NombresComponentes(nUEHs + c) = cauce->NombreCauce;
  }
  nCauces = kCauces;
  for (int n = 1; n <= kLagos; ++n) {
    auto l = std::make_shared<Lago>();
    l->NombreLAGO = QStringLiteral("l-%1").arg(n);
    l->numLAGO = static_cast<Integer>(n);
    l->Metodo = QStringLiteral("Piscina Nivelada");
    colLagos.push_back(l);
    vLagos[n] = l;
    if (n <= 50) colUEHs[n - 1]->Cauce_aa = l->NombreLAGO;
    NombresComponentes(nUEHs + nCauces + n) = l->NombreLAGO;
    NFilasHSVQLago(n) = 6;
    for (int r = 1; r <= 6; ++r) {
      const Single h = static_cast<Single>(r - 1);
      HTablaHSVQLago(n, r) = h;
      ATablaHSVQLago(n, r) = 2 + h;
      STablaHSVQLago(n, r) = static_cast<Long>(10000 * (2 * h + h * h / 2));
      QTablaHSVQLago(n, r) = static_cast<Single>(8 * std::pow(h, 1.5));
    }
  }
  nLagos = kLagos;
  for (int n = 1; n <= kRepresas; ++n) {
    auto r = std::make_shared<Represa>();
    r->NombreRepresa = QStringLiteral("r-%1").arg(n);
    r->numRepresa = static_cast<Integer>(n);
    r->Metodo = QStringLiteral("Piscina Nivelada");
    r->optTabla = true;
    colRepresas.push_back(r);
    vRepresas[n] = r;
    colUEHs[50 + n - 1]->Cauce_aa = r->NombreRepresa;
    NombresComponentes(nUEHs + nCauces + kLagos + n) = r->NombreRepresa;
    NFilasHSVRepresa(n) = 6;
    NFilasHQRepresa(n) = 6;
    for (int row = 1; row <= 6; ++row) {
      const Single h = static_cast<Single>(row - 1);
      HTablaHSVRepresa(n, row) = h;
      ATablaHSVRepresa(n, row) = 5 + h;
      STablaHSVRepresa(n, row) = static_cast<Long>(10000 * (5 * h + h * h / 2));
      HTablaHQRepresa(n, row) = h;
      QTablaHQRepresa(n, row) = static_cast<Single>(12 * std::pow(h, 1.5));
    }
  }
  nRepresas = kRepresas;
  PasoQ = 1;
}

void PrepareStorm() {
  nPasosSalida = kPasos;
  kTormenta = 1;
  QSaleCompo.redim(0, nComponentes, 0, kPasos + 1);
  QEntraCompo.redim(nUEHs + 1, nComponentes + 1, 0, kPasos + 1);
  HEmbalseLago.redim(0, nLagos, 0, kPasos + 1);
  SEmbalseLago.redim(0, nLagos, 0, kPasos + 1);
  HEmbalseRepresa.redim(0, nRepresas, 0, kPasos + 1);
  SEmbalseRepresa.redim(0, nRepresas, 0, kPasos + 1);
  QpSerie.redim(0, nComponentes, 0, 1);
  for (int i = 1; i <= nUEHs + nCauces; ++i) {
    for (int k = 1; k <= kPasos; ++k) {
      const double t = k / 60.0;  // hours
      QSaleCompo(i, k) = static_cast<Single>(0.5 + 20 * t * std::exp(1 - t));
    }
  }
  TextoProceso.clear();
  ForgetStorageWarnings();
}

void RouteAll() {
  for (Integer j = static_cast<Integer>(nUEHs + nCauces + 1); j <= nComponentes; ++j) {
    if (NombresComponentes(j).startsWith(QLatin1String("l-"))) {
      Proceso_en_Lago(j);
    } else {
      Proceso_en_Represa(j);
    }
  }
}

void BM_RouteLakesAndDamsLevelPool(benchmark::State& state) {
  BuildNetwork();
  PizarraActiva = state.range(0) != 0;
  if (PizarraActiva) frmPp::instance();
  for (auto _ : state) {
    state.PauseTiming();
    PrepareStorm();
    if (PizarraActiva) SetReportText(QString());
    state.ResumeTiming();
    RouteAll();
  }
  state.counters["report_chars"] = static_cast<double>(TextoProceso.size());
}
BENCHMARK(BM_RouteLakesAndDamsLevelPool)->ArgName("report")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  frmPp::unload();
  return 0;
}
