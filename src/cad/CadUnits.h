#pragma once

// Points of the drawing model and the conversions between model millimetres and page points.
// Every real number of the model is a long double (x87 extended precision), so that the
// numbers written into a PDF match those of the drawings' original arithmetic.

namespace kyrovane {

struct TPoint3 {
  long double X = 0;
  long double Y = 0;
  long double Z = 0;
};

// Millimetres to PDF points (1/72 inch); the division comes first.
constexpr long double MmToPt(long double v) {
  return v / 25.4L * 72.0L;
}
constexpr long double PtToMm(long double v) {
  return v * 25.4L / 72.0L;
}

// A model point in page points; Z does not take part in drawing and becomes 0.
constexpr TPoint3 PointToPt(const TPoint3& p) {
  return {MmToPt(p.X), MmToPt(p.Y), 0};
}
constexpr TPoint3 PointToMm(const TPoint3& p) {
  return {PtToMm(p.X), PtToMm(p.Y), PtToMm(p.Z)};
}

namespace cad {

inline constexpr long double kPi = 3.141592653589793238462643383279502884L;

constexpr long double DegToRad(long double degrees) {
  return degrees / 180.0L * kPi;
}

}  // namespace cad
}  // namespace kyrovane
