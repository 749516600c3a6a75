// Block definitions with their members, nested and top-level inserts.

#include <gtest/gtest.h>

#include <numbers>

#include "app/settings/Units.h"
#include "jww_build_fixture.h"

namespace kyrovane::test {
namespace {

using ::testing::SizeIs;
constexpr double kPi = std::numbers::pi;

jwwunit::CDataBlock ScaledInsert(uint32_t number, double x, double y, double sx, double sy,
                                 double rotation, jwwunit::JWWEntityHead head = Head()) {
  return {head, x, y, sx, sy, rotation, number};
}

TEST(JwwBlocks, DefinitionsBecomeBlocksNamedByTheirNumbers) {
  JwwBuild build;
  for (uint32_t n = 0; n < 4; ++n) build.Block(n, {Line(n, 0, n, 1)}, 1, static_cast<int>(n));
  build.Build();
  for (uint32_t n = 0; n < 4; ++n) {
    SCOPED_TRACE(n);
    TCad_Block& block = build.BlockNamed(std::to_string(n));
    EXPECT_EQ(block.Layer, &build.Layer(16 + static_cast<int>(n)));
    EXPECT_THAT(block.Origin, IsPoint(0, 0));
    // Members lie on the block's layer, in mm as stored: no half-sheet offset.
    const TCad_Line& line = Item<TCad_Line>(block, 0);
    EXPECT_EQ(line.Layer, block.Layer);
    EXPECT_THAT(line.P2, IsPoint(n, 0));
  }
}

TEST(JwwBlocks, BlocksAreFoundByTheirNumberWhateverItIs) {
  JwwBuild build;
  build.Block(7, {Line(0, 0, 1, 1)}).Block(2, {Line(0, 0, 2, 2)});
  build.Block(1, {Insert(7, 0, 0), Insert(3, 0, 0)});
  build.Add(Insert(7, 10, 20));
  build.Build();
  EXPECT_THAT(Item<TCad_Line>(build.BlockNamed("7"), 0).P1, IsPoint(1, 1));
  // The nested insert finds the block of the higher number; a number no definition carries
  // gives no block.
  EXPECT_EQ(Item<TCad_Insert>(build.BlockNamed("1"), 0).Block, &build.BlockNamed("7"));
  EXPECT_EQ(Item<TCad_Insert>(build.BlockNamed("1"), 1).Block, nullptr);
  EXPECT_EQ(Item<TCad_Insert>(build.Layer(0), 0).Block, &build.BlockNamed("7"));
}

TEST(JwwBlocks, TwoDefinitionsOfOneNumberGiveOneBlockOfTheLastOne) {
  JwwBuild build;
  build.Block(4, {Line(0, 0, 1, 1), Line(0, 0, 2, 2)}).Block(4, {Line(0, 0, 3, 3)}, 0, 5);
  build.Add(Insert(4, 0, 0));
  build.Build();
  TCad_Block& block = build.BlockNamed("4");
  ASSERT_EQ(block.Count(), 1);
  EXPECT_THAT(Item<TCad_Line>(block, 0).P1, IsPoint(3, 3));
  EXPECT_EQ(block.Layer, &build.Layer(5));
}

TEST(JwwBlocks, MembersShowOnHiddenLayersAndDrawLinesOfType9) {
  JwwBuild build;
  build.head.Groups[0].Layers[2].State = 0;
  build.Block(0, {Line(0, 0, 1, 1, Head(9)), Arc(0, 0, 1, 0, 1, Head(9))}, 0, 2);
  build.Add(Insert(0, 0, 0, Head(1, 1, 0, 2)));
  build.Build();
  TCad_Block& block = build.BlockNamed("0");
  EXPECT_EQ(Item<TCad_Line>(block, 0).Visible, 1);
  EXPECT_EQ(Item<TCad_Line>(block, 0).LineType, build.page.FindLineType("9"));
  EXPECT_EQ(Item<TCad_Arc>(block, 1).Visible, 1);
  // The insert on the hidden layer hides them all the same.
  EXPECT_EQ(Item<TCad_Insert>(build.Layer(2), 0).Visible, 0);
}

TEST(JwwBlocks, MemberRandomLinesKeepOneToothLessAndArcsKeepTheirCount) {
  JwwBuild build;
  jwwunit::JWWRandomLineType& type = build.head.RandomLineTypes[1];
  type.Pitch = 2;
  type.Width = 2;
  build.Block(0, {Line(0, 0, 10, 0, Head(12)), Arc(0, 0, 10, 0, 0.5, Head(12))});
  build.Build();
  TCad_Block& block = build.BlockNamed("0");
  // 10 mm at steps of 2: 5 steps, 5 x 2 reaches the end, so 4: teeth 1..3.
  EXPECT_THAT(Points(Item<TCad_Curve>(block, 0)), SizeIs(7));
  // 5 mm of arc: 2.5 steps round to 2, kept: tooth 1 between the ends.
  EXPECT_THAT(Points(Item<TCad_Curve>(block, 1)), SizeIs(4));
}

TEST(JwwBlocks, MembersFollowTheirOwnPenGreyLayerAndTextSpacing) {
  JwwBuild build;
  build.env.UseColor = true;
  build.head.Groups[3].State = 1;
  build.head.TextTypes[2].Spacing = 7;
  jwwunit::CDataMoji text = Text("A", 0, 0, 1, 0, Head(1, 4));
  text.TextType = 3;
  text.Spacing = 0.5;
  build.Block(0, {Line(0, 0, 1, 1, Head(1, 3, 3, 0)), Line(0, 0, 1, 1, Head(2, 4)), text,
                  jwwunit::CDataSunpou{Head(), Line(0, 0, 1, 0, Head(1, 3)), text}});
  build.Build();
  TCad_Block& block = build.BlockNamed("0");
  EXPECT_EQ(Item<TCad_Line>(block, 0).Color, 0xC0C0C0);
  EXPECT_EQ(Item<TCad_Line>(block, 1).Color, 0x00FFFF);
  EXPECT_EQ(Item<TCad_Line>(block, 1).LineWidth, MmToPoint(0.3L));
  EXPECT_EQ(Item<TCad_Line>(block, 1).LineType, build.page.FindLineType("2"));
  // A member text keeps its own spacing; a dimension's text takes its type's.
  EXPECT_EQ(Item<TCad_Text>(block, 2).Spacing, 0.5L);
  EXPECT_EQ(Item<TCad_Text>(block, 4).Spacing, 7);
  EXPECT_EQ(Item<TCad_Text>(block, 4).Color, 0x00FFFF);  // the text's pen 4
  EXPECT_EQ(Item<TCad_Line>(block, 3).Color, 0x00FF00);  // the line's pen 3
}

TEST(JwwBlocks, MemberSolidsAreColouredOnlyWhenLinesAre) {
  JwwBuild build;
  jwwunit::CDataSolid solid{Head(1, 10), {0, 0, 1, 0, 1, 1, 0, 1}, 0x0000FF};
  build.Block(0, {solid}, 0, 0);
  build.env.LayerColor[0] = 2;  // Blue
  build.env.UseLayerColor = true;
  build.Build();
  const TCad_PolyLine& quad = Item<TCad_PolyLine>(build.BlockNamed("0"), 0);
  EXPECT_EQ(quad.Name, "Block");
  EXPECT_EQ(quad.Color, 0xFF0000);
  build.env.UseLayerColor = false;
  build.env.UseColor = true;
  build.Build();
  EXPECT_EQ(Item<TCad_PolyLine>(build.BlockNamed("0"), 0).Color, 0x0000FF);
}

TEST(JwwInserts, TopLevelInsertsCarryTheHalfSheetOffsetAndNestedOnesDoNot) {
  JwwBuild build;
  build.Block(0, {Line(0, 0, 1, 1)});
  build.Block(1, {ScaledInsert(0, 3, 4, 2, 3, kPi / 2)});
  build.Add(ScaledInsert(1, 10, 20, 0.5, 0.25, -kPi / 6, Head(1, 1, 0, 6)));
  build.Add(Insert(9, 0, 0));
  build.Build();
  const TCad_Insert& outer = Item<TCad_Insert>(build.Layer(6), 0);
  EXPECT_THAT(outer.Position, IsPoint(10 + kHalfX, 20 + kHalfY));
  EXPECT_THAT(outer.Scale, IsPoint(0.5, 0.25));
  EXPECT_NEAR(outer.Angle, -30, 1e-12);
  EXPECT_EQ(outer.Pass, 0);
  EXPECT_EQ(outer.Block, &build.BlockNamed("1"));
  const TCad_Insert& inner = Item<TCad_Insert>(build.BlockNamed("1"), 0);
  EXPECT_THAT(inner.Position, IsPoint(3, 4));
  EXPECT_NEAR(inner.Angle, 90, 1e-12);
  EXPECT_EQ(inner.Visible, 1);
  EXPECT_EQ(Item<TCad_Insert>(build.Layer(0), 0).Block, nullptr);
}

// A definition's layer address beyond the 256 layers does not decide whether the block
// exists: it takes the first layer, and its inserts draw it.
TEST(JwwBlocks, ADefinitionOnALayerThatDoesNotExistTakesTheFirstLayer) {
  JwwBuild build;
  build.Block(0, {Line(0, 0, 1, 1)}, 16, 0);
  build.Add(Insert(0, 0, 0));
  build.Build();
  const TCad_Block* block = build.page.FindBlock("0");
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Layer, &build.Layer(0));
  EXPECT_EQ(block->Count(), 1);
  EXPECT_EQ(Item<TCad_Insert>(build.Layer(0), 0).Block, block);
}

}  // namespace
}  // namespace kyrovane::test
