#include <gtest/gtest.h>

#include "engine/almacenamiento.h"
#include "engine/almacenamiento_fixture.h"
#include "platform/app.h"

namespace tavo {
namespace {

using test::AddLago;
using test::AddRepresa;
using test::AddUEH;

class RungeKutta : public test::StorageFixture {};

TEST_F(RungeKutta, ConstantFlowsAndAreaChangeTheLevelByTheSameAmountEveryStep) {
  // Inflow 3, outflow 1 at every level, 1 ha: (3 − 1) / 10000 m2 × 600 s = 0.12 m a step.
  auto lago = AddLago(QStringLiteral("l-1"), QString());
  lago->Metodo = QStringLiteral("Runge Kutta");
  lago->HInicialEmb = 1;
  test::PutHSVQLago(1, {{0, 1, 0, 1}, {10, 1, 100000, 1}});
  AddUEH(QStringLiteral("u-1"), QStringLiteral("l-1"))->Q0Recesion = 3;
  Prepare(5, 10);
  SetOutflow(QStringLiteral("u-1"), {3, 3, 3, 3, 3});
  Proceso_en_Lago(2);

  for (int k = 0; k <= 5; ++k) {
    EXPECT_NEAR(HEmbalseLago(1, k), 1 + 0.12 * k, 1e-5) << k;
    EXPECT_NEAR(SEmbalseLago(1, k), 10000 * (1 + 0.12 * k), 0.1) << k;
  }
  EXPECT_EQ(QEntraCompo(2, 0), 3);
  // The outflow of the initial level drives the first step but is not the outflow of step 0.
  EXPECT_EQ(Row(QSaleCompo, 2), (std::vector<Single>{0, 1, 1, 1, 1, 1}));
  EXPECT_FLOAT_EQ(VolSale, 5 * 600);
  EXPECT_FLOAT_EQ(VolEntra, 6 * 3 * 600);
}

TEST_F(RungeKutta, AZeroAreaIsAskedAboutOncePerElementAndRun) {
  // The first row has no area and the level starts on it, so it never moves.
  auto lago = AddLago(QStringLiteral("l-1"), QString());
  lago->Metodo = QStringLiteral("Runge Kutta");
  test::PutHSVQLago(1, {{0, 0, 0, 0.5f}, {10, 1, 100000, 2}});
  AddUEH(QStringLiteral("u-1"), QStringLiteral("l-1"));
  PizarraActiva = false;
  // clang-format off
  const QString detail = QStringLiteral(
      "\r\nPlanilla detallada de cálculo de propagación en Lago "
      "\r\nk    t     qe(i, k)    dH1   dH2  dH3   q(i, k)"
      "\r\nComponente: Lago l-1     Método de Propagación: Runge Kutta"
      "\r\n 0" "   " " 0" "   " " 0" "   " " 0" "   " " 0" "   " " 0" "        " " 0" "  " " 0" "  " " 0"
      "\r\n 1" "   " " 10" "   " " 2" "   " " 0" "   " " 0" "   " " 0" "        " " .5" "  " " 0" "  " " 0"
      "\r\n 2" "   " " 20" "   " " 2" "   " " 0" "   " " 0" "   " " 0" "        " " .5" "  " " 0" "  " " 0"
      "\r\n Fin detalle cálculo proaga en Lago ");
  // clang-format on

  dialogs.answer(vbYes);
  for (int storm = 1; storm <= 2; ++storm) {
    TextoProceso.clear();
    Prepare(2, 10);
    SetOutflow(QStringLiteral("u-1"), {2, 2});
    Proceso_en_Lago(2);
    EXPECT_EQ(TextoProceso, detail);
  }
  ASSERT_EQ(dialogs.records().size(), 1u) << test::DescribeDialogs(dialogs).toStdString();
  EXPECT_EQ(
      dialogs.records()[0].prompt,
      QStringLiteral("La superficie a(h) obtenida para h=  0 de la Lago l-1 es CERO. ¿Desea continuar?  "));
  EXPECT_EQ(dialogs.records()[0].title,
            QStringLiteral("Error...Verifique función Altura Superficie de la Lago"));
  EXPECT_EQ(dialogs.records()[0].style, vbYesNo | vbExclamation);
  EXPECT_EQ(AEmbalse, 0);
}

TEST_F(RungeKutta, NoToTheZeroAreaQuestionEndsTheProgram) {
  auto represa = AddRepresa(QStringLiteral("r-1"), QString());
  represa->Metodo = QStringLiteral("Runge Kutta");
  represa->HInicialEmb = 3;
  test::PutHSVRepresa(1, {{3, 0, 0}, {10, 1, 70000}});
  Prepare(2, 10);
  dialogs.answer(vbNo);
  EXPECT_THROW(Proceso_en_Represa(1), ProgramEnded);
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt,
            QStringLiteral(
                "La superficie a(h) obtenida para h=  3 de la Represa r-1 es CERO. ¿Desea continuar?  "));
  EXPECT_EQ(dialogs.records()[0].title,
            QStringLiteral("Error...Verifique función Altura Superficie de la Represa"));
}

}  // namespace
}  // namespace tavo
