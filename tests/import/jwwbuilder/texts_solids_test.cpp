// Points, texts, dimensions and solids.

#include <gtest/gtest.h>

#include <numbers>

#include "app/settings/Units.h"
#include "jww_build_fixture.h"

namespace kyrovane::test {
namespace {

using ::testing::ElementsAre;
constexpr double kPi = std::numbers::pi;

// "ＭＳ 明朝" and "ＭＳ ゴシック" in code page 932.
const std::string kMinchoFont = "\x82\x6c\x82\x72 \x96\xbe\x92\xa9";
const std::string kGothicFont = "\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e";

jwwunit::CDataSolid Solid(std::array<double, 8> values, jwwunit::JWWEntityHead head = Head(),
                          uint32_t color = 0) {
  return {head, values, color};
}

using Dimension = jwwunit::CDataSunpou;

TEST(JwwPoints, PointsTakeTheMagnificationAndDrawWithLineType1) {
  JwwBuild build;
  build.env.Magnification = 2.5L;
  build.env.UseColor = true;
  build.Add(jwwunit::CDataTen{Head(9, 4), 3, 4, 0});
  build.Build();
  const TCad_Point& point = Item<TCad_Point>(build.Layer(0), 0);
  EXPECT_THAT(point.Position, IsPoint(3 + kHalfX, 4 + kHalfY));
  EXPECT_EQ(point.SizeFactor, 2.5L);
  EXPECT_EQ(point.LineType, build.page.FindLineType("1"));
  EXPECT_EQ(point.LineWidth, MmToPoint(0.3L));
  EXPECT_EQ(point.Color, 0x00FFFF);  // pen 4: Yellow
  EXPECT_EQ(point.Pass, 1);

  // Temporary points are construction aids, never printed: at top level and in blocks.
  JwwBuild temporary;
  temporary.Add(jwwunit::CDataTen{Head(), 3, 4, 1});
  temporary.Block(0, {jwwunit::CDataTen{Head(), 3, 4, 1}});
  temporary.Build();
  EXPECT_EQ(temporary.Layer(0).Count(), 0);
  EXPECT_EQ(temporary.page.FindBlock("0")->Count(), 0);
}

TEST(JwwTexts, TheAngleRunsFromTheStartToTheEndPointAndFlag0x20WritesVertically) {
  JwwBuild build;
  jwwunit::JWWEntityHead vertical = Head();
  vertical.Flags = 0x0020;
  jwwunit::JWWEntityHead other = Head();
  other.Flags = 0x0010;
  build.Add(Text("A", 0, 0, 0, 10, vertical)).Add(Text("B", 0, 0, -10, 0, other));
  build.Add(Text("C", 5, 5, 5, 5)).Add(Text("D", 0, 0, 10, -10));
  build.Build();
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 0).Vertical, 1);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 1).Vertical, 0);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 0).Angle, 90);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 1).Angle, 180);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 2).Angle, 270);
  EXPECT_NEAR(Item<TCad_Text>(build.Layer(0), 3).Angle, 315, 1e-12);
}

TEST(JwwTexts, PositionSizeAndScaleAreOnPaper) {
  JwwBuild build;
  jwwunit::CDataMoji wide = Text("A", 1, 2, 9, 2);
  wide.Width = 4;
  wide.Height = 2;
  jwwunit::CDataMoji flat = Text("B", 0, 0, 1, 0);
  flat.Height = 0;
  build.Add(wide).Add(flat);
  build.Build();
  const TCad_Text& text = Item<TCad_Text>(build.Layer(0), 0);
  EXPECT_THAT(text.Position, IsPoint(1 + kHalfX, 2 + kHalfY));
  EXPECT_EQ(text.Height, 2);
  EXPECT_EQ(text.HScale, 200);
  EXPECT_EQ(text.PaperSized, 1);
  EXPECT_EQ(text.Pass, 3);
  EXPECT_EQ(text.Text, "A");
  // A text of no height keeps the normal width.
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 1).HScale, 100);
}

