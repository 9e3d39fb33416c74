#include "engine/almacenamiento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/almacenamiento_fixture.h"
#include "platform/errors.h"

namespace tavo {
namespace {

using test::AddCauce;
using test::AddLago;
using test::AddRepresa;
using test::AddUEH;

class StorageRouting : public test::StorageFixture {
 protected:
  // u-1 drains into the element, which has outflow Q = 5·H and storage 100·H from 0 to 16 m.
  void HandNetwork(bool dam, Single scale = 1) {
    AddUEH(QStringLiteral("u-1"), dam ? QStringLiteral("r-1") : QStringLiteral("l-1"));
    if (dam) {
      auto r = AddRepresa(QStringLiteral("r-1"), QString());
      r->Metodo = QStringLiteral("Muskingum");
      r->Represa_k_Musk = 10;
      r->optTabla = true;
      test::PutHSVRepresa(1, {{0, 1, 0}, {16, 1, 1600}});
      test::PutHQRepresa(1, {{0, 0}, {16, 80 * scale}});
    } else {
      auto l = AddLago(QStringLiteral("l-1"), QString());
      l->Metodo = QStringLiteral("Muskingum");
      l->Lago_k_Musk = 10;
      test::PutHSVQLago(1, {{0, 1, 0, 0}, {16, 1, 1600, 80}});
    }
    Prepare(4, 10);
    SetOutflow(QStringLiteral("u-1"), {0, 30 * scale, 60 * scale, 30 * scale});
  }
};

class StorageTwins : public StorageRouting, public testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(LakeAndDam, StorageTwins, testing::Bool(),
                         [](const auto& info) { return info.param ? "Dam" : "Lake"; });

TEST_P(StorageTwins, MuskingumTableByHand) {
  const bool dam = GetParam();
  HandNetwork(dam);
  const Integer j = 2;
  dam ? Proceso_en_Represa(j) : Proceso_en_Lago(j);

  EXPECT_EQ(Row(QEntraCompo, j), (std::vector<Single>{0, 0, 30, 60, 30}));
  const std::vector<Single> expected{0, 0, 10, 33.333f, 41.111f};
  const std::vector<Single> outflow = Row(QSaleCompo, j);
  const std::vector<Single> level = Row(dam ? HEmbalseRepresa : HEmbalseLago, 1);
  const std::vector<Single> storage = Row(dam ? SEmbalseRepresa : SEmbalseLago, 1);
  for (int k = 0; k <= 4; ++k) {
    EXPECT_NEAR(outflow[k], expected[k], 0.001) << k;
    // The level is the one whose outflow is the step's (Q = 5·H), found to 0.001 m; S = 100·H.
    EXPECT_NEAR(level[k], expected[k] / 5, k == 0 ? 0 : 0.001) << k;
    EXPECT_NEAR(storage[k], 100 * level[k], 0.01) << k;
  }
  EXPECT_NEAR(QpSerie(j, 1), 41.111, 0.001);
  EXPECT_FLOAT_EQ(VolEntra, 72000);
  EXPECT_NEAR(VolSale, 50666.67, 0.1);
}

TEST_F(StorageRouting, SummaryTableWithTheReportOn) {
  PizarraActiva = true;
  TextoProceso = QStringLiteral("Antes");
  HandNetwork(false);
  Proceso_en_Lago(2);

  // clang-format off
  const QString expected = QStringLiteral(
      "Antes\r\n"
      "\r\nComponente: Lago l-1     Método de Propagación: Muskingum"
      "\r\nPer.k  t[min]  Qentra[m3/s] Qsale[m3/s]   H[m]     Vol.Alm.[m3]"
      "\r\n " " 0     " " 0     " " 0         " " 0           " " 0        " " 0        "
      "\r\n " " 1     " " 10    " " 0         " " 0           " " 0        " " 0        "
      "\r\n " " 2     " " 20    " " 30        " " 10          " " 2        " " 200      "
      "\r\n " " 3     " " 30    " " 60        " " 33.333      " " 6.67     " " 667      "
      "\r\n " " 4     " " 40    " " 30        " " 41.111      " " 8.22     " " 822      "
      "\r\nVolumen Escurrido. Entra =  72000 m3 ; Sale =  50667 m3"
      "\r\nCaudal Máximo =  41.11 m3/s \r\n");
  // clang-format on
  EXPECT_EQ(TextoProceso, expected);
  EXPECT_EQ(ReportText(), expected);
}

TEST_F(StorageRouting, ReportOffStillTakesThePeakAndTheVolumes) {
  PizarraActiva = false;
  HandNetwork(true);
  Proceso_en_Represa(2);
  EXPECT_TRUE(TextoProceso.isEmpty());
  EXPECT_NEAR(QpSerie(2, 1), 41.111, 0.001);
  EXPECT_FLOAT_EQ(VolEntra, 72000);
  EXPECT_FALSE(frmPp::exists());
}

TEST_F(StorageRouting, LargeVolumesInExponentForm) {
  PizarraActiva = true;
  HandNetwork(true, 1000);
  Proceso_en_Represa(2);
  EXPECT_TRUE(TextoProceso.contains(
      QStringLiteral("\r\nComponente: Represa r-1     Método de Propagación: Muskingum")));
  EXPECT_TRUE(
      TextoProceso.contains(QStringLiteral("Volumen Escurrido. Entra =  7.2E+07 m3 ; Sale =  5.06666")))
      << TextoProceso.toStdString();
}

TEST_F(StorageRouting, VolumesAreSummedInSinglePrecision) {
  // Each step adds PasoQ × Q × 60 worked out in Single: 10 × .107 × 60 gives 64.20000458, where the
  // product taken in Double and rounded once gives 64.19999695; the sum keeps the difference.
  AddUEH(QStringLiteral("u-1"), QStringLiteral("l-1"));
  LinearLake(QStringLiteral("l-1"), 30, 1, 20)->Metodo = QStringLiteral("Muskingum");
  Prepare(2, 10);
  SetOutflow(QStringLiteral("u-1"), {0.107f, 0.07f});
  Proceso_en_Lago(2);
  EXPECT_EQ(VolEntra, 106.200005f);
}

TEST_F(StorageRouting, InflowFromUnitsAndReachesAndTheInitialFlowOfUnitsOnly) {
  AddUEH(QStringLiteral("u-1"), QStringLiteral("l-1"))->Q0Recesion = 1.5f;
  AddUEH(QStringLiteral("u-2"), QStringLiteral("c-1"))->Q0Recesion = 4;
  AddUEH(QStringLiteral("u-3"), QStringLiteral("l-1"))->Q0Recesion = 0.25f;
  AddCauce(QStringLiteral("c-9"), QString())->numCauce = 9;
  AddCauce(QStringLiteral("c-1"), QStringLiteral("l-1"))->numCauce = 7;
  auto lago = LinearLake(QStringLiteral("l-1"), 30, 1, 20);
  lago->Metodo = QStringLiteral("Piscina Nivelada");
  Prepare(2, 10);
  SetOutflow(QStringLiteral("u-1"), {1, 2});
  SetOutflow(QStringLiteral("u-2"), {100, 100});
  SetOutflow(QStringLiteral("u-3"), {10, 20});
  SetOutflow(QStringLiteral("c-9"), {1000, 1000});
  SetOutflow(QStringLiteral("c-1"), {0.5f, 0.25f});
  const Integer j = Pos(QStringLiteral("l-1"));

  Proceso_en_Lago(j);
  EXPECT_EQ(Row(QEntraCompo, j), (std::vector<Single>{1.75f, 11.5f, 22.25f}));
  EXPECT_EQ(iUEH, 3);
  EXPECT_EQ(CompoSel, Pos(QStringLiteral("c-1")));
  EXPECT_EQ(iCauce, 7);

  // A contributor missing from the component list is a failure for the run's trap.
  Prepare(2, 10);
  NombresComponentes(3) = QStringLiteral("u-otra");
  EXPECT_EQ(test::ErrorOf([&] { Proceso_en_Lago(j); }), kErrSubscript);
}

struct MethodCase {
  bool dam;
  bool badFirst;  // the element with an unknown method stands before the routed ones
};
void PrintTo(const MethodCase& c, std::ostream* os) {
  *os << (c.dam ? "dam" : "lake") << (c.badFirst ? ", unknown method before" : ", unknown method after");
}
class UnknownMethod : public StorageRouting, public testing::WithParamInterface<MethodCase> {};
INSTANTIATE_TEST_SUITE_P(Walk, UnknownMethod,
                         testing::Values(MethodCase{false, true}, MethodCase{false, false},
                                         MethodCase{true, true}, MethodCase{true, false}),
                         [](const auto& info) {
                           return std::string(info.param.dam ? "Dam" : "Lake") +
                                  (info.param.badFirst ? "Before" : "After");
                         });

TEST_P(UnknownMethod, StopsTheWalkAndIsReportedOncePerRun) {
  const MethodCase c = GetParam();
  const QString kind = c.dam ? QStringLiteral("r-") : QStringLiteral("l-");
  PizarraActiva = true;
  AddUEH(QStringLiteral("u-1"), kind + QLatin1Char('1'));
  AddUEH(QStringLiteral("u-2"), kind + QLatin1Char('2'));
  auto addBad = [&] {
    // A lake placed in the editor and never opened in its dialog carries "Directo"; a dam's may be empty.
    if (c.dam) {
      AddRepresa(QStringLiteral("r-Malo"), QString());
    } else {
      AddLago(QStringLiteral("l-Malo"), QString())->Metodo = QStringLiteral("Directo");
    }
  };
  if (c.badFirst) addBad();
  for (const QChar n : {QLatin1Char('1'), QLatin1Char('2')}) {
    if (c.dam) {
      LinearDam(kind + n, 30, 1, 20)->Metodo = QStringLiteral("Muskingum");
    } else {
      LinearLake(kind + n, 30, 1, 20)->Metodo = QStringLiteral("Muskingum");
    }
  }
  if (!c.badFirst) addBad();
  Prepare(3, 10);
  SetOutflow(QStringLiteral("u-1"), {0, 5, 5});
  SetOutflow(QStringLiteral("u-2"), {0, 5, 5});
  const Integer first = Pos(kind + QLatin1Char('1'));
  const Integer second = Pos(kind + QLatin1Char('2'));
  auto route = [&](Integer j) { c.dam ? Proceso_en_Represa(j) : Proceso_en_Lago(j); };

  dialogs.answer(vbOK);
  route(first);
  route(second);
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      c.dam ? QStringLiteral("Error, Seleccione el método de propagación de la represa en el formulario de "
                             "Propiedadesr-Malo. ")
            : QStringLiteral("Error, Seleccione el método de propagación del lago en el formulario de "
                             "Propiedadesl-Malo. "));
  EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Advertencia !"));
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  for (Integer j : {first, second}) {
    // Standing before the routed element the bad one leaves it without inflow or outflow; standing
    // after it, the routed element is complete.
    EXPECT_EQ(QEntraCompo(j, 2), c.badFirst ? 0 : 5);
    EXPECT_EQ(QSaleCompo(j, 3) > 0, !c.badFirst);
    EXPECT_EQ(TextoProceso.contains(NombresComponentes(j)), !c.badFirst);
  }

