// Lines, arcs, pies, filled ellipses and smoothed curves as the page contents show them.

#include <algorithm>
#include <limits>
#include <vector>

#include "printer_fixture.h"

namespace kyrovane::test {
namespace {

const TLineType kSolid;
const std::string kBlackPen = Lines({"1 w", "0 0 0 RG", "0 0 0 rg", "[] 0 d"});

using DrawLineTest = PrinterTest;

TEST_F(DrawLineTest, WritesPenPathAndStroke) {
  printer.DrawLine(Canvas(), 0, 10, 20, 30, 40, 0.1f, kSolid, true);
  EXPECT_EQ(EndFirstPageDrawing(),
            Lines({"0.1 w", "0 0 0 RG", "[] 0 d", "10 20 m", "30 40 l", "S"}));
}

TEST_F(DrawLineTest, WithoutStrokeLeavesThePathOpen) {
  printer.DrawLine(Canvas(), 0x0000FF, 1, 2, 3, 4, 2, kSolid, false);
  Canvas().LineTo(5, 6);
  Canvas().Stroke();
  EXPECT_EQ(EndFirstPageDrawing(),
            Lines({"2 w", "1 0 0 RG", "[] 0 d", "1 2 m", "3 4 l", "5 6 l", "S"}));
}

using DrawArcTest = PrinterTest;

TEST_F(DrawArcTest, QuarterCircleIsOneCurve) {
  printer.DrawArc(Canvas(), 0, 100, 100, 300, 400, 0, 90, 0, 1, kSolid, false);
  EXPECT_EQ(EndFirstPageDrawing(),
            kBlackPen + Lines({"400 400 m", "400 455.228 355.228 500 300 500 c", "S"}));
}

TEST_F(DrawArcTest, SixtyAndSixtyOneDegreesAreOneCurve) {
  printer.DrawArc(Canvas(), 0, 100, 100, 200, 300, 0, 60, 0, 1, kSolid, false);
  printer.DrawArc(Canvas(), 0, 100, 100, 200, 300, 0, 61, 0, 1, kSolid, false);
  EXPECT_EQ(EndFirstPageDrawing(),
            kBlackPen + Lines({"300 300 m", "300 335.727 280.94 368.739 250 386.603 c", "S"}) +
                kBlackPen +
                Lines({"300 300 m", "300 336.351 280.274 369.839 248.481 387.462 c", "S"}));
}

TEST_F(DrawArcTest, HundredTwentyDegreesOfAnEllipseAreTwoCurves) {
  printer.DrawArc(Canvas(), 0, 100, 50, 300, 400, 10, 130, 0, 1, kSolid, false);
  EXPECT_EQ(
      EndFirstPageDrawing(),
      kBlackPen + Lines({"398.481 408.682 m", "392.277 426.274 367.774 440.875 334.202 446.985 c",
                         "300.63 453.094 263.089 449.785 235.721 438.302 c", "S"}));
}

TEST_F(DrawArcTest, FullTurnIsSixCurvesFromTheStartAngleBackToIt) {
  printer.DrawArc(Canvas(), 0, 50, 50, 100, 100, 30, 390, 20, 1, kSolid, false);
  EXPECT_EQ(
      EndFirstPageDrawing(),
      kBlackPen + Lines({"132.139 138.302 m", "118.455 149.785 99.685 153.094 82.899 146.985 c",
                         "66.113 140.875 53.862 126.274 50.76 108.682 c",
                         "47.658 91.091 54.177 73.18 67.861 61.698 c",
                         "81.545 50.215 100.315 46.906 117.101 53.015 c",
                         "133.887 59.125 146.138 73.726 149.24 91.318 c",
                         "152.342 108.909 145.823 126.82 132.139 138.302 c", "S"}));
}

TEST_F(DrawArcTest, PieRunsFromTheCentreAndIsFilledAndStroked) {
  printer.DrawArc(Canvas(), 0, 100, 50, 300, 400, 30, 180, 45, 1, kSolid, true);
  EXPECT_EQ(
      EndFirstPageDrawing(),
      kBlackPen + Lines({"300 400 m", "343.56 478.915 l",
                         "313.699 476.771 274.32 450.905 247.548 415.849 c",
                         "220.776 380.794 213.287 345.291 229.289 329.289 c", "300 400 l", "B"}));
}

TEST_F(DrawArcTest, PenColourAndDashGoToStrokeAndFill) {
  printer.DrawArc(Canvas(), 0x804020, 10, 10, 50, 50, 0, 30, 0, 0.25L, printer.GetLineType(5),
                  false);
  std::string page = EndFirstPageDrawing();
  EXPECT_EQ(page.substr(0, page.find(" m\n")),
            "0.25 w\n0.125 0.251 0.502 RG\n0.125 0.251 0.502 rg\n[10 2 2 2 ] 0 d\n60 50");
}

using DrawFilledCircleTest = PrinterTest;

TEST_F(DrawFilledCircleTest, SixCurvesFilledNotStroked) {
  printer.DrawFilledCircle(Canvas(), 0, 10, 10, 50, 50, 1, kSolid);
  EXPECT_EQ(
      EndFirstPageDrawing(),
      kBlackPen +
          Lines({"60 50 m", "60 53.573 58.094 56.874 55 58.66 c",
                 "51.906 60.447 48.094 60.447 45 58.66 c", "41.906 56.874 40 53.573 40 50 c",
                 "40 46.427 41.906 43.126 45 41.34 c", "48.094 39.553 51.906 39.553 55 41.34 c",
                 "58.094 43.126 60 46.427 60 50 c", "f"}));
}

class DrawSplineTest : public PrinterTest {
 protected:
  // The points a caller passes: slot 0 is never read.
  static std::vector<TSplinePoint> Through(std::vector<TSplinePoint> points) {
    points.insert(points.begin(), TSplinePoint{std::numeric_limits<long double>::quiet_NaN(), 0});
    return points;
  }
};

TEST_F(DrawSplineTest, ThreePointsOrFewerAreAStraightLine) {
  printer.DrawSpline(Through({{1, 2}, {3, 4}}), 2, 1, 0, kSolid);
  printer.DrawSpline(Through({{1, 2}, {50, 50}, {5, 6}}), 3, 1, 0, kSolid);
  const std::string pen = Lines({"1 w", "0 0 0 RG", "[] 0 d"});
  EXPECT_EQ(EndFirstPageDrawing(),
            pen + Lines({"1 2 m", "3 4 l", "S"}) + pen + Lines({"1 2 m", "5 6 l", "S"}));
}

TEST_F(DrawSplineTest, OpenCurvePassesThroughEveryPoint) {
  printer.DrawSpline(Through({{10, 10}, {50, 80}, {100, 20}, {150, 90}, {200, 40}}), 5, 1, 0,
                     kSolid);
  EXPECT_EQ(EndFirstPageDrawing(),
            Lines({"1 w", "0 0 0 RG", "[] 0 d", "10 10 m", "22 31 25.961 77.329 50 80 c",
                   "73.287 82.587 76.686 17.669 100 20 c", "125.679 22.568 124.694 84.939 150 90 c",
                   "170.801 94.16 185 55 200 40 c", "S"}));
}

TEST_F(DrawSplineTest, CurveEndingAtItsStartIsClosedAndSmoothThere) {
  printer.DrawSpline(Through({{100, 100}, {200, 100}, {200, 200}, {100, 200}, {100, 100}}), 5, 1, 0,
                     kSolid);
  EXPECT_EQ(EndFirstPageDrawing(), Lines({"1 w", "0 0 0 RG", "[] 0 d", "100 100 m",
                                          "121.213 78.787 178.787 78.787 200 100 c",
                                          "221.213 121.213 221.213 178.787 200 200 c",
                                          "178.787 221.213 121.213 221.213 100 200 c",
                                          "78.787 178.787 78.787 121.213 100 100 c", "S"}));
}

TEST_F(DrawSplineTest, CountIsCutToThePointsGivenAndNothingIsDrawnWithoutPointsOrBelowOne) {
  printer.DrawSpline(Through({{1, 2}, {3, 4}}), 40, 1, 0, kSolid);
  printer.DrawSpline(Through({}), 3, 1, 0, kSolid);
  printer.DrawSpline({}, 3, 1, 0, kSolid);
  printer.DrawSpline(Through({{1, 2}}), 0, 1, 0, kSolid);
  printer.DrawSpline(Through({{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}}), -1, 1, 0, kSolid);
  EXPECT_EQ(EndFirstPageDrawing(), Lines({"1 w", "0 0 0 RG", "[] 0 d", "1 2 m", "3 4 l", "S"}));
}

TEST_F(DrawSplineTest, DrawsOnTheDocumentsCanvasWithThePen) {
  printer.DrawSpline(Through({{0, 0}, {10, 0}, {20, 5}, {30, 0}}), 4, 0.5L, 0x00FF00,
                     printer.GetLineType(7));
  std::string page = EndFirstPageDrawing();
  EXPECT_EQ(page.substr(0, page.find(" m\n")), "0.5 w\n0 1 0 RG\n[4 2 1 2 1 2 ] 0 d\n0 0");
  EXPECT_EQ(std::count(page.begin(), page.end(), 'c'), 3);
}

using NumbersFromDrawingsTest = PrinterTest;

TEST_F(NumbersFromDrawingsTest, NotANumberOrInfinityNeverReachesTheFile) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double inf = std::numeric_limits<long double>::infinity();
  printer.DrawLine(Canvas(), 0, nan, 1, inf, -inf, 1, kSolid, true);
  printer.DrawArc(Canvas(), 0, 10, 10, 50, 50, 0, nan, 0, 1, kSolid, false);
  printer.DrawArc(Canvas(), 0, inf, 10, 50, 50, 0, 90, nan, nan, kSolid, true);
  printer.DrawFilledCircle(Canvas(), 0, nan, 1, 2, inf, 1, kSolid);
  printer.DrawSpline(std::vector<TSplinePoint>{{}, {0, 0}, {nan, 1}, {2, inf}, {3, 3}}, 4, 1, 0,
                     kSolid);
  printer.TextOut(100, "a^ub", nan, inf, nan, inf, "Arial", 10, 0, true);
  std::string page = EndFirstPageDrawing();
  for (const char* bad : {"nan", "NAN", "inf", "INF", "e+", "e-"}) {
    EXPECT_EQ(page.find(bad), std::string::npos) << bad;
  }
}

}  // namespace
}  // namespace kyrovane::test
