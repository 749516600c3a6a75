// Drawings of the older format: sheet and scale, layer states and list masks, curve chains,
// texts of the drawing's text types, pictures, and the tables a damaged drawing may hold.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "app/settings/Units.h"
#include "cad/CadImage.h"
#include "older_build_fixture.h"
#include "pdf/picture/bmp_builder.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;

// The entities of a layer, one line each: "line x,y x,y" from P2 to P1, "curve x,y ...".
std::string Describe(TCad_Layer& layer) {
  std::ostringstream out;
  const auto point = [&](const TPoint3& p) { out << ' ' << double(p.X) << ',' << double(p.Y); };
  for (int i = 0; i < layer.Count(); ++i) {
    if (const auto* line = dynamic_cast<const TCad_Line*>(layer.GetItem(i))) {
      out << "line";
      point(line->P2);
      point(line->P1);
    } else if (const auto* curve = dynamic_cast<const TCad_Curve*>(layer.GetItem(i))) {
      out << "curve";
      for (const TPoint3& p : Points(*curve)) point(p);
    }
    out << '\n';
  }
  return out.str();
}

TEST(JwcSheet, PaperCodesHalfScaleAndFittingSizeThePageAndScaleTheLayers) {
  struct Row {
    int code;
    bool half;
    int fit;
    int width, height;
    long double outputScale;
    float ratio;  // the sheet's long side (mm) over the divisor 100; 1 for other sheets
  };
  const Row rows[] = {
      {0, false, 0, 3368, 2384, 1, 11.89f}, {11, false, 0, 13472, 9536, 1, 47.56f},
      {6, false, 0, 2384, 1684, 1, 1},      {-1, false, 0, 2384, 1684, 1, 1},
      {1, true, 0, 1192, 842, 0.5L, 8.41f}, {1, true, 3, 1192, 842, 1, 8.41f},
      {2, false, 4, 842, 596, 0.5L, 5.94f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    JwcBuild build;
    build.drawing.PaperSize = row.code;
    build.drawing.ScaleDivisor = 100;
    build.env.HalfScale = row.half;
    build.env.FitToPaper = row.fit != 0;
    build.env.PaperMode = row.fit;
    const TCad_Page& page = build.Build();
    EXPECT_EQ(page.PageWidth, row.width);
    EXPECT_EQ(page.PageHeight, row.height);
    EXPECT_EQ(page.Output.OutputScale, row.outputScale);
    EXPECT_EQ(build.Layer(255).Scale.X, row.outputScale * row.ratio);
  }
}

TEST(JwcSheet, AScaleThatIsNoPositiveNumberIsOne) {
  for (const float scale : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity()}) {
    JwcBuild build;
    build.drawing.Lines = {LineOf(0, 0, 100, 40)};
    build.Build();
    build.data.JwcHeader.Scale = scale;
    const TCad_Page& page = build.BuildData(true);
    EXPECT_EQ(build.Layer(3).Scale.X, 1);
    EXPECT_EQ(page.PageWidth, std::nearbyint(MmToPoint(100)));
  }
}

TEST(JwcSheet, AllAreaSizesThePageToTheExtentsAtTheDrawingsScale) {
  JwcBuild build;
  build.drawing.ScaleDivisor = 210;  // A3: scale 2
  build.env.HalfScale = true;        // does not enter the page size
  build.marginX = 5;
  build.marginY = 1;
  // X from -50 to -10: the maximum stays 0. A text of type 1 (3 mm) reaches 3 mm around its
  // base line; an arc of radius 10 and ratio 0.5 reaches 5 above its centre.
  build.drawing.Lines = {LineOf(-50, -20, -10, 0)};
  build.drawing.Arcs = {{-30, 60, 10, 5000}};
  AddPoolText(build.drawing, TextAt(-20, -30, -15, -30), "T");
  const TCad_Page& page = build.Build(true);
  EXPECT_EQ(page.PageWidth, std::nearbyint(MmToPoint(50 * 2) + MmToPoint(10)));
  EXPECT_EQ(page.PageHeight, std::nearbyint(MmToPoint((65 + 33) * 2) + MmToPoint(2)));
  EXPECT_THAT(build.Layer(7).Origin, IsPoint(50, 33));
  EXPECT_EQ(build.Layer(7).Scale.X, 1);

  // A drawing with nothing in it keeps its sheet.
  JwcBuild empty;
  const TCad_Page& sheet = empty.Build(true);
  EXPECT_EQ(sheet.PageWidth, 1192);
  EXPECT_EQ(sheet.PageHeight, 842);
  EXPECT_THAT(empty.Layer(0).Origin, IsPoint(0, 0));
}

