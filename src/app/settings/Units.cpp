#include "app/settings/Units.h"

#include <cmath>

namespace kyrovane {
namespace {

long double Convert(long double value) {
  return value / 25.4L * 72.0L;
}

}  // namespace

long double MmToPoint(long double Value) {
  const long double points = Convert(Value);
  return std::isfinite(points) ? points : 0.0L;
}

long double MmToPoint2(long double Value) {
  const long double points = Convert(Value);
  if (std::isnan(points)) throw EFloatingPointError("Invalid floating point operation");
  if (std::isinf(points)) throw EFloatingPointError("Floating point overflow");
  return points;
}

}  // namespace kyrovane
