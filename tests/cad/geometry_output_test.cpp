// What points, lines and arcs write onto a page: the operator lines, the arguments they hand
// the printer, and the entities they skip.

#include <gtest/gtest.h>

#include <limits>

#include "cad/CadGeometry.h"
#include "cad/CadInsert.h"
#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"

namespace kyrovane::test {
namespace {

TEST(LineOutput, WritesTheCanonicalLineFromP2ToP1) {
  ModelFixture model;
  TCad_Line& line = model.Add<TCad_Line>();
  line.P1 = {50.8L, 25.4L, 0};
  line.P2 = {25.4L, 50.8L, 0};
  EXPECT_EQ(model.DrawPass(1), "0.283 w\n0 0 0 RG\n[] 0 d\n72 144 m\n144 72 l\nS\n");

  line.Stroke = 0;
  line.Color = 0x0000FF;
  line.LineWidth = 1;
  line.LineType = model.page.GetLineType(model.page.AddLineType("1"));
  for (const long double dash : {2.0L, 0.0L, 1.0L}) line.LineType->AddDash(dash);
  EXPECT_EQ(model.DrawPass(1), "1 w\n1 0 0 RG\n[6 1 3 ] 0 d\n72 144 m\n144 72 l\n");
}

TEST(LineOutput, DrawnOnlyInItsPassWhenVisibleAndNotBeyondOneEdge) {
  ModelFixture model;  // the printer's page is 596 x 842 points
  TCad_Line& line = model.Add<TCad_Line>();
  line.P1 = {-10, 0, 0};
  line.P2 = {-20, 500, 0};
  EXPECT_EQ(model.DrawPass(1), "");
  line.P1 = {-10, -10, 0};  // both ends outside, on different sides
  line.P2 = {300, 400, 0};
  EXPECT_EQ(CountOperator(model.DrawPass(1), "S"), 1);
  EXPECT_EQ(model.DrawPass(1, 1000, 0), "");  // the offsets move it off the page
  line.Pass = 2;
  EXPECT_EQ(model.DrawPass(1), "");
  EXPECT_EQ(model.DrawPass(3), "");
  EXPECT_EQ(CountOperator(model.DrawPass(2), "S"), 1);
  line.Visible = 0;
  EXPECT_EQ(model.DrawPass(2), "");
}

TEST(PointOutput, IsAFilledCircleOfLineWidthTimesSize) {
  ModelFixture model;
  TCad_Point& point = model.Add<TCad_Point>();
  point.Position = {25.4L, 50.8L, 0};
  point.LineWidth = 0.5L;
  point.SizeFactor = 3;
  point.Color = 0xFF0000;
  const std::string body = model.DrawPass(1);
  EXPECT_EQ(
      body, PrinterWrites([](TPDFPrinter& printer, TPdfCanvas& canvas) {
        printer.DrawFilledCircle(canvas, 0xFF0000, 1.5L, 1.5L, 72, 144, 0.5L, TLineType{{0}, 0});
      }));
  const std::vector<std::string> lines = ContentLines(body);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "0.5 w");
  EXPECT_EQ(lines[2], "0 0 1 rg");
  EXPECT_EQ(lines[3], "[] 0 d");
  EXPECT_EQ(lines[4], "73.5 144 m");
  EXPECT_EQ(CountOperator(body, "c"), 6);
  EXPECT_EQ(lines[11], "f");
}

TEST(PointOutput, BorderIsOnThePage) {
  ModelFixture model;
  TCad_Point& point = model.Add<TCad_Point>();
  EXPECT_EQ(CountOperator(model.DrawPass(1), "f"), 1);  // at (0, 0)
  point.Position = {PtToMm(596), PtToMm(842), 0};
  EXPECT_EQ(CountOperator(model.DrawPass(1), "f"), 1);
  point.Position = {PtToMm(-0.01L), 0, 0};
  EXPECT_EQ(model.DrawPass(1), "");
  point.Position = {0, PtToMm(842.01L), 0};
  EXPECT_EQ(model.DrawPass(1), "");
}

// Equal angles draw the whole circle as six curves; an arc across 0 degrees is one piece.
TEST(ArcOutput, WholeCircleAndArcAcrossZeroDegrees) {
  struct Case {
    long double start, end, axis, radiusY;
    long double sweepStart, sweepEnd;
    int curves;
  };
  for (const Case& c : {Case{45, 45, 10, 25.4L, 0, 360, 6}, Case{350, 10, 0, 12.7L, 350, 370, 1}}) {
    SCOPED_TRACE(static_cast<double>(c.start));
    ModelFixture model;
    TCad_Arc& arc = model.Add<TCad_Arc>();
    arc.Center = {50.8L, 50.8L, 0};
    arc.Radii = {25.4L, c.radiusY, 0};
    arc.StartAngle = c.start;
    arc.EndAngle = c.end;
    arc.AxisAngle = c.axis;
    const std::string body = model.DrawPass(1);
    EXPECT_EQ(body, PrinterWrites([&c](TPDFPrinter& printer, TPdfCanvas& canvas) {
                printer.DrawArc(canvas, 0, 72, MmToPt(c.radiusY), 144, 144, c.sweepStart,
                                c.sweepEnd, c.axis, MmToPt(0.1L), TLineType{}, false);
              }));
    EXPECT_EQ(CountOperator(body, "c"), c.curves);
    EXPECT_EQ(CountOperator(body, "S"), 1);
  }
}

TEST(ArcOutput, FilledArcIsAPieInPassTwo) {
  ModelFixture model;
  std::unique_ptr<TCad_Arc> owned = TCad_Arc::CreatePass2(nullptr, *model.layer);
  TCad_Arc& arc = *owned;
  model.layer->Add(std::move(owned));
  arc.Center = {50.8L, 50.8L, 0};
  arc.Radii = {25.4L, 25.4L, 0};
  arc.StartAngle = 0;
  arc.EndAngle = 90;
  arc.Filled = 1;
  EXPECT_EQ(model.DrawPass(1), "");
  const std::vector<std::string> lines = ContentLines(model.DrawPass(2));
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[4], "144 144 m");
  EXPECT_EQ(lines[5], "216 144 l");
  EXPECT_EQ(lines.back(), "B");
}