  // The next run warns again.
  ForgetStorageWarnings();
  dialogs.answer(vbOK);
  route(first);
  EXPECT_EQ(dialogs.records().size(), 2u);
}

TEST_F(StorageRouting, MuskingumConstantsWithoutCoefficientsAreReportedOncePerRun) {
  PizarraActiva = true;
  HandNetwork(false);
  vLagos[1]->Lago_k_Musk = -5;  // K = -dt/2 leaves no denominator
  dialogs.answer(vbOK);
  Proceso_en_Lago(2);
  Proceso_en_Lago(2);
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      QStringLiteral("Error, Los parámetros de Muskingum utilizados en el tramo de caucel-1 son erróneos. "
                     "Verifique, o cambie a propagación Directa desde el Editor de UEHs "));
  EXPECT_EQ(dialogs.records()[0].title, QStringLiteral("Advertencia !"));
  EXPECT_EQ(dialogs.records()[0].style, vbOKOnly | vbExclamation);
  // The inflow is formed (twice, by the two calls); nothing else is.
  EXPECT_EQ(QEntraCompo(2, 3), 120);
  EXPECT_EQ(Row(QSaleCompo, 2), std::vector<Single>(5, 0));
  EXPECT_EQ(Row(HEmbalseLago, 1), std::vector<Single>(5, 0));
  EXPECT_EQ(QpSerie(2, 1), 0);
  EXPECT_TRUE(TextoProceso.isEmpty());
}

