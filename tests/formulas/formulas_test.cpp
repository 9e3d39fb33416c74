#include "formulas/formulas.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/fixture.h"

namespace tavo {
namespace {

// What a peak-flow row shows for an area: blank outside its range, else its rounded number text.
QString RowText(int row, Double S) {
  return PeakFlowApplies(row, S) ? ResultText(PeakFlow(row, S)) : QString();
}

// The eighteen rows for one area; nullptr where the row is not checked.
struct AreaCase {
  Double S;
  const char* rows[kPeakFlowRows];
};

TEST(PeakFlow, EveryRowAtTheAreasThatMatter) {
  const AreaCase cases[] = {
      {1,
       {" 16.5", " 33", " 50", " 66", " 52.5", " 175", " 55.55", "", " 4.17", " 2.5", " 6.9", " 17", " 21",
        " 3.05", " 3.83", " 8.5", " 27", " 29.2"}},
      {10,
       {" 128.45", " 104.36", " 158.11", " 208.71", nullptr, nullptr, " 310", "", nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, " 267.17"}},
      {19.99, {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, ""}},
      {20, {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, " 527.27"}},
      {26.4, {" 265.74", " 169.56"}},
      // Santi jumps from the square root to the two-thirds power at 1000 km2.
      {999, {nullptr, " 1043.03", " 1580.35", " 2086.06"}},
      {1000, {nullptr, " 3300", " 5000", " 6600", nullptr, nullptr, " 1594.06", " 2660.55"}},
      {1000.5, {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "", ""}},
      {10000,
       {" 5512.05", " 15317.24", " 23207.94", " 30634.49", " 5250", " 17500", "", "", " 2380.95", " 5386.09",
        " 6900", " 7890.7", " 5274.96", " 3393.49", " 4081.62", " 3945.35", " 2700", " 2805.07"}},
  };
  for (const AreaCase& c : cases) {
    for (int row = 1; row <= kPeakFlowRows; ++row) {
      if (!c.rows[row - 1]) continue;
      EXPECT_EQ(RowText(row, c.S), QString::fromLatin1(c.rows[row - 1])) << "S = " << c.S << ", row " << row;
    }
  }
}

TEST(PeakFlow, CreagerTakesTheAreaToThePowerOfItsOwnMinusTwentiethPower) {
  // Qp = 0.55 C S^(S^-0.05) with C = 30: a curve that flattens with the area, finite for every S > 0.
  const std::pair<Double, const char*> cases[] = {
      {1, " 16.5"},       {10, " 128.45"},     {100, " 639.94"},
      {1000, " 2194.43"}, {10000, " 5512.05"}, {0.5, " 8.05"},
  };
  for (const auto& [S, text] : cases) EXPECT_EQ(RowText(1, S), QString::fromLatin1(text)) << S;
  for (Double S = 0.25; S <= 10000; S *= 1.5) EXPECT_GT(PeakFlow(1, S), 0.0f) << S;
  // Only an area beyond Double (a typed 1e400) still fails, to 0.
  EXPECT_EQ(PeakFlow(1, HUGE_VAL), 0.0f);
}

// The concentration times as their rows show them: a time of exactly 0 is blank.
struct TcCase {
  Double L, H, i, S;
  const char* california;
  const char* ventura;
  const char* scs;
};

QString TcText(Single tc) {
  return tc == 0 ? QString() : ResultText(tc);
}

TEST(ConcentrationTime, ValuesAndFailures) {
  const TcCase cases[] = {
      {1, 100, 1, 1, " 9.66", " 76.32", " 29.29"},
      {10, 500, 2, 100, " 74.26", " 539.66", " 101.15"},
      // Ventura divides by the square root of the slope, never by the length.
      {10, 500, 0.5, 1, " 74.26", " 107.93", " 294.15"},
      // H 0 divides by zero; L 0 gives California and SCS exactly 0 and leaves Ventura alone.
      {1, 0, 1, 1, "", " 76.32", " 29.29"},
      {0, 100, 1, 1, "", " 76.32", ""},
      {0, 0, 1, 1, "", " 76.32", ""},
      // A slope of 0 divides Ventura by zero.
      {1, 100, 0, 1, " 9.66", "", ""},
      // Fractional powers of negative bases: a negative area, L and H of opposite signs, a negative L.
      {1, 100, 1, -5, " 9.66", "", " 29.29"},
      {-1, 100, 1, 1, "", " 76.32", ""},
      {-1, -100, 1, 1, " 9.66", " 76.32", ""},
      // Lengths beyond Double (a typed 1e400) fail as well.
      {HUGE_VAL, 100, 1, 1, "", " 76.32", ""},
      {1, HUGE_VAL, 1, 1, "", " 76.32", " 29.29"},
  };
  for (const TcCase& c : cases) {
    EXPECT_EQ(TcText(TcCalifornia(c.L, c.H)), QString::fromLatin1(c.california)) << c.L << " " << c.H;
    EXPECT_EQ(TcText(TcVentura(c.S, c.i)), QString::fromLatin1(c.ventura)) << c.S << " " << c.i;
    EXPECT_EQ(TcText(TcSCSUS(c.L, c.i)), QString::fromLatin1(c.scs)) << c.L << " " << c.i;
  }
}

TEST(ResultText, RoundsToHundredthsHalvesToEven) {
  EXPECT_EQ(ResultText(0.05f), " .05");
  EXPECT_EQ(ResultText(0.004f), " 0");
  EXPECT_EQ(ResultText(0.125f), " .12");
  EXPECT_EQ(ResultText(0.375f), " .38");
  EXPECT_EQ(ResultText(3300), " 3300");
  EXPECT_EQ(ResultText(12345678), " 1.234568E+07");
}

TEST(BoxValue, LeadingNumberAndOverflow) {
  const std::pair<const char*, Double> cases[] = {
      {"1 0", 10},
      {"2,5", 2},
      {"abc", 0},
      {".", 0},
      {"-", 0},
      {"", 0},
      {".5", 0.5},
      {"-3", -3},
      {"1e3", 1000},
      {"1e400", HUGE_VAL},
      {" -1e400", -HUGE_VAL},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(BoxValue(QString::fromLatin1(text)), value) << text;
}

}  // namespace
}  // namespace tavo
