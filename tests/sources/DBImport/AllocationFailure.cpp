#include "AllocationFailure.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> g_countdown{-1};
}  // namespace

void FailAllocationsFrom(long allocation) { g_countdown = allocation; }
void StopFailingAllocations() { g_countdown = -1; }

void* operator new(std::size_t size) {
  const long left = g_countdown.load();
  if (left == 0) throw std::bad_alloc();
  if (left > 0) g_countdown = left - 1;
  void* block = std::malloc(size != 0 ? size : 1);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
