#include <cmath>

#include "reservoirs/funciones.h"
#include "reservoirs/red.h"
#include "support/fixture.h"

namespace tavo {
namespace {

using test::AddRepresa;

class DescargaTest : public test::TavoTest {
 protected:
  void SetUp() override {
    TavoTest::SetUp();
    represa = AddRepresa(QStringLiteral("r-uno"));
    ElementoActual = represa;
  }
  void rango(int k, Integer chk, Single a, Single b, Single c, Single hmin, Single hmax) {
    represa->chkFQ(k) = chk;
    represa->FQa(k) = a;
    represa->FQb(k) = b;
    if (k >= 5) represa->FQc(k) = c;
    represa->FQmin(k) = hmin;
    represa->FQMax(k) = hmax;
  }
  std::shared_ptr<Represa> represa;
};

// The switched-on ranges that hold the level add up, each with the level measured from its own
// lower limit and both limits inclusive; only a switch of exactly 1 turns a range on.
TEST_F(DescargaTest, AnalyticRangesAddUp) {
  rango(1, 1, 2, 1.5f, 0, 100, 104);  // 2·d^1.5
  rango(5, 1, 1, 2, 0.5f, 102, 106);  // 1 + 2·d + 0.5·d²
  rango(2, 2, 100, 1, 0, 90, 110);    // switch 2: off
  rango(3, -1, 100, 1, 0, 90, 110);   // switch -1: off
  rango(6, 1, 100, 0, 0, 110, 108);   // lower limit above the upper: never on
  rango(4, 1, 3, 0, 0, 107, 108);     // exponent 0: a from the lower limit on
  const struct {
    Single h;
    Single q;
  } casos[] = {
      {99.9f, 0},    {100, 0},     {101, 2},  {102, CSng(CSng(2 * std::pow(2.0, 1.5)) + 1.0)},
      {104, 16 + 7}, {105, 11.5f}, {106, 17}, {106.5f, 0},
      {107, 3},      {108, 3},     {109, 0},
  };
  for (const auto& c : casos) EXPECT_EQ(QdeHRepresa(c.h), Variant(c.q)) << "H = " << c.h;
  EXPECT_EQ(NumberText(QdeHRepresa(102)), " 6.656854");
}

TEST_F(DescargaTest, NoRangeOnGivesZeroAndTheTableBranchReadsTheTable) {
  EXPECT_EQ(QdeHRepresa(100), Variant(Single(0)));
  test::PutHQRepresa(1, {{100, 0}, {102, 20}});
  represa->optTabla = true;
  rango(1, 1, 1000, 1, 0, 0, 1000);
  EXPECT_EQ(QdeHRepresa(101), Variant(Single(10)));
  EXPECT_EQ(QdeHRepresa(102), Variant(Single(20)));
}

// A failure inside the outflow (0 to a negative power, a record of another kind) is reported with
// the common message and gives an empty result.
TEST_F(DescargaTest, FailuresAreReportedAndGiveEmpty) {
  rango(2, 1, 1, -1, 0, 100, 110);
  dialogs.answer(vbOK).answer(vbOK);
  EXPECT_TRUE(QdeHRepresa(100).isEmpty());
  EXPECT_EQ(QdeHRepresa(101), Variant(Single(1)));
  ElementoActual = std::make_shared<Lago>();
  EXPECT_TRUE(QdeHRepresa(101).isEmpty());
  ASSERT_EQ(dialogs.records().size(), 2u);
  EXPECT_EQ(dialogs.records()[0].prompt, "Error Nro. 11División por cero ,Verifique");
  EXPECT_EQ(dialogs.records()[1].prompt,
            "Error Nro. 438El objeto no acepta esta propiedad o método ,Verifique");
}

// CargaFQRepresas takes a snapshot of every dam's ranges, indexed by dam number.
TEST_F(DescargaTest, CargaFQRepresasCopiesTheRanges) {
  CargaFQRepresas();
  EXPECT_EQ(ChkFQRepresa.upper1(), 1);
  colRepresas.clear();
  nRepresas = 0;
  CargaFQRepresas();
  EXPECT_EQ(ChkFQRepresa.upper1(), 0);
  EXPECT_EQ(ChkFQRepresa.upper2(), 8);
  EXPECT_EQ(CoefFQRepresa.upper1(), 0);
  EXPECT_EQ(CoefFQRepresa.upper3(), 5);
  EXPECT_EQ(ChkFQRepresa(0, 8), 0);

  represa = AddRepresa(QStringLiteral("r-a"));
  rango(3, 1, 1.5f, 2.5f, 0, 10, 20);
  auto segunda = AddRepresa(QStringLiteral("r-b"));
  segunda->chkFQ8 = 2;
  segunda->FQc8 = 5.5f;
  segunda->FQMax8 = 40;
  CargaFQRepresas();
  EXPECT_EQ(ElementoActual, segunda);
  EXPECT_EQ(ChkFQRepresa(1, 3), 1);
  EXPECT_EQ(CoefFQRepresa(1, 3, 1), 1.5f);
  EXPECT_EQ(CoefFQRepresa(1, 3, 2), 2.5f);
  EXPECT_EQ(CoefFQRepresa(1, 3, 3), 0.0f);
  EXPECT_EQ(CoefFQRepresa(1, 3, 4), 10.0f);
  EXPECT_EQ(CoefFQRepresa(1, 3, 5), 20.0f);
  EXPECT_EQ(ChkFQRepresa(2, 8), 2);
  EXPECT_EQ(CoefFQRepresa(2, 8, 3), 5.5f);
  EXPECT_EQ(CoefFQRepresa(2, 8, 5), 40.0f);
  EXPECT_EQ(CoefFQRepresa(2, 0, 0), 0.0f);

  segunda->chkFQ8 = 1;
  EXPECT_EQ(ChkFQRepresa(2, 8), 2);
}

}  // namespace
}  // namespace tavo