TEST(ArcOutput, TiltAddsInsertAndLayerAngles) {
  ModelFixture model;
  model.layer->Angle = 90;
  TCad_Block& block = model.NewBlock("b");
  TCad_Arc& arc = model.AddTo<TCad_Arc>(block);
  arc.Center = {50.8L, -50.8L, 0};
  arc.Radii = {25.4L, 12.7L, 0};
  arc.StartAngle = 0;
  arc.EndAngle = 90;
  arc.AxisAngle = 10;
  TCad_Insert& insert = model.Add<TCad_Insert>();
  insert.SetBlock(&block);
  insert.Scale = {1, 1, 1};
  insert.Angle = 30;
  const TPoint3 centre = [&] {
    arc.SetParent(&insert);
    return arc.TransformPoint(arc.Center);
  }();
  EXPECT_EQ(model.DrawPass(1), PrinterWrites([&](TPDFPrinter& printer, TPdfCanvas& canvas) {
              printer.DrawArc(canvas, 0, 72, 36, centre.X, centre.Y, 0, 90, 130, MmToPt(0.1L),
                              TLineType{}, false);
            }));
}

TEST(ArcOutput, SweepsStayWithinOneTurn) {
  const auto sweep = [](long double s, long double e) {
    const TArcSweep result = ArcSweep(s, e);
    return std::pair<double, double>(static_cast<double>(result.Start),
                                     static_cast<double>(result.End));
  };
  EXPECT_EQ(sweep(350, 10), std::make_pair(350.0, 370.0));
  EXPECT_EQ(sweep(30, 30), std::make_pair(0.0, 360.0));
  EXPECT_EQ(sweep(10, 350), std::make_pair(10.0, 350.0));
  EXPECT_EQ(sweep(0, 360), std::make_pair(0.0, 360.0));
  EXPECT_EQ(sweep(0, 1000), std::make_pair(0.0, 280.0));
  EXPECT_EQ(sweep(800, 10), std::make_pair(800.0, 1090.0));
  EXPECT_EQ(sweep(0, 720), std::make_pair(0.0, 360.0));
  EXPECT_EQ(sweep(-1860, 0), std::make_pair(-1860.0, -1800.0));
}

TEST(ArcOutput, PageTestUsesTheRadiiBox) {
  ModelFixture model;
  TCad_Arc& arc = model.Add<TCad_Arc>();
  arc.Radii = {25.4L, 25.4L, 0};
  arc.Center = {-25.4L, 100, 0};  // touches the left edge
  EXPECT_EQ(CountOperator(model.DrawPass(1), "S"), 1);
  arc.Center = {-25.5L, 100, 0};
  EXPECT_EQ(model.DrawPass(1), "");
  model.layer->Scale = {-1, 1, 1};  // mirrored: negative radii keep the box
  arc.Center = {25.4L, 100, 0};
  EXPECT_TRUE(arc.IsOnPage(0, 0, 596, 842));
  arc.Radii = {std::numeric_limits<long double>::infinity(), 1, 0};
  EXPECT_EQ(model.DrawPass(1), "");
}

}  // namespace
}  // namespace kyrovane::test
