#include "import/JwwZigZag.h"

#include <cmath>

#include "app/settings/Environment.h"
#include "import/JwBuilderRules.h"

namespace kyrovane {
namespace {

long double Distance(const TPoint3& a, const TPoint3& b) {
  return std::hypot(b.X - a.X, b.Y - a.Y);
}

// The point at distance `along` from `from` in direction a (degrees), moved sideways to the
// side of tooth k.
TPoint3 Tooth(const TPoint3& from, long double a, long double along, const TZigZag& zigzag,
              long long k) {
  const long double ra = cad::DegToRad(a);
  const long double rb = cad::DegToRad(a + (zigzag.ToothOnLeft(k) ? 90 : 270));
  return {from.X + along * std::cos(ra) + zigzag.Amplitude * std::cos(rb),
          from.Y + along * std::sin(ra) + zigzag.Amplitude * std::sin(rb), 0};
}

bool Drawable(const TZigZag& zigzag) {
  return zigzag.Step > 0 && std::isfinite(zigzag.Step) && std::isfinite(zigzag.Amplitude);
}

long long RoundCount(long double teeth) {
  return static_cast<long long>(std::nearbyint(teeth));
}

}  // namespace

std::optional<TZigZag> ZigZagOf(const jwwunit::JWWHead& head, const REnvironment& Env, int t) {
  if (t < kFirstRandomLineType || t > kLastRandomLineType) return std::nullopt;
  const jwwunit::JWWRandomLineType& type = head.RandomLineTypes[t - kFirstRandomLineType];
  return TZigZag{type.Pitch * Env.LinePatternScale[t], type.Width / 2.0L * Env.RandomWidth,
                 type.Pattern};
}

bool TZigZagBudget::Take(long double teeth) {
  if (!(teeth >= 0 && teeth <= static_cast<long double>(left_))) return false;
  left_ -= static_cast<long long>(teeth);
  return true;
}

std::optional<std::vector<TPoint3>> LineZigZag(const TPoint3& p1, const TPoint3& p2,
                                               const TZigZag& zigzag, TToothCount count,
                                               TZigZagBudget& budget) {
  const long double length = Distance(p1, p2);
  if (!Drawable(zigzag) || !(length > 2 * zigzag.Step) || !budget.Take(length / zigzag.Step)) {
    return std::nullopt;
  }
  long long n = RoundCount(length / zigzag.Step);
  if (count == TToothCount::BlockMember && n * zigzag.Step <= length) --n;
  const long double a = DirectionAngle(p1.X, p1.Y, p2.X, p2.Y);
  // Teeth 1 .. n - 1 between the end points, each end point given twice.
  std::vector<TPoint3> vertices{p1, p1};
  for (long long k = 1; k < n; ++k) vertices.push_back(Tooth(p1, a, k * zigzag.Step, zigzag, k));
  vertices.push_back(p2);
  vertices.push_back(p2);
  return vertices;
}

std::optional<std::vector<TPoint3>> ChainZigZag(std::span<const TPoint3> points,
                                                const TZigZag& zigzag, TZigZagBudget& budget) {
  long double length = 0;
  for (std::size_t i = 1; i < points.size(); ++i) length += Distance(points[i - 1], points[i]);
  if (points.size() < 2 || !Drawable(zigzag) || !budget.Take(length / zigzag.Step)) {
    return std::nullopt;
  }
  const long long n = RoundCount(length / zigzag.Step);
  std::vector<TPoint3> vertices{points.front(), points.front()};
  // Walk along the chain: d is the distance of the tooth from the start, e its distance into
  // segment s (from points[s - 1] to points[s]), c the chain's length to the end of segment s.
  long double d = 0;
  long double e = 0;
  long double c = 0;
  std::size_t s = 0;
  for (long long k = 1; k < n; ++k) {
    d += zigzag.Step;
    e += zigzag.Step;
    while (c < d && s + 1 < points.size()) {
      ++s;
      e = d - c;
      c += Distance(points[s - 1], points[s]);
    }
    if (c < d) break;
    const TPoint3& from = points[s - 1];
    const long double a = DirectionAngle(from.X, from.Y, points[s].X, points[s].Y);
    vertices.push_back(Tooth(from, a, e, zigzag, k));
  }
  vertices.push_back(points.back());
  vertices.push_back(points.back());
  return vertices;
}

std::optional<std::vector<TPoint3>> ArcZigZag(const jwwunit::CDataEnko& arc, const TPoint3& centre,
                                              const TZigZag& zigzag, TToothCount count,
                                              TZigZagBudget& budget) {
  const long double r = arc.Radius;
  const long double length = std::fabs(arc.ArcAngle * r);
  if (!Drawable(zigzag) || !budget.Take(length / zigzag.Step)) return std::nullopt;
  long long n = RoundCount(length / zigzag.Step);
  if (count == TToothCount::TopLevel && length > n * zigzag.Step) --n;
  // With no tooth the curve would not reach from one end to the other.
  if (n < 1) return std::nullopt;

  const long double theta0 = arc.ArcAngle < 0 ? arc.StartAngle + arc.ArcAngle : arc.StartAngle;
  const long double theta1 = arc.ArcAngle < 0 ? arc.StartAngle : arc.StartAngle + arc.ArcAngle;
  const long double cosT = std::cos(arc.TiltAngle);
  const long double sinT = std::sin(arc.TiltAngle);
  // The point at angle theta of the ellipse with radii (u, v), turned by the tilt.
  const auto at = [&](long double theta, long double u, long double v) {
    const long double x = u * std::cos(theta);
    const long double y = v * std::sin(theta);
    return TPoint3{centre.X + x * cosT - y * sinT, centre.Y + x * sinT + y * cosT, 0};
  };
  const long double f = arc.Flatness;
  const long double amplitude = zigzag.Amplitude;
  const TPoint3 start = at(theta0, r, r * f);
  std::vector<TPoint3> vertices{start, start};
  long double theta = theta0;
  for (long long k = 1; k < n; ++k) {
    theta += zigzag.Step / r;
    const long double side = zigzag.ToothOnLeft(k) ? amplitude : -amplitude;
    vertices.push_back(at(theta, r + side, r * f + side));
  }
  vertices.push_back(at(theta1, r, r * f));
  if (arc.FullCircle != 0) {
    // The curve ends where it starts, so that it is drawn closed.
    vertices.front() = vertices.back();
    vertices.back() = start;
  }
  return vertices;
}

}  // namespace kyrovane
