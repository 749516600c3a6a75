// Lines, curve chains, random (zig-zag) lines and arcs.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "jww_build_fixture.h"

namespace kyrovane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::SizeIs;
constexpr double kPi = std::numbers::pi;

// A chain member: a line of a curve group.
jwwunit::CDataSen ChainLine(double x1, double y1, double x2, double y2, uint32_t group,
                            jwwunit::JWWEntityHead head = Head()) {
  head.CurveGroup = group;
  return Line(x1, y1, x2, y2, head);
}

std::vector<TPoint3> CurvePoints(JwwBuild& build, int layer, int item) {
  return Shifted(Points(Item<TCad_Curve>(build.Layer(layer), item)), -kHalfX, -kHalfY);
}

TEST(JwwLines, ALineRunsFromItsEndPointAndCarriesTheHalfSheetOffset) {
  JwwBuild build;
  build.Add(Line(1, 2, 3, 4, Head(2, 5)));
  build.Build();
  const TCad_Line& line = Item<TCad_Line>(build.Layer(0), 0);
  EXPECT_THAT(line.P1, IsPoint(3 + kHalfX, 4 + kHalfY));
  EXPECT_THAT(line.P2, IsPoint(1 + kHalfX, 2 + kHalfY));
  EXPECT_EQ(line.Pass, 1);
  EXPECT_EQ(line.LineType, build.page.FindLineType("2"));
}

TEST(JwwLines, LinesAndArcsOfType9AreNotDrawn) {
  JwwBuild build;
  build.Add(Line(0, 0, 1, 1, Head(9))).Add(Line(0, 0, 2, 2, Head(8)));
  build.Add(Arc(0, 0, 10, 0, 1, Head(9)));
  build.Build();
  ASSERT_EQ(build.Layer(0).Count(), 1);
  EXPECT_THAT(Item<TCad_Line>(build.Layer(0), 0).P1, IsPoint(2 + kHalfX, 2 + kHalfY));
}

TEST(JwwChains, SmoothingJoinsTheLinesOfOneCurveGroup) {
  JwwBuild build;
  build.Add(ChainLine(0, 0, 1, 0, 5)).Add(ChainLine(1, 0, 2, 1, 5)).Add(ChainLine(2, 1, 3, 3, 5));
  build.Build();
  EXPECT_EQ(build.Layer(0).Count(), 3);
  Item<TCad_Line>(build.Layer(0), 2);

  build.env.UseSpline = true;
  build.Build();
  ASSERT_EQ(build.Layer(0).Count(), 1);
  // Vertex 0 is never drawn: the chain begins with its first point twice.
  EXPECT_THAT(CurvePoints(build, 0, 0), ElementsAre(IsPoint(0, 0), IsPoint(0, 0), IsPoint(1, 0),
                                                    IsPoint(2, 1), IsPoint(3, 3)));
}

TEST(JwwChains, AChainEndsAtAnotherGroupLayerOrAPlainLine) {
  JwwBuild build;
  build.env.UseSpline = true;
  build.Add(ChainLine(0, 0, 1, 0, 5)).Add(ChainLine(1, 0, 2, 0, 5, Head(1, 1, 0, 1)));
  build.Add(ChainLine(2, 0, 3, 0, 6, Head(1, 1, 0, 1)))
      .Add(ChainLine(3, 0, 4, 0, 6, Head(1, 1, 0, 1)));
  build.Add(Line(4, 0, 5, 0));
  build.Add(ChainLine(5, 0, 6, 0, 6, Head(1, 1, 0, 1)));
  build.Build();
  // Group 5 on layer 0, group 5 on layer 1, group 6 on layer 1, the plain line, group 6 again.
  ASSERT_EQ(build.Layer(0).Count(), 2);
  EXPECT_THAT(CurvePoints(build, 0, 0), ElementsAre(IsPoint(0, 0), IsPoint(0, 0), IsPoint(1, 0)));
  Item<TCad_Line>(build.Layer(0), 1);
  ASSERT_EQ(build.Layer(1).Count(), 3);
  EXPECT_THAT(CurvePoints(build, 1, 0), ElementsAre(IsPoint(1, 0), IsPoint(1, 0), IsPoint(2, 0)));
  EXPECT_THAT(CurvePoints(build, 1, 1),
              ElementsAre(IsPoint(2, 0), IsPoint(2, 0), IsPoint(3, 0), IsPoint(4, 0)));
  EXPECT_THAT(CurvePoints(build, 1, 2), ElementsAre(IsPoint(5, 0), IsPoint(5, 0), IsPoint(6, 0)));
}

