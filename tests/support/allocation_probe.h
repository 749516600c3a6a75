#pragma once

// Records the largest single allocation of the test program that links it: linking the probe
// replaces the global operator new, so a test can show that hostile sizes in a file are refused
// before anything large is allocated.

#include <cstddef>

namespace kyrovane::test {

std::size_t LargestAllocation();
void ResetLargestAllocation();

}  // namespace kyrovane::test
