// Look-ups of the block list by block number and member index.

#include <gtest/gtest.h>

#include "import/jwwblocklist.h"
#include "jww_samples.h"

namespace kyrovane::jwwunit {
namespace {

namespace s = samples;

TEST(JwwBlockList, TypedGettersCopyOnlyMembersOfTheirKind) {
  TJWWBlockList blocks;
  blocks.AddBlock(s::Definition(0, 2));
  blocks.AddArc(s::Arc(1));
  blocks.AddLine(s::Line(2));
  CDataSen line = s::Line(99);
  EXPECT_FALSE(blocks.GetLine(0, 0, line));
  EXPECT_EQ(line, s::Line(99));  // untouched
  EXPECT_EQ(blocks.GetKind(0, 0), kJwwArc);
  EXPECT_TRUE(blocks.GetLine(0, 1, line));
  EXPECT_EQ(line, s::Line(2));
  auto item = blocks.GetItem(0, 0);
  ASSERT_TRUE(item.has_value());
  ASSERT_EQ(item->index(), kJwwArc);
  EXPECT_EQ(*std::get<kJwwArc>(*item), s::Arc(1));
}

TEST(JwwBlockList, BlocksAreFoundByTheirNumberWhateverItIs) {
  TJWWBlockList blocks;
  for (uint32_t number : {7u, 1000000u, 0xFFFFFFFFu, 0u}) {
    blocks.AddBlock(s::Definition(number, 1));
    blocks.AddPoint(s::Point(static_cast<int>(number % 1000)));
  }
  EXPECT_EQ(blocks.BlockNumbers(), (std::vector<uint32_t>{0, 7, 1000000, 0xFFFFFFFF}));
  for (uint32_t number : blocks.BlockNumbers()) {
    CDataList definition;
    ASSERT_TRUE(blocks.GetBlock(number, definition));
    EXPECT_EQ(definition.BlockNumber, number);
    CDataTen point;
    ASSERT_TRUE(blocks.GetPoint(number, 0, point));
    EXPECT_EQ(point, s::Point(static_cast<int>(number % 1000)));
  }
}

TEST(JwwBlockList, NothingOutsideABlocksOwnMembersIsFound) {
  TJWWBlockList blocks;
  blocks.AddLine(s::Line(1));  // before any definition: belongs to none
  blocks.AddBlock(s::Definition(1, 5));
  blocks.AddLine(s::Line(2));
  blocks.AddBlock(s::Definition(2, 1));
  blocks.AddLine(s::Line(3));

  EXPECT_EQ(blocks.EntityCount(1), 1u);  // what it holds, not the five it declares
  CDataSen line = s::Line(99);
  EXPECT_FALSE(blocks.GetLine(1, 1, line));  // not the first member of block 2
  EXPECT_EQ(blocks.GetKind(1, 1), kJwwNoMember);
  EXPECT_FALSE(blocks.GetItem(1, 1).has_value());

  CDataList definition = s::Definition(42, 0);
  EXPECT_FALSE(blocks.GetBlock(3, definition));
  EXPECT_EQ(definition, s::Definition(42, 0));
  EXPECT_EQ(blocks.EntityCount(3), 0u);
  EXPECT_EQ(blocks.GetKind(3, 0), kJwwNoMember);
  EXPECT_FALSE(blocks.GetLine(3, 0, line));
  EXPECT_EQ(line, s::Line(99));
}

TEST(JwwBlockList, TheLastDefinitionOfANumberIsThatBlockEverywhere) {
  TJWWBlockList blocks;
  blocks.AddBlock(s::Definition(5, 2, "first"));
  blocks.AddLine(s::Line(1));
  blocks.AddLine(s::Line(2));
  blocks.AddBlock(s::Definition(5, 1, "second"));
  blocks.AddArc(s::Arc(3));

  EXPECT_EQ(blocks.BlockCount(), 2u);
  EXPECT_EQ(blocks.Definition(0).Name, "first");
  EXPECT_EQ(blocks.BlockNumbers(), (std::vector<uint32_t>{5}));
  CDataList definition;
  ASSERT_TRUE(blocks.GetBlock(5, definition));
  EXPECT_EQ(definition.Name, "second");
  EXPECT_EQ(blocks.EntityCount(5), 1u);
  EXPECT_EQ(blocks.GetKind(5, 0), kJwwArc);
  CDataEnko arc;
  EXPECT_TRUE(blocks.GetArc(5, 0, arc));
  EXPECT_EQ(arc, s::Arc(3));
}

TEST(JwwBlockList, ClearEmptiesEverything) {
  TJWWBlockList blocks;
  blocks.AddBlock(s::Definition(1, 1));
  blocks.AddLine(s::Line(1));
  blocks.Clear();
  EXPECT_EQ(blocks.BlockCount(), 0u);
  EXPECT_TRUE(blocks.BlockNumbers().empty());
  EXPECT_EQ(blocks.EntityCount(1), 0u);
  blocks.AddLine(s::Line(2));  // no definition again
  blocks.AddBlock(s::Definition(1, 0));
  EXPECT_EQ(blocks.EntityCount(1), 0u);
}

}  // namespace
}  // namespace kyrovane::jwwunit
