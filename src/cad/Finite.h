#pragma once

// The drawing model skips an entity whose page numbers cannot be written: not finite (a
// damaged coordinate), or beyond the 32-bit range that PDF readers take. Such an entity is
// not drawn at all, rather than drawn somewhere else.

#include <cmath>
#include <initializer_list>

namespace kyrovane::cad {

inline constexpr long double kLargestPageNumber = 2147483647.0L;

inline bool AllWritable(std::initializer_list<long double> values) {
  for (const long double v : values) {
    if (!std::isfinite(v) || std::fabs(v) > kLargestPageNumber) return false;
  }
  return true;
}

}  // namespace kyrovane::cad
