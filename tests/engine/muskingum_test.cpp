#include <gtest/gtest.h>

#include "engine/resultados.h"

namespace tavo {
namespace {

TEST(Muskingum, Coefficients) {
  ASSERT_TRUE(CoeficientesMuskingum(60, 0.2f, 10));
  EXPECT_EQ(DenMusk, 53.0f);
  EXPECT_EQ(C0Musk, Single(-7.0 / 53));
  EXPECT_EQ(C1Musk, Single(17.0 / 53));
  EXPECT_EQ(C2Musk, Single(43.0 / 53));

  ASSERT_TRUE(CoeficientesMuskingum(0, 0, 10));
  EXPECT_EQ(C0Musk, 1.0f);
  EXPECT_EQ(C1Musk, 1.0f);
  EXPECT_EQ(C2Musk, -1.0f);

  ASSERT_TRUE(CoeficientesMuskingum(10, 0, 10));
  EXPECT_EQ(C0Musk, Single(5.0 / 15));
  EXPECT_EQ(C2Musk, Single(5.0 / 15));

  // Valid constants whose Single sum is off in its last digit are accepted.
  EXPECT_TRUE(CoeficientesMuskingum(3.7f, 0, 1));
  EXPECT_TRUE(CoeficientesMuskingum(3.8f, 0, 1));
  // K·(1 − x) = −0.5·dt leaves no denominator.
  EXPECT_FALSE(CoeficientesMuskingum(-5, 0, 10));
  EXPECT_EQ(DenMusk, 0.0f);
}

TEST(Columna, PadsUpToTheWidthAndNeverCuts) {
  EXPECT_EQ(Columna(QStringLiteral(" 1"), 5), " 1   ");
  EXPECT_EQ(Columna(QStringLiteral(" 1"), 5, true), "    1");
  EXPECT_EQ(Columna(QStringLiteral("u-Ladera10"), 8, true), "u-Ladera10");
}

}  // namespace
}  // namespace tavo
