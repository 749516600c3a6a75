#include "pdf/PrinterGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace kyrovane {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kTight = 1e-12L;

void ExpectPoint(const TSplinePoint& p, long double x, long double y, long double tolerance) {
  EXPECT_NEAR(static_cast<double>(p.X), static_cast<double>(x), static_cast<double>(tolerance));
  EXPECT_NEAR(static_cast<double>(p.Y), static_cast<double>(y), static_cast<double>(tolerance));
}

// Midpoint of the cubic Bézier that starts at points[i].
TSplinePoint BezierMidpoint(const std::vector<TSplinePoint>& points, std::size_t i) {
  auto mid = [&](auto field) {
    return (points[i].*field + 3 * points[i + 1].*field + 3 * points[i + 2].*field +
            points[i + 3].*field) /
           8;
  };
  return {mid(&TSplinePoint::X), mid(&TSplinePoint::Y)};
}

TEST(ArcSegmentCount, OneSegmentPerWholeSixtyDegreesOfTheRoundedSweepBoundedToOneTurn) {
  const long double inf = std::numeric_limits<long double>::infinity();
  // 119.5 rounds to 120 and 180.5 to 180, halves to even.
  const std::pair<long double, int> cases[] = {{30, 1},
                                               {60, 1},
                                               {61, 1},
                                               {119, 1},
                                               {120, 2},
                                               {150, 2},
                                               {359, 5},
                                               {360, 6},
                                               {119.5L, 2},
                                               {180.5L, 3},
                                               {119.4L, 1},
                                               {0, 1},
                                               {-30, 1},
                                               {-150, 2},
                                               {-180, 3},
                                               {720, 6},
                                               {1e30L, 6},
                                               {inf, 6},
                                               {std::numeric_limits<long double>::quiet_NaN(), 1}};
  for (auto [sweep, count] : cases) {
    EXPECT_EQ(ArcSegmentCount(sweep), count) << static_cast<double>(sweep);
  }
}

TEST(ArcPoints, QuarterCircleIsOneCurveWithTheUsualControls) {
  auto points = ArcPoints(100, 100, 300, 400, 0, 90, 0);
  ASSERT_EQ(points.size(), 4u);
  const long double k = 100 * 4.0L / 3 * std::tan(kPi / 8);
  ExpectPoint(points[0], 400, 400, kTight);
  ExpectPoint(points[1], 400, 400 + k, 1e-9L);
  ExpectPoint(points[2], 300 + k, 500, 1e-9L);
  ExpectPoint(points[3], 300, 500, 1e-9L);
}

// Negative sweeps go clockwise, with as many segments.
TEST(ArcPoints, EverySegmentEndsOnTheCircleAndBulgesOntoIt) {
  for (long double sweep :
       {1.0L, 45.0L, 60.0L, 61.0L, 119.0L, 120.0L, 150.0L, 270.0L, 360.0L, -180.0L}) {
    SCOPED_TRACE(static_cast<double>(sweep));
    auto points = ArcPoints(1, 1, 0, 0, 0, sweep, 0);
    const int n = ArcSegmentCount(sweep);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(3 * n + 1));
    for (int i = 0; i <= n; ++i) {
      const long double angle = sweep / n * i * kPi / 180;
      ExpectPoint(points[3 * i], std::cos(angle), std::sin(angle), 1e-12L);
    }
    for (int i = 0; i < n; ++i) {
      TSplinePoint mid = BezierMidpoint(points, 3 * i);
      EXPECT_NEAR(static_cast<double>(std::hypot(mid.X, mid.Y)), 1.0, 1e-12);
    }
  }
}

TEST(ArcPoints, FullTurnStartsAndEndsAtTheStartAngleAndLongerSweepsDrawOneTurn) {
  auto points = ArcPoints(10, 10, 0, 0, 30, 390, 0);
  ASSERT_EQ(points.size(), 19u);
  const long double c = 10 * std::cos(kPi / 6);
  ExpectPoint(points.front(), c, 5, 1e-12L);
  ExpectPoint(points.back(), c, 5, 1e-12L);
  auto beyond = ArcPoints(1, 1, 0, 0, 0, 1000, 0);
  ASSERT_EQ(beyond.size(), 19u);
  ExpectPoint(beyond.back(), 1, 0, 1e-12L);
}

TEST(ArcPoints, StartAngleIsTakenOnTheUnscaledCircleThenTilted) {
  // 90 degrees on an ellipse of radii 100 and 50 lies at the end of the short axis; a tilt of
  // 90 degrees then turns that point onto the negative x axis.
  auto points = ArcPoints(100, 50, 0, 0, 90, 180, 0);
  ExpectPoint(points.front(), 0, 50, kTight);
  ExpectPoint(points.back(), -100, 0, 1e-12L);
  auto tilted = ArcPoints(100, 50, 10, 20, 90, 180, 90);
  ExpectPoint(tilted.front(), 10 - 50, 20, 1e-12L);
  ExpectPoint(tilted.back(), 10, 20 - 100, 1e-12L);
}