TEST(JwcLayers, StateBytesShowGreyAndDrawFirstAndListMasksOverride) {
  struct Row {
    uint8_t groupA, groupB, layerA, layerB;
    bool visible, first;
  };
  const Row rows[] = {
      {1, 1, 1, 1, true, false},  {0, 1, 1, 1, true, true},   {1, 1, 0, 1, true, true},
      {1, 0, 1, 1, false, false}, {1, 1, 1, 0, false, false}, {0, 0, 0, 0, false, true},
  };
  for (const Row& row : rows) {
    JwcBuild build;
    build.env.UseColor = true;
    build.env.UseGray = true;
    build.drawing.Groups[2].StateA = row.groupA;
    build.drawing.Groups[2].StateB = row.groupB;
    build.drawing.Layers[37].StateA = row.layerA;
    build.drawing.Layers[37].StateB = row.layerB;
    build.drawing.Lines = {LineOf(0, 0, 1, 1, 0, 0, 1, 3, 37)};
    const TCad_Page& page = build.Build();
    const TCad_Line& line = Item<TCad_Line>(build.Layer(37), 0);
    EXPECT_EQ(line.Visible, row.visible);
    EXPECT_EQ(page.Output.LayerDrawFirst[37], row.first);
    const int colour = row.first ? build.env.GrayLayerColor : build.env.LineColor[3];
    EXPECT_EQ(line.Color, ColorIndexToColor(colour, build.env));
    EXPECT_EQ(page.Output.LayerDrawFirst[31], 0);
  }

  JwcBuild listed;
  listed.context.UseListMasks = 1;
  listed.context.ListGroupMask = 0b100;
  listed.context.ListLayerMask[2] = 0b100000;
  listed.drawing.Groups[2].StateB = 0;
  listed.Build();
  for (int l = 0; l < 256; ++l) EXPECT_EQ(listed.Layer(l).Visible, l == 37) << l;
}

