#pragma once

// Records the largest single allocation of the test program that links it: linking the probe
// replaces the global operator new, so a test can show that hostile sizes in a file are refused
// before anything large is allocated. It can also refuse large requests, as a full memory
// would, so that a test can see a large allocation asked for without making it.

#include <cstddef>

namespace kyrovane::test {

std::size_t LargestAllocation();
void ResetLargestAllocation();

// While it lives, requests larger than `size` bytes are recorded and then fail with
// std::bad_alloc.
class RefusedAllocations {
 public:
  explicit RefusedAllocations(std::size_t size);
  ~RefusedAllocations();
  RefusedAllocations(const RefusedAllocations&) = delete;
  RefusedAllocations& operator=(const RefusedAllocations&) = delete;
};

}  // namespace kyrovane::test
