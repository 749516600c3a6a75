// The object list: records of every kind in every encoding, the class tags, and which records
// become block members.

#include <gtest/gtest.h>

#include "import/jwwunit.h"
#include "import/support/jww_writer.h"
#include "jww_samples.h"

namespace kyrovane::jwwunit {
namespace {

using test::JwwWriter;
namespace s = samples;

JwwWriter Writer(JwwWriter::Form form = JwwWriter::Form::Shortest) {
  return JwwWriter(test::DefaultJwwHead(), form);
}

JwwData Read(const std::string& file) {
  JwwData data;
  const JwwReadResult result = ParseJwwFile(file, data);
  EXPECT_TRUE(result) << result.Reason;
  return data;
}

// Writes two records of every kind at the top level and one of every kind in a block.
std::string EveryKind(JwwWriter writer) {
  writer.Count(16);
  writer.Object(s::Line(1)).Object(s::Arc(2)).Object(s::Point(3)).Object(s::Text(4));
  writer.Object(s::Dim(5)).Object(s::Solid(6, 10)).Object(s::Solid(7, 9)).Object(s::Insert(8, 4));
  writer.Object(s::Line(11)).Object(s::Arc(12)).Object(s::Point(13)).Object(s::Text(14));
  writer.Object(s::Dim(15)).Object(s::Solid(16, 3)).Object(s::Insert(18, 5));
  writer.Object(s::Text(19, std::string(70000, 'x')));  // needs the DWORD length
  writer.Word(1);                                       // the count of block definitions
  writer.Object(s::Definition(4, 8));
  writer.Object(s::Line(21)).Object(s::Arc(22)).Object(s::Point(23)).Object(s::Text(24));
  writer.Object(s::Dim(25)).Object(s::Solid(26, 10)).Object(s::Solid(27, 1));
  writer.Object(s::Insert(28, 5));
  return writer.Data();
}

void ExpectEveryKind(const JwwData& data) {
  EXPECT_EQ(data.JwwLines, (std::vector{s::Line(1), s::Line(11)}));
  EXPECT_EQ(data.JwwArcs, (std::vector{s::Arc(2), s::Arc(12)}));
  EXPECT_EQ(data.JwwPoints, (std::vector{s::Point(3), s::Point(13)}));
  EXPECT_EQ(data.JwwTexts,
            (std::vector{s::Text(4), s::Text(14), s::Text(19, std::string(70000, 'x'))}));
  EXPECT_EQ(data.JwwDims, (std::vector{s::Dim(5), s::Dim(15)}));
  EXPECT_EQ(data.JwwSolids, (std::vector{s::Solid(6, 10), s::Solid(7, 9), s::Solid(16, 3)}));
  EXPECT_EQ(data.JwwInserts, (std::vector{s::Insert(8, 4), s::Insert(18, 5)}));

  const TJWWBlockList& blocks = data.JwwBlocks;
  ASSERT_EQ(blocks.BlockCount(), 1u);
  CDataList definition;
  ASSERT_TRUE(blocks.GetBlock(4, definition));
  EXPECT_EQ(definition, s::Definition(4, 8));
  ASSERT_EQ(blocks.EntityCount(4), 8u);
  CDataSen line;
  CDataEnko arc;
  CDataTen point;
  CDataMoji text;
  CDataSunpou dim;
  CDataSolid solid;
  CDataBlock insert;
  EXPECT_TRUE(blocks.GetLine(4, 0, line) && line == s::Line(21));
  EXPECT_TRUE(blocks.GetArc(4, 1, arc) && arc == s::Arc(22));
  EXPECT_TRUE(blocks.GetPoint(4, 2, point) && point == s::Point(23));
  EXPECT_TRUE(blocks.GetText(4, 3, text) && text == s::Text(24));
  EXPECT_TRUE(blocks.GetDim(4, 4, dim) && dim == s::Dim(25));
  EXPECT_TRUE(blocks.GetSolid(4, 5, solid) && solid == s::Solid(26, 10));
  EXPECT_TRUE(blocks.GetSolid(4, 6, solid) && solid == s::Solid(27, 1));
  EXPECT_TRUE(blocks.GetInsert(4, 7, insert) && insert == s::Insert(28, 5));
}

TEST(JwwObjects, EveryKindRoundTripsInEveryEncoding) {
  for (auto form : {JwwWriter::Form::Shortest, JwwWriter::Form::Word, JwwWriter::Form::Dword}) {
    for (bool bigTags : {false, true}) {
      SCOPED_TRACE(testing::Message() << "form " << int(form) << " big tags " << bigTags);
      ExpectEveryKind(Read(EveryKind(Writer(form).BigTags(bigTags))));
    }
  }
}

TEST(JwwObjects, BigTagsAndShortTagsNameTheSameClass) {
  // Classes: CDataSen takes map index 1 (its first object 2), CDataTen index 3 (object 4).
  JwwWriter writer = Writer();
  writer.Count(5).Object(s::Line(1)).Object(s::Point(2));
  ASSERT_EQ(writer.NextIndex(), 5u);
  writer.Word(0x8003).Fields(s::Point(3));
  writer.Word(0x7FFF).Bytes(std::string("\x03\x00\x00\x80", 4)).Fields(s::Point(4));
  writer.Word(0x7FFF).Bytes(std::string("\x01\x00\x00\x80", 4)).Fields(s::Line(5));
  const JwwData data = Read(writer.Data());
  EXPECT_EQ(data.JwwPoints, (std::vector{s::Point(2), s::Point(3), s::Point(4)}));
  EXPECT_EQ(data.JwwLines, (std::vector{s::Line(1), s::Line(5)}));
}

TEST(JwwObjects, LongCountsAndMapIndicesBeyondTheShortTag) {
  // 70000 members: the member count needs its DWORD form, and the map indices pass 0x7FFF,
  // so a class first named after them is referred to with big tags.
  constexpr uint32_t kMembers = 70000;
  JwwWriter writer = Writer();
  writer.Count(1, JwwWriter::Form::Dword).Object(s::Line(0)).Word(2);
  writer.Object(s::Definition(9, kMembers));
  for (uint32_t i = 0; i < kMembers; ++i) writer.Object(s::Point(static_cast<int>(i)));
  writer.Object(s::Definition(10, 3, "next"));
  ASSERT_GT(writer.NextIndex(), 0x7FFFu);
  writer.Object(s::Arc(7)).Object(s::Arc(8)).Object(s::Line(9));

  const JwwData data = Read(writer.Data());
  EXPECT_EQ(data.JwwLines, (std::vector{s::Line(0)}));
  ASSERT_EQ(data.JwwBlocks.EntityCount(9), kMembers);
  CDataTen point;
  EXPECT_TRUE(data.JwwBlocks.GetPoint(9, kMembers - 1, point));
  EXPECT_EQ(point, s::Point(kMembers - 1));
  CDataEnko arc;
  EXPECT_TRUE(data.JwwBlocks.GetArc(10, 1, arc));
  EXPECT_EQ(arc, s::Arc(8));
  CDataSen line;
  EXPECT_TRUE(data.JwwBlocks.GetLine(10, 2, line));
  EXPECT_EQ(line, s::Line(9));
}

TEST(JwwObjects, MembersAreTheObjectsADefinitionDeclaresUntilAnEmptyOrNewDefinition) {
  // A definition of three members, then two more lines: those are top-level lines.
  JwwWriter writer = Writer();
  writer.Count(2).Word(1).Object(s::Definition(0, 3));
  writer.Object(s::Line(1)).Object(s::Arc(2)).Object(s::Line(3));
  writer.Object(s::Line(4)).Object(s::Line(5));
  JwwData data = Read(writer.Data());
  EXPECT_EQ(data.JwwBlocks.EntityCount(0), 3u);
  EXPECT_EQ(data.JwwLines, (std::vector{s::Line(4), s::Line(5)}));
  EXPECT_TRUE(data.JwwArcs.empty());

  writer = Writer();
  writer.Count(1).Word(3).Object(s::Definition(1, 0)).Object(s::Line(1));
  writer.Object(s::Definition(2, 5)).Object(s::Line(2)).Object(s::Line(3));
  writer.Object(s::Definition(3, 1)).Object(s::Arc(4));  // block 2 gets only two of five
  data = Read(writer.Data());
  EXPECT_EQ(data.JwwLines, (std::vector{s::Line(1)}));
  EXPECT_EQ(data.JwwBlocks.EntityCount(1), 0u);
  EXPECT_EQ(data.JwwBlocks.EntityCount(2), 2u);
  CDataEnko arc;
  EXPECT_TRUE(data.JwwBlocks.GetArc(3, 0, arc));
  EXPECT_EQ(arc, s::Arc(4));
}

TEST(JwwObjects, ObjectsWithoutAClassReadNothingAndTakeNoIndex) {
  // A tag with bit 15 clear and a reference to an index that names no class carry nothing;
  // an object of a class the reader does not know takes an index like any other.
  JwwWriter writer = Writer();
  writer.Count(3).ForeignObject("CDataFuture", "");  // class 1, object 2
  writer.Object(s::Line(1));                         // class 3, object 4
  writer.Word(0x0005).Word(0x8002).Word(0x8004);     // no class; object index; object index
  writer.Object(s::Line(2));                         // a reference to class 3
  const JwwData data = Read(writer.Data());
  EXPECT_EQ(data.JwwLines, (std::vector{s::Line(1), s::Line(2)}));
}

TEST(JwwObjects, ANewClassWithoutANameTakesOnlyItsOwnIndex) {
  JwwWriter writer = Writer();
  writer.Count(2).Bytes(std::string("\xFF\xFF\xE6\x00\x00\x00", 6));  // class 1, nameless
  writer.Object(s::Line(1));  // class 2: its nameless predecessor's object took no index
  writer.Word(0x8002).Fields(s::Line(2));
  EXPECT_EQ(Read(writer.Data()).JwwLines, (std::vector{s::Line(1), s::Line(2)}));
}

TEST(JwwObjects, AZeroTagEndsTheListAndObjectsBeyondTheDeclaredCountAreKept) {
  JwwWriter ended = Writer();
  ended.Count(1).Object(s::Line(1)).Word(0).Object(s::Line(2));
  EXPECT_EQ(Read(ended.Data()).JwwLines, (std::vector{s::Line(1)}));
  JwwWriter more = Writer();
  more.Count(1).Object(s::Line(1)).Object(s::Line(2)).Object(s::Point(3));
  const JwwData data = Read(more.Data());
  EXPECT_EQ(data.JwwLines.size(), 2u);
  EXPECT_EQ(data.JwwPoints.size(), 1u);
}

}  // namespace
}  // namespace kyrovane::jwwunit