TEST(JwcLines, ChainFlagsJoinLinesIntoCurvesWhenCurvesAreSmoothed) {
  constexpr uint8_t S = 0x40, M = 0x80, E = 0xC0;
  struct Case {
    const char* name;
    std::vector<TJwcLine> lines;
    std::string jwc;  // also a parts file's, unless given below
    std::string jwk = "";
  };
  const TJwcLine hidden = LineOf(9, 9, 8, 8, M, 0, 9);
  const Case cases[] = {
      {"start, middle, end",
       {LineOf(1, 0, 2, 0, S), LineOf(2, 0, 3, 0, M), LineOf(3, 0, 4, 0, E)},
       "curve 0,0 1,0 2,0 3,0 4,0\n"},
      {"a start followed by a plain line",
       {LineOf(1, 0, 2, 0, S), LineOf(5, 5, 6, 6)},
       "curve 0,0 1,0 2,0\nline 5,5 6,6\n"},
      {"the keep-out flag",
       {LineOf(1, 0, 2, 0, S), LineOf(2, 0, 3, 0, M, 0x40), LineOf(3, 0, 4, 0, E)},
       "curve 0,0 1,0 2,0\nline 2,0 3,0\ncurve 0,0 3,0 4,0\n",
       "curve 0,0 1,0 2,0 3,0 4,0\n"},
      {"a hidden line inside the chain",
       {LineOf(1, 0, 2, 0, S), hidden, LineOf(2, 0, 3, 0, M), LineOf(3, 0, 4, 0, E)},
       "curve 0,0 1,0 2,0 3,0 4,0\n"},
      {"a hidden line before the line that closes the chain",
       {LineOf(1, 0, 2, 0, S), LineOf(2, 0, 3, 0, M), hidden, LineOf(5, 5, 6, 6)},
       "curve 0,0 1,0 2,0 3,0\nline 5,5 6,6\n"},
      {"a second start",
       {LineOf(1, 0, 2, 0, S), LineOf(5, 0, 6, 0, S), LineOf(6, 0, 7, 0, E)},
       "curve 0,0 1,0 2,0\ncurve 0,0 5,0 6,0 7,0\n"},
      {"a chain open at the end",
       {LineOf(1, 0, 2, 0, S), LineOf(2, 0, 3, 0, M)},
       "curve 0,0 1,0 2,0 3,0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwcBuild jwc;
    jwc.env.UseSpline = true;
    jwc.drawing.Lines = c.lines;
    jwc.Build();
    EXPECT_EQ(Describe(jwc.Layer(0)), c.jwc);
    JwkBuild jwk;
    jwk.env.UseSpline = true;
    jwk.drawing.Lines = c.lines;
    jwk.Build();
    EXPECT_EQ(Describe(jwk.Layer(0)), c.jwk.empty() ? c.jwc : c.jwk);
  }

  JwcBuild plain;
  plain.drawing.Lines = cases[0].lines;
  plain.Build();
  EXPECT_EQ(Describe(plain.Layer(0)), "line 1,0 2,0\nline 2,0 3,0\nline 3,0 4,0\n");
}

TEST(JwcLines, AChainOfAnyLengthTakesItsLastLinesLayerPenAndLineType) {
  JwcBuild build;
  build.env.UseSpline = true;
  build.env.UseColor = true;
  build.drawing.Lines.push_back(LineOf(0, 0, 1, 0, 0x40, 0, 2, 4, 5));
  for (int i = 1; i < 5000; ++i) build.drawing.Lines.push_back(LineOf(i, 0, i + 1, 0, 0x80));
  build.drawing.Lines.push_back(LineOf(0, 0, 3, 3, 0, 0, 5, 2, 5));
  build.Build();
  EXPECT_EQ(build.Layer(0).Count(), 1);
  const TCad_Curve& curve = Item<TCad_Curve>(build.Layer(0), 0);
  EXPECT_EQ(curve.VertexCount(), 5002);
  EXPECT_THAT(curve.GetVertex(5001)->Point, IsPoint(5000, 0));
  // The line that stands alone keeps its own pen and line type.
  const TCad_Line& line = Item<TCad_Line>(build.Layer(5), 0);
  EXPECT_EQ(line.Color, ColorIndexToColor(build.env.LineColor[2], build.env));
  EXPECT_EQ(line.LineType, build.page.FindLineType("5"));
  EXPECT_EQ(curve.LineWidth, MmToPoint(build.env.Line[1]));
}

TEST(JwcShapes, ArcsAndPointsAsStoredWithTheirPens) {
  JwcBuild build;
  build.env.Magnification = 2.5L;
  build.drawing.Arcs = {{5, 6, 10, 5000, Fixed16(350), Fixed16(10), Fixed16(30), 4, 6, 1},
                        {0, 0, 1, 10000, 0, 0, 0, 9, 1, 1}};
  build.drawing.Points = {{.X = 7, .Y = 8, .Layer = 1, .PenColor = 2}};
  build.Build();
  ASSERT_EQ(build.Layer(1).Count(), 2);
  const TCad_Arc& arc = Item<TCad_Arc>(build.Layer(1), 0);
  EXPECT_THAT(arc.Center, IsPoint(5, 6));
  EXPECT_THAT(arc.Radii, IsPoint(10, 5));
  EXPECT_EQ(arc.StartAngle, 350);
  EXPECT_EQ(arc.EndAngle, 10);
  EXPECT_EQ(arc.AxisAngle, 30);
  EXPECT_EQ(arc.LineType, build.page.FindLineType("4"));
  EXPECT_EQ(arc.LineWidth, MmToPoint(build.env.Line[6]));
  const TCad_Point& point = Item<TCad_Point>(build.Layer(1), 1);
  EXPECT_THAT(point.Position, IsPoint(7, 8));
  EXPECT_EQ(point.SizeFactor, 2.5L);
  EXPECT_EQ(point.LineType, build.page.FindLineType("1"));
  EXPECT_EQ(point.LineWidth, MmToPoint(build.env.Line[2]));
}

// A whole turn is stored as S and S + 360, each rounded to 1/65536 degree and read as a single:
// from S = atan(1/2) the ends lie 360.00002 degrees apart, which must not leave only the
// 0.00002 past the turn. An arc a hundredth of a degree short of the turn stays open.
TEST(JwcShapes, ArcsStoredAsAWholeTurnAreDrawnWhole) {
  JwcBuild build;
  const std::vector<double> starts = WholeTurnStarts();
  for (const double start : starts) {
    build.drawing.Arcs.push_back({0, 0, 20000, 10000, Fixed16(start), Fixed16(start + 360)});
  }
  build.drawing.Arcs.push_back({0, 0, 20000, 10000, Fixed16(10), Fixed16(369.99)});
  const std::vector<TDrawnPath> paths = DrawnPaths(build.Build());
  ASSERT_EQ(paths.size(), starts.size() + 1);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(paths[i].curves, 6) << i;
    EXPECT_EQ(paths[i].closed, i < starts.size()) << i;
  }
}