TEST(JwwTexts, TheFontFollowsTheDrawingWhenAsked) {
  JwwBuild build;
  const std::string fonts[] = {kMinchoFont, kGothicFont, "", "Arial",
                               // the bytes of 明朝 across two characters are no match
                               "\x83\x96\xbe\x92\xa9"};
  for (const std::string& font : fonts) {
    jwwunit::CDataMoji text = Text("A", 0, 0, 1, 0);
    text.FontName = font;
    build.Add(text);
  }
  build.Build();
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 0).FontName, "Mincyo");
  for (int i = 1; i < 5; ++i) EXPECT_EQ(Item<TCad_Text>(build.Layer(0), i).FontName, "Gothic");

  build.env.UseJwwFont = false;
  build.Build();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Item<TCad_Text>(build.Layer(0), i).FontName, "");
}

TEST(JwwTexts, SpacingComesFromTheTextTypeOrTheTextOfNoType) {
  JwwBuild build;
  build.head.TextTypes[2].Spacing = 0.75;
  build.head.TextTypes[9].Spacing = 1.5;
  for (uint32_t type : {3u, 10u, 0u, 11u, 4000000000u}) {
    jwwunit::CDataMoji text = Text("A", 0, 0, 1, 0);
    text.TextType = type;
    text.Spacing = 9;
    build.Add(text);
  }
  build.Build();
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 0).Spacing, 0.75L);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 1).Spacing, 1.5L);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 2).Spacing, 9);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 3).Spacing, 9);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 4).Spacing, 9);
}

TEST(JwwTexts, VariablesAreExpandedOnce) {
  JwwBuild build;
  build.clock.now = {2007, 3, 5, 9, 7, 0};
  build.head.DrawingTime = 3725;
  build.context.CurrentFileName = "/plans/%d.jww";
  build.Add(Text("%f %y%m%d &T", 0, 0, 1, 0));
  build.Build();
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 0).Text, "%d.jww 070305 1 : 2");
}

TEST(JwwTexts, ColouredByTheirPen) {
  JwwBuild build;
  build.env.UseColor = true;
  build.Add(Text("A", 0, 0, 1, 0, Head(1, 2)));
  build.Build();
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 0).Color, 0x000000);  // pen 2: Black
  build.env.LineColor[2] = 17;
  build.Build();
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 0).Color, 0x0000FF);
}

TEST(JwwDimensions, ALineAndATextOnTheDimensionsLayer) {
  JwwBuild build;
  build.env.UseColor = true;
  jwwunit::CDataMoji label = Text("12.5", 2, 1, 2, 9, Head(1, 5));
  label.TextType = 3;
  label.Spacing = 0.25;
  label.FontName = kMinchoFont;
  build.head.TextTypes[2].Spacing = 7;
  build.Add(Dimension{Head(1, 1, 0, 3), Line(0, 0, 10, 0, Head(2, 3)), label});
  build.Build();
  TCad_Layer& layer = build.Layer(3);
  ASSERT_EQ(layer.Count(), 2);
  const TCad_Line& line = Item<TCad_Line>(layer, 0);
  EXPECT_THAT(line.P2, IsPoint(kHalfX, kHalfY));
  EXPECT_THAT(line.P1, IsPoint(10 + kHalfX, kHalfY));
  EXPECT_EQ(line.LineType, build.page.FindLineType("2"));
  EXPECT_EQ(line.LineWidth, MmToPoint(0.2L));
  EXPECT_EQ(line.Color, 0x00FF00);
  const TCad_Text& text = Item<TCad_Text>(layer, 1);
  EXPECT_EQ(text.Color, 0x00FF00);  // the line's pen, not the text's
  EXPECT_EQ(text.Spacing, 0.25L);   // its own spacing, not its type's
  EXPECT_EQ(text.Angle, 90);
  EXPECT_EQ(text.FontName, "Mincyo");
  EXPECT_THAT(text.Position, IsPoint(2 + kHalfX, 1 + kHalfY));
}

TEST(JwwDimensions, AHiddenLineLeavesTheTextAndGreyFollowsTheDimension) {
  JwwBuild build;
  build.env.UseColor = true;
  build.head.Groups[0].Layers[3].State = 1;
  build.Add(Dimension{Head(1, 1, 0, 3), Line(0, 0, 10, 0, Head(9, 3)), Text("5", 0, 0, 1, 0)});
  build.Add(
      Dimension{Head(1, 1, 0, 4), Line(0, 0, 10, 0, Head(1, 3, 0, 3)), Text("5", 0, 0, 1, 0)});
  build.Build();
  ASSERT_EQ(build.Layer(3).Count(), 1);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(3), 0).Color, 0xC0C0C0);
  EXPECT_EQ(Item<TCad_Line>(build.Layer(4), 0).Color, 0x00FF00);
}

