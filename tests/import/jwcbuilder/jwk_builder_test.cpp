// Parts files: a page the size of the drawing, the file's scale, every layer shown, and the
// constant text types.

#include <gtest/gtest.h>

#include <cmath>

#include "app/settings/Units.h"
#include "older_build_fixture.h"

namespace kyrovane::test {
namespace {

TEST(JwkPage, ThePageIsTheDrawingAtItsScalePlusTheMargins) {
  struct Row {
    std::string scale;
    long double widthMm, heightMm;
  };
  // Lines from (0, -10) to (100, 30); a scale that is no positive number is 1.
  const Row rows[] = {{"1", 100, 40}, {"4", 25, 10}, {"0", 100, 40}, {"-2", 100, 40}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.scale);
    JwkBuild build;
    build.drawing.Scale = row.scale;
    build.marginX = 2;
    build.drawing.Lines = {LineOf(0, -10, 100, 30)};
    build.env.HalfScale = true;  // parts files have no output scale
    const TCad_Page& page = build.Build();
    EXPECT_EQ(page.PageWidth, std::nearbyint(MmToPoint(row.widthMm) + MmToPoint(4)));
    EXPECT_EQ(page.PageHeight, std::nearbyint(MmToPoint(row.heightMm)));
    EXPECT_EQ(page.Output.OutputScale, 1);
    EXPECT_EQ(build.Layer(9).Scale.X, row.widthMm / 100);
    EXPECT_THAT(build.Layer(9).Origin, IsPoint(0, 10));
  }
  JwkBuild empty;
  const TCad_Page& page = empty.Build();
  EXPECT_EQ(page.PageWidth, 842);
  EXPECT_EQ(page.PageHeight, 596);
}

TEST(JwkLayers, EveryLayerIsShownAndNoneIsDrawnFirstOrGrey) {
  JwkBuild build;
  build.env.UseColor = true;
  build.env.UseGray = true;
  build.context.UseListMasks = 1;
  build.drawing.Lines = {LineOf(0, 0, 1, 1, 0, 0, 1, 4, 200)};
  const TCad_Page& page = build.Build();
  for (int l = 0; l < 256; ++l) EXPECT_EQ(build.Layer(l).Visible, 1);
  for (const uint8_t first : page.Output.LayerDrawFirst) EXPECT_EQ(first, 0);
  EXPECT_EQ(Item<TCad_Line>(build.Layer(200), 0).Color,
            ColorIndexToColor(build.env.LineColor[4], build.env));
}

// As in drawings of the older format, ends stored a whole turn apart are the whole turn.
TEST(JwkShapes, ArcsStoredAsAWholeTurnAreDrawnWhole) {
  JwkBuild build;
  const std::vector<double> starts = WholeTurnStarts();
  for (const double start : starts) {
    build.drawing.Arcs.push_back({0, 0, 20, 10000, Fixed16(start), Fixed16(start + 360)});
  }
  const std::vector<TDrawnPath> paths = DrawnPaths(build.Build());
  ASSERT_EQ(paths.size(), starts.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    EXPECT_EQ(paths[i].curves, 6) << i;
    EXPECT_TRUE(paths[i].closed) << i;
  }
}

TEST(JwkTexts, SizesComeFromTheFixedTextTypes) {
  struct Row {
    uint8_t type;
    long double height, hscale, spacing;
    int pen;
  };
  const Row rows[] = {
      {8, 8, 50, 0.5L, 8}, {0, 3.5L, 100, 0, 1}, {10, 10, 100, 1, 1}, {200, 3, 100, 0, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.type));
    JwkBuild build;
    build.env.UseColor = true;
    build.clock.now = {2007, 3, 5, 9, 0, 0};
    AddPoolText(build.drawing, TextAt(1, 2, 1, 3, row.type, 0, 0x20), "%d &T");
    build.Build();
    const TCad_Text& text = Item<TCad_Text>(build.Layer(0), 0);
    EXPECT_EQ(text.Height, row.height);
    EXPECT_EQ(text.HScale, row.hscale);
    EXPECT_EQ(text.Spacing, row.spacing);
    EXPECT_EQ(text.Color, ColorIndexToColor(build.env.LineColor[row.pen], build.env));
    EXPECT_EQ(text.Text, "05 0 : 0");
    EXPECT_EQ(text.Angle, 90);
    EXPECT_EQ(text.Vertical, 0);
  }
}

}  // namespace
}  // namespace kyrovane::test
