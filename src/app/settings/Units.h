#pragma once

// Millimetres to PDF points (1/72 inch), in 80-bit precision.

#include <stdexcept>

namespace kyrovane {

// A floating-point fault (overflow, invalid operation) that a calculation reports.
class EFloatingPointError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Value / 25.4 * 72; a result that is not a finite number gives 0.
long double MmToPoint(long double Value);

// The same without the guard: a result that is not a finite number throws EFloatingPointError.
long double MmToPoint2(long double Value);

}  // namespace kyrovane
