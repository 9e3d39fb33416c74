#include "platform/arrays.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

// Every element of a three-dimensional array has a place of its own, and an index past any bound
// raises error 9.
TEST(Arrays, Array3IndexesEveryElementAndChecksEachBound) {
  Array3<int> a(2, 3, 4);
  for (int i = 0; i <= 2; ++i)
    for (int j = 0; j <= 3; ++j)
      for (int k = 0; k <= 4; ++k) a(i, j, k) = i * 100 + j * 10 + k;
  EXPECT_EQ(a(2, 3, 4), 234);
  EXPECT_EQ(a(1, 0, 3), 103);
  for (auto [i, j, k] : {std::tuple{3, 0, 0}, {0, 4, 0}, {0, 0, 5}, {-1, 0, 0}}) {
    try {
      a(i, j, k);
      ADD_FAILURE() << i << "," << j << "," << k;
    } catch (const VbError& e) {
      EXPECT_EQ(e.number, kErrSubscript);
    }
  }
  a.redim(0, 8, 5);
  EXPECT_EQ(a(0, 8, 5), 0);
  EXPECT_EQ(a.upper2(), 8);
}

}  // namespace
}  // namespace tavo
