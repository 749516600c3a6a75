// Polylines with straight and bulged segments, smoothed curves and the B-spline entity.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cad/CadPolyLine.h"
#include "cad/CadSpline.h"
#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"

namespace kyrovane::test {
namespace {

// Bulge of an arc whose included angle is the given number of degrees.
long double BulgeOf(long double degrees) {
  return std::tan(cad::DegToRad(degrees) / 4);
}

void ExpectNear(const TPoint3& p, double x, double y) {
  EXPECT_NEAR(static_cast<double>(p.X), x, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.Y), y, 1e-9);
}

TEST(PolyLineOutput, StraightSegmentsClosedOrFilled) {
  ModelFixture model;
  TCad_PolyLine& polyline = model.Add<TCad_PolyLine>("Solid");
  AddVertex(polyline, 0, 0);
  AddVertex(polyline, 25.4L, 0);
  AddVertex(polyline, 25.4L, 25.4L);
  polyline.Color = 0x00FF00;
  const std::string head = "0 1 0 RG\n0 1 0 rg\n[] 0 d\n0.283 w\n0 0 m\n72 0 l\n72 72 l\n";
  EXPECT_EQ(model.DrawPass(1), head + "S\n");
  polyline.Closed = 1;
  polyline.Filled = 1;
  EXPECT_EQ(model.DrawPass(1), head + "0 0 l\nB\n");
}

TEST(PolyLineOutput, PassTwoSolidsAndEmptyPolylines) {
  ModelFixture model;
  std::unique_ptr<TCad_PolyLine> solid = TCad_PolyLine::CreatePass2(nullptr, *model.layer, "s");
  AddVertex(*solid, 0, 0);
  AddVertex(*solid, 10, 0);
  model.layer->Add(std::move(solid));
  model.Add<TCad_PolyLine>("");  // no vertex: nothing to draw
  EXPECT_EQ(model.DrawPass(1), "");
  EXPECT_EQ(CountOperator(model.DrawPass(2), "S"), 1);
}

TEST(PolyLineOutput, BulgedSegmentsAreCircularArcs) {
  ModelFixture model;
  TCad_PolyLine& polyline = model.Add<TCad_PolyLine>("");
  AddVertex(polyline, PtToMm(100), PtToMm(100), 1);  // a half circle to the next vertex
  AddVertex(polyline, PtToMm(110), PtToMm(100));
  const std::string body = model.DrawPass(1);
  EXPECT_EQ(CountOperator(body, "c"), 3);
  const std::vector<std::string> lines = ContentLines(body);
  EXPECT_EQ(lines[4], "100 100 m");
  EXPECT_TRUE(lines[5].ends_with(" 102.5 95.67 c")) << lines[5];
  EXPECT_TRUE(lines[6].ends_with(" 107.5 95.67 c")) << lines[6];
  EXPECT_TRUE(lines[7].ends_with(" 110 100 c")) << lines[7];
}

TEST(BulgeArc, PiecesOfAtMostSixtyDegreesOnTheRightSide) {
  const TPoint3 q{0, 0, 0};
  const TPoint3 p{10, 0, 0};
  std::vector<TBezierPiece> arc = BulgeArc(q, p, 1);
  ASSERT_EQ(arc.size(), 3u);
  ExpectNear(arc[0].End, 2.5, -5 * std::sin(cad::kPi / 3));
  ExpectNear(arc[2].End, 10, 0);

  for (const auto& [degrees, pieces] :
       {std::pair{90, 1u}, {60, 1u}, {119, 1u}, {120, 2u}, {359, 5u}}) {
    EXPECT_EQ(BulgeArc(q, p, BulgeOf(degrees)).size(), pieces) << degrees;
  }

  // A quarter circle: the control points lie 4/3 tan(22.5) of the radius along the tangents.
  arc = BulgeArc(q, p, BulgeOf(90));
  const long double r = 5 * std::sqrt(2.0L);
  const long double k = 4.0L / 3 * std::tan(cad::kPi / 8) * r;
  ExpectNear(arc[0].C1, static_cast<double>(k * std::cos(-cad::kPi / 4)),
             static_cast<double>(k * std::sin(-cad::kPi / 4)));
  ExpectNear(arc[0].End, 10, 0);

  // A negative bulge mirrors the arc; vertical chords follow the same rule.
  const std::vector<TBezierPiece> ccw = BulgeArc(q, p, 1);
  const std::vector<TBezierPiece> cw = BulgeArc(q, p, -1);
  ASSERT_EQ(cw.size(), ccw.size());
  for (std::size_t i = 0; i < cw.size(); ++i) {
    ExpectNear(cw[i].C1, static_cast<double>(ccw[i].C1.X), static_cast<double>(-ccw[i].C1.Y));
    ExpectNear(cw[i].End, static_cast<double>(ccw[i].End.X), static_cast<double>(-ccw[i].End.Y));
  }
  ExpectNear(BulgeArc(q, {0, 10, 0}, 1)[0].End, 5 * std::sin(cad::kPi / 3), 2.5);

  // Radius 0 keeps every piece on the point; a bulge that is no number gives no arc.
  const std::vector<TBezierPiece> point = BulgeArc({3, 4, 0}, {3, 4, 0}, 1);
  ASSERT_EQ(point.size(), 3u);
  ExpectNear(point[1].C2, 3, 4);
  EXPECT_TRUE(BulgeArc(q, p, std::numeric_limits<long double>::quiet_NaN()).empty());
}

TEST(PolyLineOutput, ClosingSegmentTakesTheLastBulge) {
  ModelFixture model;
  TCad_PolyLine& polyline = model.Add<TCad_PolyLine>("");
  AddVertex(polyline, 0, 0);
  AddVertex(polyline, PtToMm(10), 0, 1);
  polyline.Closed = 1;
  const std::string body = model.DrawPass(1);
  EXPECT_EQ(CountOperator(body, "l"), 1);
  EXPECT_EQ(CountOperator(body, "c"), 3);
  EXPECT_TRUE(ContentLines(body).at(8).ends_with(" 0 0 c"));
}

TEST(CurveOutput, TwoVerticesAreOnePointAndOneVertexNothing) {
  ModelFixture model;
  TCad_Curve& curve = model.Add<TCad_Curve>();
  AddVertex(curve, 0, 0);
  EXPECT_EQ(model.DrawPass(1), "");
  AddVertex(curve, 25.4L, 25.4L);  // vertex 0 is never drawn
  EXPECT_EQ(model.DrawPass(1), PrinterWrites([](TPDFPrinter& printer, TPdfCanvas&) {
              std::vector<TSplinePoint> points(4);
              points[1] = {72, 72};
              printer.DrawSpline(points, 1, MmToPt(0.1L), 0, TLineType{});
            }));
}

TEST(CurveOutput, FiveThousandVertices) {
  ModelFixture model;
  TCad_Curve& curve = model.Add<TCad_Curve>();
  for (int i = 0; i < 5000; ++i) {
    AddVertex(curve, 10 + i * 0.04L, 100 + 20 * std::sin(i * 0.01L));
  }
  const std::string body = model.DrawPass(1);
  EXPECT_EQ(CountOperator(body, "c"), 4998);  // through vertices 1 to 4999
  EXPECT_EQ(CountOperator(body, "m"), 1);
  EXPECT_EQ(CountOperator(body, "S"), 1);
}

TEST(SplineOutput, ClampedQuadraticThroughItsEnds) {
  ModelFixture model;
  TCad_Spline& spline = model.Add<TCad_Spline>();
  spline.ControlPoints = {{0, 0, 0}, {PtToMm(100), PtToMm(200), 0}, {PtToMm(200), 0, 0}};
  spline.Knots = {0, 0, 0, 1, 1, 1};  // order 3
  const std::string body = model.DrawPass(1);
  const std::vector<std::string> lines = ContentLines(body);
  ASSERT_EQ(lines.size(), 14u);  // dash, width, colour, 10 points, stroke
  EXPECT_EQ(lines[0], "[] 0 d");
  EXPECT_EQ(lines[3], "0 0 m");
  EXPECT_EQ(lines[8], "100 100 l");  // t = 0.5 (after five steps of 0.1)
  EXPECT_EQ(lines.back(), "S");
  EXPECT_EQ(spline.Order, 3);
}

}  // namespace
}  // namespace kyrovane::test