TEST(JwcTexts, SizesComeFromTheTextTypesAndVariablesAreExpanded) {
  JwcBuild build;
  build.env.UseColor = true;
  build.clock.now = {2007, 3, 5, 13, 10, 0};
  build.drawing.DrawingTime = 3725;
  build.drawing.TextTypes[2] = {3, 25, 30, 5};
  build.drawing.TextTypes[4] = {77, 30, 0, 0};       // no height, a pen beyond the nine
  build.drawing.TextTypes[5] = {1, 100, 0xFFFF, 0};  // the words count as signed
  AddPoolText(build.drawing, TextAt(10, 20, 10, 30, 2, 0, 0x20), "%y/%m/%d &T");
  AddPoolText(build.drawing, TextAt(0, 0, -1, 0, 4), "A");
  AddPoolText(build.drawing, TextAt(0, 0, 1, 0, 5), "B");
  build.Build();
  const TCad_Text& text = Item<TCad_Text>(build.Layer(0), 0);
  EXPECT_EQ(text.Text, "07/03/05 1 : 2");
  EXPECT_THAT(text.Position, IsPoint(10, 20));
  EXPECT_EQ(text.Height, 3.0L);
  EXPECT_EQ(text.HScale, 83);
  EXPECT_EQ(text.Spacing, 0.5L);
  EXPECT_EQ(text.Angle, 90);
  EXPECT_EQ(text.Vertical, 1);
  EXPECT_EQ(text.PaperSized, 1);
  EXPECT_EQ(text.FontName, "");
  EXPECT_EQ(text.Color, ColorIndexToColor(build.env.LineColor[3], build.env));
  const TCad_Text& flat = Item<TCad_Text>(build.Layer(0), 1);
  EXPECT_EQ(flat.Height, 0);
  EXPECT_EQ(flat.HScale, 100);
  EXPECT_EQ(flat.Angle, 180);
  EXPECT_EQ(flat.Vertical, 0);
  EXPECT_EQ(flat.Color, ColorIndexToColor(build.env.LineColor[1], build.env));
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 2).HScale, -10000);
}

TEST(JwcTexts, PictureTextsPlaceTheirFileInTheEarlyPass) {
  TempDir dir;
  fs::create_directories(dir / "img");
  WriteFile(dir / "img" / "site.bmp", RedPixelBmp());
  JwcBuild build;
  build.context.CurrentFileName = (dir / "a.jwc").string();
  build.env.PictureCompression = false;
  AddPoolText(build.drawing, TextAt(10, 20, 10, 30, 1, 4), "^@BMimg\\site.bmp,100,50");
  AddPoolText(build.drawing, TextAt(0, 0, 1, 0, 1, 4), "^@BMimg\\site.bmp,wide,50");
  build.Build();
  ASSERT_EQ(build.Layer(4).Count(), 1);
  const TCad_Image& image = Item<TCad_Image>(build.Layer(4), 0);
  EXPECT_EQ(image.Path, fs::canonical(dir / "img" / "site.bmp"));
  EXPECT_EQ(image.Width, 100);
  EXPECT_EQ(image.Height, 50);
  EXPECT_THAT(image.Position, IsPoint(10, 20));
  EXPECT_EQ(image.Angle, 90);
  EXPECT_EQ(image.Resample, 0);
  EXPECT_EQ(image.Pass, 2);
}

}  // namespace
}  // namespace kyrovane::test
