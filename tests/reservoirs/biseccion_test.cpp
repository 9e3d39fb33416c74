#include <cmath>

#include "reservoirs/funciones.h"
#include "reservoirs/red.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::AddLago;
using test::AddRepresa;

class BiseccionTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    represa = AddRepresa(QStringLiteral("r-uno"));
    represa->optTabla = true;
    ElementoActual = represa;
  }
  Single nivel(const Variant& v) {
    EXPECT_EQ(v.type(), Variant::Type::Single);
    return v.toSingle();
  }
  std::shared_ptr<Represa> represa;
};

// The bracket 100-102 m is halved 11 times; the result is the eleventh midpoint.
TEST_F(BiseccionTest, ElevenHalvingsOnTheDamTable) {
  test::PutHQRepresa(1, {{100, 0}, {102, 20}});
  EXPECT_EQ(HdeQalmaRepresa(5), Variant(Single(100.5009765625f)));
}

// Outflows beyond the table drive the level to within 0.001 m of its ends; an outflow that stays at
// Q over a stretch of levels gives the top of the stretch.
TEST_F(BiseccionTest, LevelsNearTheEndsAndFlatStretches) {
  test::PutHQRepresa(1, {{100, 0}, {101, 5}, {103, 5}, {104, 10}});
  const Single alto = nivel(HdeQalmaRepresa(50));
  EXPECT_GT(alto, 104 - 0.001f);
  EXPECT_LE(alto, 104.0f);
  const Single bajo = nivel(HdeQalmaRepresa(-1));
  EXPECT_GE(bajo, 100.0f);
  EXPECT_LT(bajo, 100 + 0.001f);
  EXPECT_NEAR(nivel(HdeQalmaRepresa(5)), 103, 0.001);
}

// A one-row table gives its own level; a table without rows gives an empty result, silently.
TEST_F(BiseccionTest, OneRowAndEmptyTables) {
  test::PutHQRepresa(1, {{100, 7}});
  EXPECT_EQ(HdeQalmaRepresa(7), Variant(Single(100)));
  test::PutHQRepresa(1, {});
  EXPECT_TRUE(HdeQalmaRepresa(7).isEmpty());
}

// With analytic ranges the bracket spans the switched-on ranges, from 0 unless range 1 is on.
TEST_F(BiseccionTest, AnalyticBracket) {
  represa->optTabla = false;
  EXPECT_EQ(HdeQalmaRepresa(5), Variant(Single(0)));
  represa->chkFQ3 = 1;
  represa->FQa3 = 1;
  represa->FQb3 = 1;
  represa->FQmin3 = 100;
  represa->FQMax3 = 105;
  const Single bajo = nivel(HdeQalmaRepresa(-1));
  EXPECT_GE(bajo, 0.0f);
  EXPECT_LT(bajo, 0.001f);
  EXPECT_NEAR(nivel(HdeQalmaRepresa(2.5f)), 102.5, 0.001);
  EXPECT_NEAR(nivel(HdeQalmaRepresa(1e6f)), 105, 0.001);
}

// Above 16384 m single precision cannot close the bracket to 0.001 m: the halving stops when the
// midpoint no longer moves, without ending the program.
TEST_F(BiseccionTest, HighLevelsStopWhenTheMidpointStops) {
  test::PutHQRepresa(1, {{20000, 0}, {20010, 10}});
  EXPECT_NEAR(nivel(HdeQalmaRepresa(5)), 20005, 0.002);
  EXPECT_NEAR(nivel(HdeQalmaRepresa(20)), 20010, 0.002);
}

TEST_F(BiseccionTest, LakeTwin) {
  auto lago = AddLago(QStringLiteral("l-uno"));
  ElementoActual = lago;
  test::PutHSVQLago(1, {{100, 1, 10, 0}, {102, 2, 20, 20}});
  EXPECT_EQ(HdeQalmaLago(5), Variant(Single(100.5009765625f)));
  test::PutHSVQLago(1, {{100, 1, 10, 3}});
  EXPECT_EQ(HdeQalmaLago(5), Variant(Single(100)));
  test::PutHSVQLago(1, {});
  EXPECT_TRUE(HdeQalmaLago(5).isEmpty());

  ElementoActual = represa;
  dialogs.answer(vbOK);
  EXPECT_TRUE(HdeQalmaLago(5).isEmpty());
  ASSERT_EQ(dialogs.records().size(), 1u);
  EXPECT_EQ(dialogs.records()[0].prompt,
            "Error Nro. 438El objeto no acepta esta propiedad o método ,Verifique");
}

// One memo over the outflows of many steps, of a lake, a dam with a table and a dam with ranges in turn,
// gives what a bisection of its own gives for each.
TEST_F(BiseccionTest, AMemoGivesTheLevelsOfFreshBisections) {
  test::PutHQRepresa(1, {{100, 0}, {101.5f, 7}, {102, 20}, {104.2f, 55}});
  auto rangos = AddRepresa(QStringLiteral("r-dos"));
  rangos->chkFQ2 = 1;
  rangos->FQa2 = 3;
  rangos->FQb2 = 1.5f;
  rangos->FQmin2 = 10;
  rangos->FQMax2 = 16;
  rangos->chkFQ6 = 1;
  rangos->FQa6 = 44;
  rangos->FQb6 = 2;
  rangos->FQc6 = 0.5f;
  rangos->FQmin6 = 16;
  rangos->FQMax6 = 19.5f;
  auto lago = AddLago(QStringLiteral("l-uno"));
  test::PutHSVQLago(1, {{3, 1, 10, 0}, {3.5f, 2, 20, 2.5f}, {6, 2, 20, 31}});
  BisectionMemo memo;
  for (const ObjectRef& elemento :
       {ObjectRef(represa), ObjectRef(rangos), ObjectRef(lago), ObjectRef(represa)}) {
    ElementoActual = elemento;
    for (int i = 0; i < 400; ++i) {
      const Single q = static_cast<Single>(60 * std::fabs(std::sin(i * 0.05)));
      const bool esLago = elemento == ObjectRef(lago);
      const Variant propio = esLago ? HdeQalmaLago(q) : HdeQalmaRepresa(q);
      ASSERT_EQ(esLago ? HdeQalmaLago(q, memo) : HdeQalmaRepresa(q, memo), propio) << i;
    }
  }
  EXPECT_TRUE(dialogs.records().empty());
}

}  // namespace
}  // namespace tavo
