#include "platform/arrays.h"

#include <sys/mman.h>

#include <cstdlib>

namespace tavo {

namespace {
constexpr std::size_t kLargePage = 2 * 1024 * 1024;

// Room this large or more lies on large pages: a result array of a long run over a large network.
bool Large(std::size_t bytes) {
  return bytes >= kLargePage;
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
