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

// A two-dimensional array sized again for a shorter run starts from zeros within its new bounds, and
// growing its last bound afterwards keeps what it holds and adds zeros, whatever room it had before.
TEST(Arrays, Array2SizedAgainAndGrownKeepsOnlyWhatItsBoundsHold) {
  Array2<int> a;
  a.redim(0, 3, 0, 50);
  for (int i = 0; i <= 3; ++i)
    for (int j = 0; j <= 50; ++j) a(i, j) = 1000 + i * 100 + j;
  a.redim(1, 2, 0, 4);
  EXPECT_EQ(a(1, 4), 0);
  EXPECT_EQ(a(2, 0), 0);
  for (int i = 1; i <= 2; ++i)
    for (int j = 0; j <= 4; ++j) a(i, j) = i * 10 + j;
  for (int upper : {7, 300}) {
    a.redimPreserve(upper);
    EXPECT_EQ(a(2, 4), 24);
    EXPECT_EQ(a(1, 0), 10);
    EXPECT_EQ(a(1, 5), 0);
    EXPECT_EQ(a(2, upper), 0);
    a(2, 5) = 99;
  }
  a.redimPreserve(4);
  a.redimPreserve(6);
  EXPECT_EQ(a(2, 5), 0);  // back within the bounds, from zero again
  for (auto [i, j] : {std::pair{0, 0}, {3, 0}, {1, 7}, {1, -1}}) {
    try {
      a(i, j);
      ADD_FAILURE() << i << "," << j;
    } catch (const VbError& e) {
      EXPECT_EQ(e.number, kErrSubscript);
    }
  }
}

// Whatever shapes and room an array went through, and whatever it held in them, sizing it again gives
// zeros in every element of its new bounds.
TEST(Arrays, Array2SizedAgainInAnyShapeStartsFromZeros) {
  Array2<float> a;
  struct Paso {
    int rows, cols, reserveRows, reserveCols;
    bool grow;    // the last bound grown by half after sizing
    bool oneRow;  // sized with redimOneRow: every first index reads and writes the one row
  };
  const Paso pasos[] = {{2, 11, 4, 100, false, false}, {4, 41, 0, 0, false, false},
                        {1, 5, 0, 0, true, false},     {8, 60, 8, 120, false, false},
                        {3, 200, 0, 0, true, false},   {6, 150, 0, 0, true, true},
                        {8, 60, 0, 0, false, false},   {2, 11, 0, 0, false, false},
                        {4, 30, 0, 0, false, true},    {5, 90, 0, 0, false, false}};
  float v = 1;
  for (const Paso& p : pasos) {
    SCOPED_TRACE(testing::Message() << p.rows << "x" << p.cols << (p.oneRow ? " in one row" : ""));
    if (p.reserveRows > 0) a.reserve(p.reserveRows, p.reserveCols);
    if (p.oneRow) {
      a.redimOneRow(1, p.rows, 0, p.cols - 1);
    } else {
      a.redim(0, p.rows - 1, 0, p.cols - 1);
    }
    int cols = p.cols;
    if (p.grow && p.oneRow) {
      a(p.rows, p.cols - 1) = v;  // kept when the row grows
      a.redimPreserve(p.cols + p.cols / 2 - 1);
      ASSERT_EQ(a(1, p.cols - 1), v);
      a(1, p.cols - 1) = 0;
    } else if (p.grow) {
      a.redimPreserve(p.cols + p.cols / 2 - 1);
    }
    if (p.grow) cols += cols / 2;
    const int first = p.oneRow ? 1 : 0;
    for (int i = first; i < first + p.rows; ++i) {
      for (int j = 0; j < cols; ++j) {
        ASSERT_EQ(a(i, j), p.oneRow && i > first ? v - cols + j : 0) << " at " << i << "," << j;
        if (i == first || !p.oneRow) a(i, j) = v++;
      }
    }
    if (p.oneRow) {
      EXPECT_THROW(a(p.rows + 1, 0), VbError);
      a.clearOneRow();
      for (int j = 0; j < cols; ++j) ASSERT_EQ(a(p.rows, j), 0) << j;
    }
  }
}

// A large array of numbers, whose room the system gives on its own, starts from zeros, keeps its
// elements when its last bound grows and when copied, and starts from zeros again when sized anew.
TEST(Arrays, LargeArray2StartsFromZerosAndKeepsWhatItHolds) {
  Array2<float> a;
  a.redim(0, 2, 0, 200000);
  EXPECT_EQ(a(2, 200000), 0);
  for (int i = 0; i <= 2; ++i) a(i, 200000) = a(i, 0) = static_cast<float>(i + 1);
  a.redimPreserve(500000);
  const Array2<float> copy = a;
  for (const Array2<float>* x : {static_cast<const Array2<float>*>(&a), &copy}) {
    EXPECT_EQ((*x)(2, 0), 3);
    EXPECT_EQ((*x)(1, 200000), 2);
    EXPECT_EQ((*x)(1, 200001), 0);
    EXPECT_EQ((*x)(2, 500000), 0);
  }
  a.redim(0, 2, 0, 200000);
  EXPECT_EQ(a(1, 200000), 0);
  EXPECT_EQ(a(2, 0), 0);
}

}  // namespace
}  // namespace tavo