TEST(ArcPoints, ZeroSweepUsesTheSmallDivisorAndStaysFinite) {
  auto points = ArcPoints(10, 10, 5, 5, 0, 0, 0);
  ASSERT_EQ(points.size(), 4u);
  for (const TSplinePoint& p : points) ExpectPoint(p, 15, 5, kTight);
}

TEST(FilledCirclePoints, SixSixtyDegreeSegmentsClosingExactly) {
  auto points = FilledCirclePoints(10, 10, 50, 50);
  EXPECT_EQ(points.front().X, 60);
  EXPECT_EQ(points.front().Y, 50);
  EXPECT_EQ(points.back().X, 60);
  EXPECT_EQ(points.back().Y, 50);
  for (int i = 0; i < 6; ++i) {
    const long double angle = i * kPi / 3;
    ExpectPoint(points[3 * i], 50 + 10 * std::cos(angle), 50 + 10 * std::sin(angle), 1e-12L);
  }
  // The first segment is the 60-degree arc of the arc routine.
  auto arc = ArcPoints(10, 10, 50, 50, 0, 60, 0);
  for (int i = 0; i < 4; ++i) ExpectPoint(points[i], arc[i].X, arc[i].Y, 1e-12L);
  ExpectPoint(points[1], 60, 50 + 10 * (8.0L / 3 - 4 * std::sqrt(3.0L) / 3), kTight);
}

TEST(FilledCirclePoints, RadiiScaleEachAxisWithoutRotation) {
  auto points = FilledCirclePoints(20, 5, 0, 0);
  ExpectPoint(points[9], -20, 0, 1e-12L);
  ExpectPoint(points[3], 10, 5 * std::sqrt(3.0L) / 2, 1e-12L);
}

TEST(CalcSplineControlPoints, ControlsFollowTheNeighbourChordsAtThreeTenths) {
  TSplinePoint a{0, 0}, b{10, 0}, c{20, 0}, d{30, 0};
  TSplineControls controls = CalcSplineControlPoints(a, b, c, d);
  ExpectPoint(controls.C1, 13, 0, kTight);
  ExpectPoint(controls.C2, 17, 0, kTight);

  // A corner: the control at b points along c - a, the one at c along b - d.
  TSplineControls corner = CalcSplineControlPoints({0, 0}, {10, 0}, {10, 10}, {0, 10});
  const long double reach = 3 / std::sqrt(2.0L);
  ExpectPoint(corner.C1, 10 + reach, reach, kTight);
  ExpectPoint(corner.C2, 10 + reach, 10 - reach, kTight);
}

TEST(CalcSplineControlPoints, CoincidentNeighboursLeaveTheControlOnItsEndPoint) {
  TSplinePoint p{5, 5};
  TSplineControls controls = CalcSplineControlPoints(p, {1, 1}, p, {1, 1});
  ExpectPoint(controls.C1, 1, 1, 0);
  ExpectPoint(controls.C2, 5, 5, 0);
}

TEST(ExtendSplinePoints, OpenCurveRepeatsItsEnds) {
  std::vector<TSplinePoint> points{{99, 99}, {0, 0}, {1, 2}, {3, 4}, {5, 6}};
  auto extended = ExtendSplinePoints(points, 4);
  ASSERT_EQ(extended.size(), 7u);
  ExpectPoint(extended[0], 0, 0, 0);
  for (int i = 1; i <= 4; ++i) ExpectPoint(extended[i], points[i].X, points[i].Y, 0);
  ExpectPoint(extended[5], 5, 6, 0);
  ExpectPoint(extended[6], 5, 6, 0);
  ExpectPoint(points[0], 99, 99, 0);  // the caller's array is left alone
}

TEST(ExtendSplinePoints, ClosedCurveWrapsAroundItsJoint) {
  std::vector<TSplinePoint> points{{}, {0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
  auto extended = ExtendSplinePoints(points, 5);
  ExpectPoint(extended[0], 0, 10, 0);
  ExpectPoint(extended[6], 10, 0, 0);
  ExpectPoint(extended[7], 10, 10, 0);
  // So the joint is smooth: the last segment leaves along the same line the first arrives.
  auto first = CalcSplineControlPoints(extended[0], extended[1], extended[2], extended[3]);
  auto last = CalcSplineControlPoints(extended[3], extended[4], extended[5], extended[6]);
  long double inX = extended[5].X - last.C2.X, inY = extended[5].Y - last.C2.Y;
  long double outX = first.C1.X - extended[1].X, outY = first.C1.Y - extended[1].Y;
  EXPECT_NEAR(static_cast<double>(inX * outY - inY * outX), 0.0, 1e-12);
  EXPECT_GT(static_cast<double>(inX * outX + inY * outY), 0.0);
}

}  // namespace
}  // namespace kyrovane
