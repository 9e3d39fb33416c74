// Lakes and dams routed inside a whole run of one storm.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/almacenamiento.h"
#include "engine/almacenamiento_fixture.h"
#include "engine/hietograma.h"
#include "engine/simulacion.h"
#include "platform/app.h"
#include "project/configuracion.h"
#include "reservoirs/funciones.h"
#include "reservoirs/red.h"

namespace tavo {
namespace {

class StorageInARun : public test::StorageFixture, public testing::WithParamInterface<test::MethodAndKind> {
 protected:
  void SetUp() override {
    StorageFixture::SetUp();
    DirPrograma = programDir();
  }
  // 30 mm in 30 minutes on a unit of 100 ha without losses, whose travel time is `tc` minutes, over
  // one-minute steps and `after` minutes after the storm.
  void Storm(Single tc, Single after, const QString& into) {
    auto u = test::AddUEH(QStringLiteral("u-A"), into);
    u->Area = 100;
    u->VelMedia = 1;
    u->LongitudMax = tc * 60;
    PpTormenta = 30;
    DurTormenta = 30;
    PasoPp = 1;
    PasoQ = 1;
    TiempoAdicional = after;
    FormaPp = 0;
    DistriPp = 0;
  }
  void Run() {
    DistribucionTemporalPp();
    Proceso_Simulacion(true);
  }
};

INSTANTIATE_TEST_SUITE_P(Methods, StorageInARun, test::kEveryMethodAndKind, test::MethodAndKindName);

TEST_P(StorageInARun, ALinearReservoirPeaksAsTheExactOne) {
  // The unit hands its runoff over a travel time of an hour, so that the first step's inflow is small
  // (Muskingum takes it as the first outflow).
  const test::MethodAndKind c = GetParam();
  const QString name = c.dam ? QStringLiteral("r-L") : QStringLiteral("l-L");
  Storm(60, 150, name);
  if (c.dam) {
    auto r = LinearDam(name, 30, 1, 10);
    r->Metodo = QString::fromUtf8(c.method);
    r->Represa_k_Musk = 30;
  } else {
    auto l = LinearLake(name, 30, 1, 10);
    l->Metodo = QString::fromUtf8(c.method);
    l->Lago_k_Musk = 30;
  }
  Run();

  ASSERT_EQ(nPasosSalida, 180);
  std::vector<Single> inflow = Row(QEntraCompo, 2);
  inflow[0] = 0;
  EXPECT_NEAR(*std::max_element(inflow.begin(), inflow.end()), 100 * 10000 * 0.001 / 60 * 30 / 60, 0.01);
  const std::vector<double> exact = ExactLinear(inflow, 30, 1);
  const double peak = *std::max_element(exact.begin(), exact.end());
  EXPECT_GT(peak, 5);
  EXPECT_NEAR(QpSerie(2, 1), peak, 0.1);
  // Muskingum takes the first inflow (.28) as the first outflow, a difference that fades by 3 % a step.
  const int from = QLatin1String(c.method) == QLatin1String("Muskingum") ? 60 : 0;
  for (int k = from; k <= 180; ++k) EXPECT_NEAR(QSaleCompo(2, k), exact[k], 0.1) << k;
  EXPECT_TRUE(dialogs.records().empty()) << test::DescribeDialogs(dialogs).toStdString();
}

class StorageRunReport : public StorageInARun {};

TEST_F(StorageRunReport, TablesFollowTheUnitsInTheReportAndItsFile) {
  Storm(5, 0, QStringLiteral("l-L"));
  auto l = LinearLake(QStringLiteral("l-L"), 30, 1, 10);
  l->Metodo = QStringLiteral("Runge Kutta");
  PizarraActiva = true;
  Run();
  const qsizetype units = TextoProceso.indexOf(QStringLiteral("II- SIMULACION EN COMPONENTES RESTANTES"));
  const qsizetype detail =
      TextoProceso.indexOf(QStringLiteral("\r\nPlanilla detallada de cálculo de propagación en Lago "));
  const qsizetype end = TextoProceso.indexOf(QStringLiteral("\r\n Fin detalle cálculo proaga en Lago "));
  const qsizetype summary = TextoProceso.indexOf(
      QStringLiteral("\r\nComponente: Lago l-L     Método de Propagación: Runge Kutta\r\nPer.k"));
  ASSERT_GT(units, 0);
  EXPECT_GT(detail, units);
  EXPECT_GT(end, detail);
  EXPECT_GT(summary, end);
  EXPECT_TRUE(TextoProceso.endsWith(QStringLiteral(" m3/s \r\n")));
  EXPECT_EQ(ReportText(), TextoProceso);
  EXPECT_EQ(test::ReadBytes(path("SalePizarra1_tem.txt")).size(), TextoProceso.toLatin1().size() + 4);
}

TEST_F(StorageRunReport, AFailureInsideTheRoutingGoesToTheRunsTrap) {
  // A lake whose table was never read: the run reports the failure and goes on to its report file.
  Storm(5, 0, QStringLiteral("l-L"));
  test::AddLago(QStringLiteral("l-L"))->Metodo = QStringLiteral("Piscina Nivelada");
  dialogs.answer(vbOK);
  Run();
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_TRUE(dialogs.records()[0].prompt.startsWith(QStringLiteral("Error Nro. 9")));
  EXPECT_TRUE(QFile::exists(path("SalePizarra1_tem.txt")));
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

TEST_F(StorageRunReport, EachSingleRunMayWarnAgain) {
  // A lake whose method is still to be chosen stops its routing with a warning, once in each run.
  Storm(5, 0, QStringLiteral("l-L"));
  LinearLake(QStringLiteral("l-L"), 30, 1, 10)->Metodo = QStringLiteral("Directo");
  dialogs.answer(vbOK);
  Run();
  dialogs.answer(vbOK);
  Run();
  ASSERT_EQ(dialogs.records().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(dialogs.records()[0].prompt, dialogs.records()[1].prompt);
  EXPECT_EQ(dialogs.records()[0].title, "Advertencia !");
}

}  // namespace
}  // namespace tavo

namespace tavo {
namespace {

TEST_F(StorageRunReport, ATableQuestionIsAskedOncePerElementAndRun) {
  // Two dams whose height-discharge tables start 2 m above their height-area-storage tables: the
  // level pool looks up outflows below them at almost every step of the run.
  Storm(5, 0, QStringLiteral("r-A"));
  auto u = test::AddUEH(QStringLiteral("u-B"), QStringLiteral("r-B"));
  u->Area = 100;
  u->VelMedia = 1;
  u->LongitudMax = 300;
  for (const QString& name : {QStringLiteral("r-A"), QStringLiteral("r-B")}) {
    auto r = test::AddRepresa(name, QString());
    r->Metodo = QStringLiteral("Piscina Nivelada");
    r->optTabla = true;
    test::PutHSVRepresa(r->numRepresa, {{0, 1, 0}, {10, 1, 100000}});
    test::PutHQRepresa(r->numRepresa, {{2, 0}, {10, 80}});
  }
  OmiteAvisoSalidas = true;  // two outlets, as after a single-storm run
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    dialogs.clear();
    dialogs.answer(vbYes).answer(vbYes);
    Run();
    ASSERT_EQ(dialogs.records().size(), 2u) << test::DescribeDialogs(dialogs).toStdString();
    EXPECT_EQ(dialogs.records()[0].prompt,
              "Error, la tabla H-Q de la Represa r-A tiene un valor inicial más elevado que el de cálculo. "
              "Corrija la tabla y vuelva a procesar");
    EXPECT_TRUE(
        dialogs.records()[1].prompt.startsWith(QStringLiteral("Error, la tabla H-Q de la Represa r-B ")));
    EXPECT_EQ(dialogs.records()[1].title, "Error, la tabla HQ es inconsistente...");
    // Yes goes on with no outflow below the table, for every look-up of the run.
    EXPECT_EQ(QSaleCompo(3, 1), 0);
    EXPECT_TRUE(QFile::exists(path("SalePizarra1_tem.txt")));
  }
  // Outside a run every look-up asks.
  ElementoActual = vRepresas[1];
  dialogs.clear();
  dialogs.answer(vbYes).answer(vbYes);
  QdeHRepresa(1);
  QdeHRepresa(1);
  EXPECT_EQ(dialogs.records().size(), 2u);
  // No ends the program, inside a run as outside one.
  dialogs.clear();
  dialogs.answer(vbNo);
  EXPECT_THROW(Run(), ProgramEnded);
  EXPECT_EQ(dialogs.records().size(), 1u);
}

}  // namespace
}  // namespace tavo
