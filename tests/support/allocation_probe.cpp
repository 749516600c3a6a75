#include "support/allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {
std::atomic<std::size_t> largestAllocation{0};
std::atomic<std::size_t> largestGranted{std::numeric_limits<std::size_t>::max()};
}  // namespace

// The compiler cannot tell that this operator new and delete are a pair over malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  std::size_t seen = largestAllocation.load();
  while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
  }
  if (size > largestGranted.load()) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
#pragma GCC diagnostic pop

namespace kyrovane::test {

std::size_t LargestAllocation() {
  return largestAllocation.load();
}
void ResetLargestAllocation() {
  largestAllocation = 0;
}

RefusedAllocations::RefusedAllocations(std::size_t size) {
  largestGranted = size;
}
RefusedAllocations::~RefusedAllocations() {
  largestGranted = std::numeric_limits<std::size_t>::max();
}

}  // namespace kyrovane::test
