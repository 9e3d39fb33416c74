#include "platform/zeroedroom.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace tavo {

namespace {
// From this size a room is mapped on its own with its memory in place, in one step: a first touch page
// by page costs a great deal on a virtual machine, as the arrays' room (AllocateArrayRoom) has it.
constexpr size_t kPlacedRoom = 128 * 1024;
// From this size a room holds whole large pages, and lies on them as far as it fills them: each is put
// in place at the cost of a few small ones and holds 512 times as much.
constexpr size_t kLargePage = 2 * 1024 * 1024;
constexpr size_t kLargeRoom = kLargePage;

constexpr size_t kPage = 4096;

// The room mapped for `bytes`: whole small pages. Its start lies on a large page's boundary, so the
// system lays its whole large pages on large pages and the rest, less than one, on small ones: no
// memory is held beyond the room.
size_t WholePages(size_t bytes) {
  return (bytes + kPage - 1) / kPage * kPage;
}
}  // namespace

void* AllocateZeroed(size_t bytes) {
  if (bytes == 0) return nullptr;
  if (bytes < kPlacedRoom) {
    void* p = std::calloc(bytes, 1);
    if (!p) throw std::bad_alloc();
    return p;
  }
  if (bytes < kLargeRoom) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return p;
  }
  // Mapped a large page longer than needed, then cut to start on a large page's boundary.
  const size_t size = WholePages(bytes);
  void* mapped = mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  auto* start = static_cast<char*>(mapped);
  auto* aligned =
      reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(start) + kLargePage - 1) & ~(kLargePage - 1));
  if (aligned > start) munmap(start, static_cast<size_t>(aligned - start));
  const size_t after = static_cast<size_t>(start + size + kLargePage - (aligned + size));
  if (after > 0) munmap(aligned + size, after);
  madvise(aligned, size, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
  madvise(aligned, size, MADV_POPULATE_WRITE);
#endif
  return aligned;
}

void FreeZeroed(void* p, size_t bytes) {
  if (!p) return;
  if (bytes < kPlacedRoom) {
    std::free(p);
  } else if (bytes < kLargeRoom) {
    munmap(p, bytes);
  } else {
    munmap(p, WholePages(bytes));
  }
}

}  // namespace tavo