TEST(JwwChains, AChainTakesPenAndLineTypeOfItsLastLineAndSkipsLinesOfType9) {
  JwwBuild build;
  build.env.UseSpline = true;
  build.env.UseColor = true;
  build.Add(ChainLine(0, 0, 1, 0, 5, Head(2, 1)));
  build.Add(ChainLine(1, 0, 2, 0, 5, Head(3, 4)));
  build.Add(Line(50, 50, 60, 60, Head(9, 7)));  // not drawn: neither joins nor ends the chain
  build.Add(ChainLine(2, 0, 3, 0, 5, Head(4, 3)));
  build.Build();
  ASSERT_EQ(build.Layer(0).Count(), 1);
  const TCad_Curve& curve = Item<TCad_Curve>(build.Layer(0), 0);
  EXPECT_THAT(CurvePoints(build, 0, 0), ElementsAre(IsPoint(0, 0), IsPoint(0, 0), IsPoint(1, 0),
                                                    IsPoint(2, 0), IsPoint(3, 0)));
  EXPECT_EQ(curve.LineType, build.page.FindLineType("4"));
  EXPECT_EQ(curve.Color, 0x00FF00);  // pen 3
  EXPECT_EQ(curve.Pass, 1);
}

TEST(JwwZigZags, ARandomLineBecomesTeethBetweenItsEnds) {
  JwwBuild build;
  build.SetRandomType(12, 2, 2, 0);  // step 2, amplitude 1, every tooth on the right
  build.Add(Line(0, 0, 10, 0, Head(12)));
  build.Build();
  // The tooth at 10 gives way to the end point, which comes twice.
  EXPECT_THAT(CurvePoints(build, 0, 0),
              ElementsAre(IsPoint(0, 0), IsPoint(0, 0), IsPoint(2, -1), IsPoint(4, -1),
                          IsPoint(6, -1), IsPoint(8, -1), IsPoint(10, 0), IsPoint(10, 0)));
  EXPECT_EQ(Item<TCad_Curve>(build.Layer(0), 0).LineType, build.page.FindLineType("12"));
}

TEST(JwwZigZags, ALineOfAtMostTwoStepsOrAZeroOrNegativeStepStaysALine) {
  JwwBuild build;
  build.SetRandomType(12, 5, 2, 0);
  build.SetRandomType(13, 0, 2, 0);
  build.env.LinePatternScale[14] = -1;
  build.SetRandomType(14, 2, 2, 0);
  for (int type : {12, 13, 14}) build.Add(Line(0, 0, 10, 0, Head(type)));
  build.Build();
  for (int i = 0; i < 3; ++i) Item<TCad_Line>(build.Layer(0), i);
}

TEST(JwwZigZags, PatternBitsPickTheSideOfEachTooth) {
  JwwBuild build;
  build.SetRandomType(11, 1, 2, 0x40000000);
  build.Add(Line(0, 0, 40, 0, Head(11)));
  build.Build();
  const std::vector<TPoint3> points = CurvePoints(build, 0, 0);
  ASSERT_THAT(points, SizeIs(43));
  // Tooth k is vertex k + 1: tooth 1 uses bit 30, tooth 32 bit 31, tooth 33 bit 30 again.
  EXPECT_THAT(points[2], IsPoint(1, 1));
  for (int k = 2; k <= 32; ++k) EXPECT_THAT(points[k + 1], IsPoint(k, -1)) << k;
  EXPECT_THAT(points[34], IsPoint(33, 1));
}

TEST(JwwZigZags, PatternScaleAndRandomWidthScaleStepAndAmplitude) {
  JwwBuild build;
  build.SetRandomType(15, 2, 2, 0xFFFFFFFF);
  build.env.LinePatternScale[15] = 2;
  build.env.RandomWidth = 3;
  build.Add(Line(0, 0, 0, 20, Head(15)));  // upwards: the left is -x
  build.Build();
  EXPECT_THAT(CurvePoints(build, 0, 0),
              ElementsAre(IsPoint(0, 0), IsPoint(0, 0), IsPoint(-3, 4), IsPoint(-3, 8),
                          IsPoint(-3, 12), IsPoint(-3, 16), IsPoint(0, 20), IsPoint(0, 20)));
}

TEST(JwwZigZags, ChainsOfRandomLinesZigZagAlongTheChain) {
  JwwBuild build;
  build.SetRandomType(12, 1, 2, 0);
  build.Add(ChainLine(0, 0, 4, 0, 7, Head(12))).Add(ChainLine(4, 0, 4, 4, 7, Head(12)));
  build.Build();
  // Teeth 1..7 of the 8 steps follow the corner: right of +x is -y, right of +y is +x.
  EXPECT_THAT(CurvePoints(build, 0, 0),
              ElementsAre(IsPoint(0, 0), IsPoint(0, 0), IsPoint(1, -1), IsPoint(2, -1),
                          IsPoint(3, -1), IsPoint(4, -1), IsPoint(5, 1), IsPoint(5, 2),
                          IsPoint(5, 3), IsPoint(4, 4), IsPoint(4, 4)));
  // Steps longer than the chain: it still reaches its end.
  build.SetRandomType(12, 10, 2, 0);
  build.Build();
  EXPECT_THAT(CurvePoints(build, 0, 0),
              ElementsAre(IsPoint(0, 0), IsPoint(0, 0), IsPoint(4, 4), IsPoint(4, 4)));
}