class LinearReservoir : public StorageRouting, public testing::WithParamInterface<test::MethodAndKind> {};
INSTANTIATE_TEST_SUITE_P(Methods, LinearReservoir, test::kEveryMethodAndKind, test::MethodAndKindName);

TEST_P(LinearReservoir, AgreesWithTheExactSolution) {
  const test::MethodAndKind c = GetParam();
  // Triangular inflow 0 → 20 → 0 m3/s over an hour, starting after the first step of 5 minutes.
  std::vector<Single> inflow{0};
  for (int k = 1; k <= 40; ++k) {
    const double t = 5.0 * k - 5;
    inflow.push_back(static_cast<Single>(t <= 30 ? 20 * t / 30 : std::max(0.0, 20 * (60 - t) / 30)));
  }
  const std::vector<double> exact = ExactLinear(inflow, 30, 5);
  AddUEH(QStringLiteral("u-1"), c.dam ? QStringLiteral("r-1") : QStringLiteral("l-1"));
  if (c.dam) {
    auto r = LinearDam(QStringLiteral("r-1"), 30, 1, 20);
    r->Metodo = QString::fromUtf8(c.method);
    r->Represa_k_Musk = 30;
  } else {
    auto l = LinearLake(QStringLiteral("l-1"), 30, 1, 20);
    l->Metodo = QString::fromUtf8(c.method);
    l->Lago_k_Musk = 30;
  }
  Prepare(40, 5);
  SetOutflow(QStringLiteral("u-1"), std::vector<Single>(inflow.begin() + 1, inflow.end()));
  c.dam ? Proceso_en_Represa(2) : Proceso_en_Lago(2);

  double peak = 0;
  for (int k = 0; k <= 40; ++k) {
    EXPECT_NEAR(QSaleCompo(2, k), exact[k], 0.1) << k;
    peak = std::max(peak, exact[k]);
  }
  EXPECT_NEAR(QpSerie(2, 1), peak, 0.1);
  // The level follows the outflow: Q = S / K = 10000·H / 1800.
  EXPECT_NEAR((c.dam ? HEmbalseRepresa : HEmbalseLago)(1, 20), exact[20] * 0.18, 0.02);
}

}  // namespace
}  // namespace tavo
