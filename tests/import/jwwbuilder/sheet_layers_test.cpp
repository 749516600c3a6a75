// The frame of a build: sheet and output scale, the page from the drawing's extents, the 256
// layers with their visibility, colours and draw-first marks, the line types, and the pen
// rules every entity follows.

#include <gtest/gtest.h>

#include <numbers>

#include <sstream>

#include "app/settings/Units.h"
#include "jww_build_fixture.h"

namespace kyrovane::test {
namespace {

using jwwunit::JWWGroupRecord;

TEST(JwwSheet, EveryPaperCodeGivesItsSheetAndHalfSheetOffset) {
  struct Row {
    uint32_t code;
    int width, height;
    long double halfX, halfY;
  };
  const Row rows[] = {
      {0, 3368, 2384, 594.5L, 420.5L}, {1, 2384, 1684, 420.5L, 297},
      {2, 1684, 1192, 297, 210},       {3, 1192, 842, 210, 148.5L},
      {4, 842, 596, 148.5L, 105},      {5, 2384, 1684, 420.5L, 297},
      {6, 2384, 1684, 420.5L, 297},    {7, 2384, 1684, 420.5L, 297},
      {8, 4768, 3368, 841, 594.5L},    {9, 6736, 4768, 1189, 841},
      {10, 9536, 6736, 1682, 1189},    {11, 13472, 9536, 2378, 1682},
      {12, 2384, 1684, 420.5L, 297},   {0xFFFFFFFF, 2384, 1684, 420.5L, 297},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    JwwBuild build;
    build.head.PaperSize = row.code;
    build.Add(Line(0, 0, 10, 5));
    const TCad_Page& page = build.Build();
    EXPECT_EQ(page.PageWidth, row.width);
    EXPECT_EQ(page.PageHeight, row.height);
    EXPECT_EQ(page.Output.OutputScale, 1);
    EXPECT_THAT(Item<TCad_Line>(build.Layer(0), 0).P2, IsPoint(row.halfX, row.halfY));
  }
}

TEST(JwwSheet, HalfScaleHalvesTheSheetAndEveryLayer) {
  JwwBuild build;
  build.head.PaperSize = 3;
  build.env.HalfScale = true;
  const TCad_Page& page = build.Build();
  EXPECT_EQ(page.Output.OutputScale, 0.5L);
  EXPECT_EQ(page.PageWidth, 596);
  EXPECT_EQ(page.PageHeight, 421);
  const TPoint3 scale = build.Layer(255).Scale;
  EXPECT_EQ(scale.X, 0.5L);
  EXPECT_EQ(scale.Y, 0.5L);
  EXPECT_EQ(scale.Z, 0.5L);
  // The extents are scaled too.
  build.Add(Line(0, 0, 100, 40));
  build.Build(true);
  EXPECT_EQ(build.page.PageWidth, std::nearbyint(MmToPoint(50)));
  EXPECT_EQ(build.page.PageHeight, std::nearbyint(MmToPoint(20)));
}

TEST(JwwSheet, FittingScalesTheSheetOntoA4OrA3) {
  JwwBuild build;
  build.head.PaperSize = 2;
  build.env.FitToPaper = true;
  build.env.PaperMode = 4;
  TCad_Page* page = &build.Build();
  EXPECT_EQ(page->Output.OutputScale, 0.5L);
  EXPECT_EQ(page->PageWidth, 842);
  EXPECT_EQ(page->PageHeight, 596);

  build.head.PaperSize = 0;
  build.env.PaperMode = 3;
  page = &build.Build();
  EXPECT_EQ(page->Output.OutputScale, 1192 / 3368.0L);
  EXPECT_EQ(page->PageWidth, 1192);
  EXPECT_EQ(page->PageHeight, 842);

  // Another paper mode keeps the sheet.
  build.env.PaperMode = 5;
  page = &build.Build();
  EXPECT_EQ(page->Output.OutputScale, 1);
  EXPECT_EQ(page->PageWidth, 3368);
}

TEST(JwwAllArea, ThePageSpansTheExtentsWhichAlwaysReachTheOrigin) {
  JwwBuild build;
  build.Add(Line(-50, 20, -10, 30));
  build.marginX = 3;
  build.marginY = 2;
  TCad_Page& page = build.Build(true);
  // The extents start at a maximum of 0: the page spans 50 mm, not 40, and 30 mm high.
  EXPECT_EQ(page.PageWidth, std::nearbyint(MmToPoint(50) + MmToPoint(6)));
  EXPECT_EQ(page.PageHeight, std::nearbyint(MmToPoint(30 - 20) + MmToPoint(4)));
  EXPECT_THAT(build.Layer(0).Origin, IsPoint(50, -20));
  EXPECT_THAT(build.Layer(200).Origin, IsPoint(50, -20));
  // Without the half-sheet offset.
  EXPECT_THAT(Item<TCad_Line>(build.Layer(0), 0).P2, IsPoint(-50, 20));
}

TEST(JwwAllArea, TextsArcsAndSolidsCountWithTheirExtent) {
  JwwBuild text;
  text.Add(Text("A", 100, 0, 100, 0, Head()));
  text.Add(Line(0, 0, 100, 0));
  text.Build(true);
  // The text of height 3 reaches 3 mm beyond its point in every direction.
  EXPECT_EQ(text.page.PageWidth, std::nearbyint(MmToPoint(103)));
  EXPECT_EQ(text.page.PageHeight, std::nearbyint(MmToPoint(6)));

  JwwBuild arc;
  jwwunit::CDataEnko ellipse = Arc(10, 10, 5, 0, 1);
  ellipse.Flatness = 0.5;
  arc.Add(ellipse);
  arc.Build(true);
  EXPECT_EQ(arc.page.PageWidth, std::nearbyint(MmToPoint(15 - 5)));
  EXPECT_EQ(arc.page.PageHeight, std::nearbyint(MmToPoint(12.5L - 7.5L)));

  JwwBuild solid;
  jwwunit::CDataSolid quad{Head(), {-10, -10, 40, -10, 40, 20, -10, 20}, 0};
  solid.Add(quad);
  jwwunit::CDataSolid disc{Head(100), {100, 0, 10, 0.5, 0, 0, 6.28, 0}, 0};
  solid.Add(disc);
  solid.Build(true);
  EXPECT_EQ(solid.page.PageWidth, std::nearbyint(MmToPoint(110 + 10)));
  EXPECT_EQ(solid.page.PageHeight, std::nearbyint(MmToPoint(20 + 10)));
}

// Inserts count with their blocks' members as they place them (scaled, then turned), nested
// ones too; temporary points and blocks that insert themselves add nothing.
TEST(JwwAllArea, InsertedMembersCountWhereTheInsertsPlaceThem) {
  JwwBuild build;
  jwwunit::CDataBlock nested = Insert(1, 0, 0);
  build.Block(0, {Line(0, 0, 10, 10), nested, Insert(0, 50, 50)});
  build.Block(1, {Line(0, 0, 5, 0), jwwunit::CDataTen{Head(), 90, 90, 1}});
  jwwunit::CDataBlock placed = Insert(0, 5, 5);
  placed.ScaleX = 2;
  placed.Rotation = std::numbers::pi / 2;
  build.Add(placed);
  build.Add(jwwunit::CDataTen{Head(), -70, -70, 1});
  build.Build(true);
  // The block spans 0..10 both ways; scaled by 2 along x and turned: x -10..0, y 0..20.
  EXPECT_THAT(build.Layer(0).Origin, IsPoint(10 - 5, -5));
  EXPECT_EQ(build.page.PageWidth, std::nearbyint(MmToPoint(5 + 5)));
  EXPECT_EQ(build.page.PageHeight, std::nearbyint(MmToPoint(25 - 5)));
  EXPECT_TRUE(build.page.SizedToDrawing);
}

TEST(JwwAllArea, ADrawingWithNothingToMeasureKeepsItsSheet) {
  JwwBuild build;
  build.Add(jwwunit::CDataTen{Head(), 5, 5, 1});
  build.Build(true);
  EXPECT_EQ(build.page.PageWidth, 3368);
  EXPECT_EQ(build.page.PageHeight, 2384);
  EXPECT_FALSE(build.page.SizedToDrawing);
  EXPECT_THAT(build.Layer(0).Origin, IsPoint(0, 0));
}

TEST(JwwLayers, TwoHundredFiftySixLayersNamedByTheirNumber) {
  JwwBuild build;
  TCad_Page& page = build.Build();
  ASSERT_EQ(page.LayerCount(), 256);
  for (int l = 0; l < 256; ++l) {
    EXPECT_EQ(page.GetLayer(l)->Name, std::to_string(l));
    EXPECT_EQ(page.GetLayer(l)->Index, l);
    EXPECT_EQ(page.GetLayer(l)->Scale.X, 1);
    EXPECT_THAT(page.GetLayer(l)->Origin, IsPoint(0, 0));
  }
}

TEST(JwwLayers, StatesDecideVisibilityAndDrawingFirst) {
  JwwBuild build;
  JWWGroupRecord& group1 = build.head.Groups[1];
  group1.State = 1;  // greyed: every layer of the group drawn first
  group1.Layers[2].State = 2;
  JWWGroupRecord& group2 = build.head.Groups[2];
  group2.State = 3;
  group2.Layers[5].State = 0;  // hidden
  group2.Layers[6].State = 1;  // greyed
  build.head.Groups[4].State = 0;
  build.Add(Line(0, 0, 1, 1, Head(1, 1, 2, 5)));
  TCad_Page& page = build.Build();

  EXPECT_EQ(build.Layer(18).Visible, 1);
  EXPECT_EQ(page.Output.LayerDrawFirst[18], 1);
  EXPECT_EQ(page.Output.LayerDrawFirst[31], 1);
  EXPECT_EQ(build.Layer(37).Visible, 0);
  EXPECT_EQ(page.Output.LayerDrawFirst[37], 0);
  EXPECT_EQ(build.Layer(38).Visible, 1);
  EXPECT_EQ(page.Output.LayerDrawFirst[38], 1);
  EXPECT_EQ(build.Layer(36).Visible, 1);
  EXPECT_EQ(page.Output.LayerDrawFirst[36], 0);
  for (int l = 64; l < 80; ++l) EXPECT_EQ(build.Layer(l).Visible, 0) << l;
  // The hidden layer's entities are made all the same, hidden with it.
  EXPECT_EQ(Item<TCad_Line>(build.Layer(37), 0).Visible, 0);
}

TEST(JwwLayers, ListMasksReplaceTheStatesWithOrWithoutAllArea) {
  for (const bool allArea : {false, true}) {
    SCOPED_TRACE(allArea);
    JwwBuild build;
    build.head.Groups[0].Layers[1].State = 0;  // hidden by the drawing, shown by the masks
    build.context.UseListMasks = 1;
    build.context.ListGroupMask = 0xFFFF & ~(1 << 3);
    build.context.ListLayerMask.fill(0xFFFF);
    build.context.ListLayerMask[5] = 0x0004;
    build.Add(Line(0, 0, 1, 1));
    build.Build(allArea);
    EXPECT_EQ(build.Layer(1).Visible, 1);
    for (int l = 48; l < 64; ++l) EXPECT_EQ(build.Layer(l).Visible, 0) << l;
    for (int l = 80; l < 96; ++l) EXPECT_EQ(build.Layer(l).Visible, l == 82 ? 1 : 0) << l;
  }
}

TEST(JwwLayers, ColouredByLayerWhenAsked) {
  JwwBuild build;
  build.env.LayerColor[37] = 17;  // Red
  build.Add(Line(0, 0, 1, 1, Head(1, 3, 2, 5)));
  build.Build();
  EXPECT_EQ(build.Layer(37).Color, 0);

  build.env.UseLayerColor = true;
  build.Build();
  EXPECT_EQ(build.Layer(37).Color, 0x0000FF);
  EXPECT_EQ(build.Layer(36).Color, 0x000000);
  // Not coloured by pen: the line keeps its layer's colour.
  EXPECT_EQ(Item<TCad_Line>(build.Layer(37), 0).Color, 0x0000FF);
}

TEST(JwwLineTypes, NineteenTypesFromOneDashTable) {
  JwwBuild build;
  for (int t = 1; t <= 19; ++t) build.env.LinePatternScale[t] = 1.5L;
  build.env.LinePatternScale[9] = 7;
  TCad_Page& page = build.Build();
  // Dash units of types 1..19, before the pattern scale.
  const char* const dashes[] = {
      "", "2", "4", "6 2", "10 2 2 2", "13 2 2 2", "4 2 1 2 1 2",  "12 2 1 2 1 2", "",    "",
      "", "",  "",  "",    "",         "10 2 2 2", "12 2 1 2 1 2", "12 2",         "12 2"};
  for (int t = 1; t <= 19; ++t) {
    SCOPED_TRACE(t);
    const TCad_Line_Type* type = page.FindLineType(std::to_string(t));
    ASSERT_NE(type, nullptr);
    std::vector<long double> expected;
    std::istringstream units(dashes[t - 1]);
    for (long double unit; units >> unit;) expected.push_back(unit * 1.5L);
    if (t == 9) expected = {0.5L};  // fixed, whatever the scale
    EXPECT_EQ(type->Dashes, expected);
    EXPECT_EQ(type->Phase, 0);
  }
  EXPECT_EQ(page.FindLineType("0"), nullptr);
  EXPECT_EQ(page.FindLineType("20"), nullptr);
}

TEST(JwwLineTypes, EntitiesTakeTheTypeOfTheirNumberAndNoneOutsideTheTable) {
  JwwBuild build;
  build.Add(Line(0, 0, 1, 1, Head(5)))
      .Add(Line(0, 0, 1, 1, Head(0)))
      .Add(Line(0, 0, 1, 1, Head(20)));
  TCad_Page& page = build.Build();
  EXPECT_EQ(Item<TCad_Line>(build.Layer(0), 0).LineType, page.FindLineType("5"));
  EXPECT_EQ(Item<TCad_Line>(build.Layer(0), 1).LineType, nullptr);
  EXPECT_EQ(Item<TCad_Line>(build.Layer(0), 2).LineType, nullptr);
}

TEST(JwwPens, ColourAndWidthFollowThePen) {
  JwwBuild build;
  build.head.Groups[1].Layers[0].State = 1;  // greyed layer 16
  build.Add(Line(0, 0, 1, 1, Head(1, 3)));
  build.Add(Line(0, 0, 1, 1, Head(1, 3, 1, 0)));
  build.Build();
  // Not coloured by pen: the layer's colour (black), but the pen's width.
  EXPECT_EQ(Item<TCad_Line>(build.Layer(0), 0).Color, 0);
  EXPECT_EQ(Item<TCad_Line>(build.Layer(0), 0).LineWidth, MmToPoint(0.2L));

  build.env.UseColor = true;
  build.Build();
  EXPECT_EQ(Item<TCad_Line>(build.Layer(0), 0).Color, 0x00FF00);   // pen 3: Lime
  EXPECT_EQ(Item<TCad_Line>(build.Layer(16), 0).Color, 0xC0C0C0);  // grey layer: LtGray
  build.env.UseGray = false;
  build.Build();
  EXPECT_EQ(Item<TCad_Line>(build.Layer(16), 0).Color, 0x00FF00);
}

}  // namespace
}  // namespace kyrovane::test