TEST(JwwArcs, AnglesRunCounterClockwiseFromTheLowerOne) {
  JwwBuild build;
  build.Add(Arc(1, 2, 10, 0, -kPi / 2, Head(3, 2)));
  build.Add(Arc(0, 0, 10, kPi / 2, kPi / 2));
  build.Add(Arc(0, 0, 10, 0, 2 * kPi));
  jwwunit::CDataEnko ellipse = Arc(0, 0, 10, -kPi / 4, kPi, Head());
  ellipse.Flatness = 0.5;
  ellipse.TiltAngle = kPi / 4;
  build.Add(ellipse);
  build.Build();
  const TCad_Arc& quarter = Item<TCad_Arc>(build.Layer(0), 0);
  EXPECT_NEAR(quarter.StartAngle, 270, 1e-12);
  EXPECT_NEAR(quarter.EndAngle, 360, 1e-12);
  EXPECT_THAT(quarter.Center, IsPoint(1 + kHalfX, 2 + kHalfY));
  EXPECT_EQ(quarter.LineType, build.page.FindLineType("3"));
  EXPECT_EQ(quarter.Filled, 0);
  EXPECT_EQ(quarter.Pass, 1);
  EXPECT_NEAR(Item<TCad_Arc>(build.Layer(0), 1).StartAngle, 90, 1e-12);
  EXPECT_NEAR(Item<TCad_Arc>(build.Layer(0), 1).EndAngle, 180, 1e-12);
  EXPECT_NEAR(Item<TCad_Arc>(build.Layer(0), 2).StartAngle, 0, 1e-12);
  EXPECT_NEAR(Item<TCad_Arc>(build.Layer(0), 2).EndAngle, 360, 1e-12);
  const TCad_Arc& tilted = Item<TCad_Arc>(build.Layer(0), 3);
  EXPECT_NEAR(tilted.StartAngle, 315, 1e-12);
  EXPECT_NEAR(tilted.EndAngle, 495, 1e-12);
  EXPECT_NEAR(tilted.AxisAngle, 45, 1e-12);
  EXPECT_THAT(tilted.Radii, IsPoint(10, 5));
}

TEST(JwwArcs, RandomArcsZigZagFromTheirStartToTheirEnd) {
  JwwBuild build;
  build.SetRandomType(13, 2, 2, 0xFFFFFFFF);  // every tooth outwards
  build.Add(Arc(0, 0, 10, kPi / 2, kPi / 2, Head(13)));
  build.Build();
  const std::vector<TPoint3> points = CurvePoints(build, 0, 0);
  // 15.7 mm of arc: 8 steps, teeth 1..7 at 2 mm steps on the radius 11.
  ASSERT_THAT(points, SizeIs(10));
  EXPECT_THAT(points[0], IsPoint(0, 10));
  EXPECT_THAT(points[1], IsPoint(0, 10));
  EXPECT_THAT(points[2], IsPoint(11 * std::cos(kPi / 2 + 0.2), 11 * std::sin(kPi / 2 + 0.2)));
  EXPECT_THAT(points[9], IsPoint(-10, 0));
}

TEST(JwwArcs, ARandomArcDropsATrailingShortToothAndIsPlainWithoutAnyTooth) {
  JwwBuild build;
  build.SetRandomType(13, 2, 2, 0);
  build.SetRandomType(14, 5, 2, 0);
  build.Add(Arc(0, 0, 10, 0, 0.5, Head(13)));  // 5 mm: 2.5 steps round to 2, short by 1 mm
  build.Add(Arc(0, 0, 1, 0, 1, Head(14)));     // 1 mm of arc, steps of 5 mm
  build.Add(Arc(0, 0, 0, 0, 1, Head(14)));     // no radius
  build.Build();
  EXPECT_THAT(CurvePoints(build, 0, 0), SizeIs(3));
  Item<TCad_Arc>(build.Layer(0), 1);
  Item<TCad_Arc>(build.Layer(0), 2);
}

TEST(JwwArcs, AFullRandomCircleEndsWhereItStarts) {
  JwwBuild build;
  build.SetRandomType(11, 2, 2, 0);
  jwwunit::CDataEnko circle = Arc(0, 0, 10, 0, 2 * kPi, Head(11));
  circle.FullCircle = 1;
  build.Add(circle);
  build.Build();
  const std::vector<TPoint3> points = CurvePoints(build, 0, 0);
  EXPECT_THAT(points.back(), IsPoint(points[1].X, points[1].Y));
  EXPECT_THAT(points[1], IsPoint(10, 0));
}

}  // namespace
}  // namespace kyrovane::test