TEST(JwwSolids, QuadrilateralsAreFilledClosedPolylinesAndSolidArcsFilledArcs) {
  JwwBuild build;
  build.Add(Solid({0, 0, 10, 0, 10, 5, 0, 5}, Head(5, 3)));
  build.Add(Solid({1, 2, 10, 0.5, kPi / 6, -kPi / 2, kPi, 0}, Head(100, 3)));
  build.Build();
  const TCad_PolyLine& solid = Item<TCad_PolyLine>(build.Layer(0), 0);
  EXPECT_EQ(solid.Name, "Solid");
  EXPECT_EQ(solid.Filled, 1);
  EXPECT_EQ(solid.Closed, 1);
  EXPECT_EQ(solid.Pass, 1);
  EXPECT_EQ(solid.LineType, build.page.FindLineType("1"));
  EXPECT_EQ(solid.LineWidth, MmToPoint(0.01L));
  EXPECT_THAT(Shifted(Points(solid), -kHalfX, -kHalfY),
              ElementsAre(IsPoint(0, 0), IsPoint(10, 0), IsPoint(10, 5), IsPoint(0, 5)));
  EXPECT_EQ(solid.Color, 0x00FF00);  // coloured whether or not lines are
  // The tilt of a solid arc is in degrees.
  const TCad_Arc& arc = Item<TCad_Arc>(build.Layer(0), 1);
  EXPECT_THAT(arc.Center, IsPoint(1 + kHalfX, 2 + kHalfY));
  EXPECT_THAT(arc.Radii, IsPoint(10, 5));
  EXPECT_NEAR(arc.AxisAngle, 30, 1e-12);
  EXPECT_NEAR(arc.StartAngle, 270, 1e-12);
  EXPECT_NEAR(arc.EndAngle, 450, 1e-12);
  EXPECT_EQ(arc.Filled, 1);
  EXPECT_EQ(arc.Pass, 1);
  EXPECT_EQ(arc.LineWidth, MmToPoint(0.01L));
  EXPECT_EQ(arc.Color, 0x00FF00);
}

TEST(JwwSolids, Pen10GivesTheSolidsOwnColourUnlessItsLayerIsGreyed) {
  JwwBuild build;
  build.head.Groups[0].Layers[1].State = 1;
  build.Add(Solid({0, 0, 1, 0, 1, 1, 0, 1}, Head(1, 10), 0x0000FF));
  build.Add(Solid({0, 0, 1, 0, 1, 1, 0, 1}, Head(1, 10, 0, 1), 0x0000FF));
  for (const bool useColor : {false, true}) {
    build.env.UseColor = useColor;
    build.Build();
    EXPECT_EQ(Item<TCad_PolyLine>(build.Layer(0), 0).Color, 0x0000FF);
    EXPECT_EQ(Item<TCad_PolyLine>(build.Layer(1), 0).Color, 0xC0C0C0);
  }
  build.env.UseGray = false;
  build.Build();
  EXPECT_EQ(Item<TCad_PolyLine>(build.Layer(1), 0).Color, 0x0000FF);
}

TEST(JwwSolids, SolidsFirstDrawsSolidsInTheEarlyPass) {
  JwwBuild build;
  build.head.SolidsFirst = 1;
  build.Add(Solid({0, 0, 1, 0, 1, 1, 0, 1})).Add(Solid({0, 0, 1, 1, 0, 0, 1, 0}, Head(120)));
  build.Add(Line(0, 0, 1, 1));
  build.Build();
  EXPECT_EQ(Item<TCad_Line>(build.Layer(0), 0).Pass, 1);
  EXPECT_EQ(Item<TCad_PolyLine>(build.Layer(0), 1).Pass, 2);
  EXPECT_EQ(Item<TCad_Arc>(build.Layer(0), 2).Pass, 2);
}

}  // namespace
}  // namespace kyrovane::test
