#pragma once

// The drawing model skips an entity whose page numbers are not finite (a damaged coordinate),
// instead of writing them or drawing the entity somewhere else.

#include <cmath>
#include <initializer_list>

namespace kyrovane::cad {

inline bool AllFinite(std::initializer_list<long double> values) {
  for (const long double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace kyrovane::cad
