#include "platform/arrays.h"

#include <sys/mman.h>

#include <cstdlib>

namespace tavo {

namespace {
constexpr std::size_t kLargeRoom = 128 * 1024;

// Room this large or more is mapped with its pages in place: the result arrays of a run over a
// large network; smaller room comes from the heap.
bool Large(std::size_t bytes) {
  return bytes >= kLargeRoom;
}
}  // namespace

void* AllocateArrayRoom(std::size_t bytes) {
  if (!Large(bytes)) return ::operator new(bytes);
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  return p;
}

void FreeArrayRoom(void* p, std::size_t bytes) {
  if (Large(bytes)) {
    munmap(p, bytes);
  } else {
    ::operator delete(p);
  }
}

}  // namespace tavo
