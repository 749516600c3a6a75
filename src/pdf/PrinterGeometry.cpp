#include "pdf/PrinterGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kyrovane {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

long double DegreesToRadians(long double degrees) {
  return degrees / 360 * (2 * kPi);
}

// Sweeps beyond one turn would only draw the same ellipse again; a sweep that is not a number
// draws nothing but its start point.
long double BoundedSweep(long double sweep) {
  if (std::isnan(sweep)) return 0;
  return std::clamp(sweep, -360.0L, 360.0L);
}

TSplinePoint Rotated(const TSplinePoint& p, long double cosine, long double sine) {
  return {p.X * cosine - p.Y * sine, p.X * sine + p.Y * cosine};
}

}  // namespace

int ArcSegmentCount(long double sweep) {
  long double magnitude = std::fabs(BoundedSweep(sweep));
  if (magnitude <= 60) return 1;
  int n = static_cast<int>(std::nearbyintl(magnitude)) / 60;
  return n < 1 ? 1 : n;
}

std::vector<TSplinePoint> ArcPoints(long double rx, long double ry, long double cx, long double cy,
                                    long double startAngle, long double endAngle,
                                    long double tilt) {
  long double sweep = BoundedSweep(endAngle - startAngle);
  int n = ArcSegmentCount(sweep);
  long double theta = DegreesToRadians(sweep) / n;
  long double s = std::sin(theta);
  long double c = std::cos(theta);
  long double c2 = std::cos(theta / 2);
  long double s2 = std::sin(theta / 2);
  long double divisor = s == 0 ? 0.0001L : s;

  // The first segment on the unit circle from angle 0; its inner control points are the usual
  // (1, k) and (c + k s, s - k c) with k = 4/3 tan(theta / 4).
  std::vector<TSplinePoint> points(3 * static_cast<std::size_t>(n) + 1);
  points[0] = {1, 0};
  points[1] = {1, -4 * c * (c + 1 - 2 * c2) / (3 * divisor) + 4 * (2 * s2 - s) / 3};
  points[2] = {8 * c2 / 3 - c / 3 - 4.0L / 3, 4 * c * (c + 1 - 2 * c2) / (3 * divisor) + s};
  for (std::size_t i = 3; i < points.size(); ++i) points[i] = Rotated(points[i - 3], c, s);

  long double alpha = DegreesToRadians(startAngle);
  long double cosAlpha = std::cos(alpha);
  long double sinAlpha = std::sin(alpha);
  long double tau = DegreesToRadians(tilt);
  long double cosTau = std::cos(tau);
  long double sinTau = std::sin(tau);
  for (TSplinePoint& p : points) {
    long double u = (p.X * cosAlpha - p.Y * sinAlpha) * rx;
    long double v = (p.X * sinAlpha + p.Y * cosAlpha) * ry;
    p = {u * cosTau - v * sinTau + cx, u * sinTau + v * cosTau + cy};
  }
  return points;
}

std::array<TSplinePoint, 19> FilledCirclePoints(long double rx, long double ry, long double cx,
                                                long double cy) {
  const long double root3 = std::sqrt(3.0L);
  std::array<TSplinePoint, 19> points;
  points[0] = {1, 0};
  points[1] = {1, 8.0L / 3 - 4 * root3 / 3};
  points[2] = {4 * root3 / 3 - 1.5L, 7 * root3 / 6 - 4.0L / 3};
  const long double c = std::cos(kPi / 3);
  const long double s = std::sin(kPi / 3);
  for (std::size_t i = 3; i < 18; ++i) points[i] = Rotated(points[i - 3], c, s);
  points[18] = {1, 0};
  for (TSplinePoint& p : points) p = {rx * p.X + cx, ry * p.Y + cy};
  return points;
}

TSplineControls CalcSplineControlPoints(const TSplinePoint& a, const TSplinePoint& b,
                                        const TSplinePoint& c, const TSplinePoint& d) {
  auto distance = [](const TSplinePoint& p, const TSplinePoint& q) {
    long double dx = p.X - q.X;
    long double dy = p.Y - q.Y;
    return std::sqrt(dx * dx + dy * dy);
  };
  long double reach = 0.3L * distance(c, b);
  TSplineControls controls{b, c};
  long double ca = distance(c, a);
  if (ca != 0) {
    controls.C1 = {b.X + reach * (c.X - a.X) / ca, b.Y + reach * (c.Y - a.Y) / ca};
  }
  long double bd = distance(b, d);
  if (bd != 0) {
    controls.C2 = {c.X + reach * (b.X - d.X) / bd, c.Y + reach * (b.Y - d.Y) / bd};
  }
  return controls;
}

std::vector<TSplinePoint> ExtendSplinePoints(std::span<const TSplinePoint> points, int count) {
  const std::size_t n = static_cast<std::size_t>(count);
  std::vector<TSplinePoint> extended(n + 3);
  std::copy(points.begin() + 1, points.begin() + 1 + n, extended.begin() + 1);
  const TSplinePoint& first = extended[1];
  const TSplinePoint& last = extended[n];
  if (first.X == last.X && first.Y == last.Y) {
    extended[0] = extended[n - 1];
    extended[n + 1] = extended[2];
    extended[n + 2] = extended[3];
  } else {
    extended[0] = first;
    extended[n + 1] = last;
    extended[n + 2] = last;
  }
  return extended;
}

}  // namespace kyrovane
