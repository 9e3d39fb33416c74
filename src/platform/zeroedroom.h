// Room for the elements of large number arrays that starts at zero without being cleared: large rooms
// come straight from the system, whose fresh memory reads as zero, put in place in one step and on the
// processor's large pages, so that sizing the result arrays of a run costs no clearing pass and no
// first touches of their memory page by page.
#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace tavo {

// `bytes` of memory that reads as zero; nullptr for none. Raises std::bad_alloc when the system has
// none to give. FreeZeroed takes back what AllocateZeroed gave, with the same count of bytes.
void* AllocateZeroed(size_t bytes);
void FreeZeroed(void* p, size_t bytes);

// The elements of a number type, held in zeroed room: a resize keeps the elements that stay and adds
// zeros, and never clears what it adds.
template <class T>
class ZeroedRoom {
  static_assert(std::is_arithmetic_v<T>, "zero bytes are the initial value only of a number");

 public:
  ZeroedRoom() = default;
  ZeroedRoom(const ZeroedRoom& other) {
    resize(other.size_);
    std::copy_n(other.p_, other.size_, p_);
  }
  ZeroedRoom(ZeroedRoom&& other) noexcept
      : p_(std::exchange(other.p_, nullptr)), size_(std::exchange(other.size_, 0)) {}
  ZeroedRoom& operator=(ZeroedRoom other) noexcept {
    std::swap(p_, other.p_);
    std::swap(size_, other.size_);
    return *this;
  }
  ~ZeroedRoom() { FreeZeroed(p_, size_ * sizeof(T)); }

  size_t size() const { return size_; }
  void resize(size_t n) {
    if (n == size_) return;
    ZeroedRoom other;
    other.p_ = static_cast<T*>(AllocateZeroed(n * sizeof(T)));
    other.size_ = n;
    std::copy_n(p_, std::min(n, size_), other.p_);
    *this = std::move(other);
  }

  T* begin() { return p_; }
  T* end() { return p_ + size_; }
  T& operator[](size_t i) { return p_[i]; }
  const T& operator[](size_t i) const { return p_[i]; }

 private:
  T* p_ = nullptr;
  size_t size_ = 0;
};

}  // namespace tavo
