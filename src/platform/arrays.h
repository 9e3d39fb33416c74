// Arrays with explicit bounds, as the program's data keep them: an index outside the bounds raises
// error 9, and a resize either clears the contents or keeps them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <new>
#include <type_traits>
#include <vector>

#include "platform/errors.h"
#include "platform/zeroedroom.h"

namespace tavo {

// Room of `bytes` for the arrays. Large room comes from the system with its memory already in place,
// so that a run's first writes to fresh result arrays cost no first touch page by page (each costs a
// great deal on a virtual machine, and more with several threads at once).
void* AllocateArrayRoom(std::size_t bytes);
void FreeArrayRoom(void* p, std::size_t bytes);

template <class T>
struct ArrayAllocator {
  using value_type = T;
  ArrayAllocator() = default;
  template <class U>
  ArrayAllocator(const ArrayAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(AllocateArrayRoom(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) { FreeArrayRoom(p, n * sizeof(T)); }
  friend bool operator==(const ArrayAllocator&, const ArrayAllocator&) { return true; }
};

template <class T>
using ArrayRoom = std::vector<T, ArrayAllocator<T>>;

// One dimension, indices lower..upper.
template <class T>
class Array1 {
 public:
  Array1() = default;
  Array1(int lower, int upper) { redim(lower, upper); }

  // Resizes and sets every element to its initial value.
  void redim(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    data_.assign(upper >= lower ? upper - lower + 1 : 0, T{});
  }
  // Resizes keeping the elements that stay within the bounds.
  void redimPreserve(int upper) {
    upper_ = upper;
    data_.resize(upper >= lower_ ? upper - lower_ + 1 : 0);
  }
  void clear() { std::fill(data_.begin(), data_.end(), T{}); }

  int lower() const { return lower_; }
  int upper() const { return upper_; }
  bool empty() const { return data_.empty(); }

  T& operator()(int i) { return data_[check(i)]; }
  const T& operator()(int i) const { return data_[check(i)]; }

 private:
  size_t check(int i) const {
    if (i < lower_ || i > upper_) Raise(kErrSubscript);
    return static_cast<size_t>(i - lower_);
  }
  int lower_ = 0;
  int upper_ = -1;
  ArrayRoom<T> data_;
};

// The bounds of a two-dimensional array, first index lower1..upper1, second lower2..upper2: an index
// outside them raises error 9.
class Bounds2 {
 public:
  int lower1() const { return l1_; }
  int upper1() const { return u1_; }
  int lower2() const { return l2_; }
  int upper2() const { return u2_; }

 protected:
  static int count(int l, int u) { return u >= l ? u - l + 1 : 0; }
  void setBounds(int lower1, int upper1, int lower2, int upper2) {
    l1_ = lower1, u1_ = upper1, l2_ = lower2, u2_ = upper2;
  }
  // Raises error 9 unless (i, j) lies within the bounds.
  void require(int i, int j) const {
    if (i < l1_ || i > u1_ || j < l2_ || j > u2_) Raise(kErrSubscript);
  }
  int l1_ = 0, u1_ = -1, l2_ = 0, u2_ = -1;
};

// Two dimensions, first index lower1..upper1, second lower2..upper2. An array of numbers keeps its
// elements in zeroed room, so that room added to it needs no clearing.
template <class T>
class Array2 : public Bounds2 {
  using Room = std::conditional_t<std::is_arithmetic_v<T>, ZeroedRoom<T>, ArrayRoom<T>>;

 public:
  Array2() = default;
  Array2(int upper1, int upper2) { redim(0, upper1, 0, upper2); }

  // Resizes and sets every element to its initial value. Rows take whatever room the array already
  // holds, so that an array sized again for every run and grown during it finds its room there; only
  // the elements within the bounds are set, the rest of the room holds none until a resize brings it
  // into the bounds.
  void redim(int lower1, int upper1, int lower2, int upper2) {
    setBounds(lower1, upper1, lower2, upper2);
    oneRow_ = false;
    const int rows = count(l1_, u1_);
    const int cols = count(l2_, u2_);
    stride_ = cols;
    if (rows > 0) stride_ = std::max(stride_, static_cast<int>(data_.size() / static_cast<size_t>(rows)));
    const size_t needed = static_cast<size_t>(rows) * stride_;
    // Room added now, and room no bounds ever reached, holds the initial value: only the room the
    // bounds reached before needs setting.
    const size_t held = std::min(touched_, needed);
    if (data_.size() < needed) data_.resize(needed);
    touched_ = std::max(touched_, needed);
    if (cols == stride_) {
      std::fill_n(data_.begin(), held, T{});
    } else {
      for (size_t start = 0; start < held; start += static_cast<size_t>(stride_))
        std::fill_n(data_.begin() + static_cast<ptrdiff_t>(start), std::min<size_t>(cols, held - start), T{});
    }
  }
  // As redim, but every first index within the bounds shares one row, at its initial value: for an
  // array whose rows are each used only while their element is computed, one element after another,
  // by a run whose rows nobody reads afterwards. Its memory is a row's, whatever the first bounds.
  void redimOneRow(int lower1, int upper1, int lower2, int upper2) {
    redim(0, 0, lower2, upper2);
    setBounds(lower1, upper1, lower2, upper2);
    oneRow_ = true;
    stride_ = 0;
  }
  // The shared row of an array sized by redimOneRow back to its initial value; nothing otherwise.
  void clearOneRow() {
    if (oneRow_) std::fill_n(data_.begin(), count(l2_, u2_), T{});
  }
  // Room for `rows` rows of `cols` elements, so that later resizes up to that size find it.
  void reserve(int rows, int cols) {
    const size_t needed = static_cast<size_t>(std::max(rows, 0)) * static_cast<size_t>(std::max(cols, 0));
    if (data_.size() < needed) data_.resize(needed);
  }
  void redim(int upper1, int upper2) { redim(0, upper1, 0, upper2); }
  // Resizes keeping the elements that stay within the bounds; only the last bound changes, as
  // the program's arrays allow. Rows keep room to grow, so that growing step by step is cheap.
  void redimPreserve(int upper2) {
    const int oldCols = count(l2_, u2_);
    const int newCols = count(l2_, upper2);
    if (oneRow_) {
      if (data_.size() < static_cast<size_t>(newCols)) data_.resize(newCols);
      if (newCols > oldCols) std::fill_n(data_.begin() + oldCols, newCols - oldCols, T{});
      u2_ = upper2;
      touched_ = std::max(touched_, data_.size());
      return;
    }
    const int rows = count(l1_, u1_);
    if (newCols > stride_) {
      const int stride = std::max(newCols, stride_ + stride_ / 2);
      Room grown;
      grown.resize(static_cast<size_t>(rows) * stride);
      for (int i = 0; i < rows; ++i) {
        std::copy_n(data_.begin() + static_cast<ptrdiff_t>(i) * stride_, oldCols,
                    grown.begin() + static_cast<ptrdiff_t>(i) * stride);
      }
      data_ = std::move(grown);
      stride_ = stride;
      touched_ = static_cast<size_t>(rows) * stride;
    } else {
      // Elements that come back into the bounds start again from their initial value.
      for (int i = 0; i < rows && newCols > oldCols; ++i) {
        std::fill_n(data_.begin() + static_cast<ptrdiff_t>(i) * stride_ + oldCols, newCols - oldCols, T{});
      }
    }
    u2_ = upper2;
    touched_ = std::max(touched_, static_cast<size_t>(rows) * stride_);
  }
  void clear() {
    std::fill(data_.begin(), data_.end(), T{});
    touched_ = 0;
  }

  T& operator()(int i, int j) { return data_[check(i, j)]; }
  const T& operator()(int i, int j) const { return data_[check(i, j)]; }

  // Row i from `from` to `to` (both within the second bounds, error 9 otherwise), for loops that
  // sweep a row: element j of the row is at index j - from.
  T* row(int i, int from, int to) {
    check(i, to);
    return &data_[check(i, from)];
  }
  const T* row(int i, int from, int to) const {
    check(i, to);
    return &data_[check(i, from)];
  }

 private:
  size_t check(int i, int j) const {
    require(i, j);
    return static_cast<size_t>(i - l1_) * stride_ + static_cast<size_t>(j - l2_);
  }
  int stride_ = 0;       // elements held per row: at least the count of the second bounds; 0 for one row
  bool oneRow_ = false;  // every first index shares one row (redimOneRow)
  Room data_;
  // The leading room some bounds have reached since it was last set: the only room that may hold
  // other than the initial value.
  size_t touched_ = 0;
};

// Two dimensions, as Array2, kept column by column: the elements of one second index lie together, so
// that threads that each fill a column of their own seldom share memory.
template <class T>
class ColumnArray2 : public Bounds2 {
 public:
  void redim(int lower1, int upper1, int lower2, int upper2) {
    setBounds(lower1, upper1, lower2, upper2);
    rows_ = count(l1_, u1_);
    data_.assign(static_cast<size_t>(rows_) * count(l2_, u2_), T{});
  }
  void redim(int upper1, int upper2) { redim(0, upper1, 0, upper2); }

  T& operator()(int i, int j) { return data_[check(i, j)]; }
  const T& operator()(int i, int j) const { return data_[check(i, j)]; }

 private:
  size_t check(int i, int j) const {
    require(i, j);
    return static_cast<size_t>(j - l2_) * rows_ + static_cast<size_t>(i - l1_);
  }
  int rows_ = 0;
  ArrayRoom<T> data_;
};

// Three dimensions, each from 0: the program's arrays of coefficients per element, range and term.
template <class T>
class Array3 {
 public:
  Array3() = default;
  Array3(int upper1, int upper2, int upper3) { redim(upper1, upper2, upper3); }

  void redim(int upper1, int upper2, int upper3) {
    u1_ = upper1, u2_ = upper2, u3_ = upper3;
    data_.assign(static_cast<size_t>(count(u1_)) * count(u2_) * count(u3_), T{});
  }

  int upper1() const { return u1_; }
  int upper2() const { return u2_; }
  int upper3() const { return u3_; }

  T& operator()(int i, int j, int k) { return data_[check(i, j, k)]; }
  const T& operator()(int i, int j, int k) const { return data_[check(i, j, k)]; }

 private:
  static int count(int u) { return u >= 0 ? u + 1 : 0; }
  size_t check(int i, int j, int k) const {
    if (i < 0 || i > u1_ || j < 0 || j > u2_ || k < 0 || k > u3_) Raise(kErrSubscript);
    const size_t plane = static_cast<size_t>(i) * count(u2_) + static_cast<size_t>(j);
    return plane * count(u3_) + static_cast<size_t>(k);
  }
  int u1_ = -1, u2_ = -1, u3_ = -1;
  ArrayRoom<T> data_;
};

}  // namespace tavo
