// Damaged and hostile files: every prefix and many single-byte changes of the drawings, and
// declared counts far beyond the file. The reader must refuse them cleanly or give tables that
// agree with themselves, and allocate nothing in proportion to a count it cannot hold.

#include <gtest/gtest.h>

#include <algorithm>

#include "import/jwwunit.h"
#include "import/support/jww_writer.h"
#include "jww_samples.h"
#include "support/allocation_probe.h"
#include "support/test_support.h"

namespace kyrovane::jwwunit {
namespace {

using test::JwwWriter;
namespace s = samples;

bool TablesEmpty(const JwwData& data) {
  return data.JwwLines.empty() && data.JwwArcs.empty() && data.JwwPoints.empty() &&
         data.JwwTexts.empty() && data.JwwSolids.empty() && data.JwwInserts.empty() &&
         data.JwwDims.empty() && data.JwwBlocks.BlockCount() == 0;
}

// The block look-ups agree with each other.
void ExpectSelfConsistent(const TJWWBlockList& blocks) {
  for (uint32_t number : blocks.BlockNumbers()) {
    CDataList definition;
    ASSERT_TRUE(blocks.GetBlock(number, definition));
    ASSERT_EQ(definition.BlockNumber, number);
    const std::size_t count = blocks.EntityCount(number);
    for (std::size_t i = 0; i < count; ++i) {
      ASSERT_LE(blocks.GetKind(number, i), kJwwInsert);
      ASSERT_EQ(blocks.GetItem(number, i)->index(), blocks.GetKind(number, i));
    }
    ASSERT_EQ(blocks.GetKind(number, count), kJwwNoMember);
  }
}

// A failed read leaves empty tables; a successful one consistent ones.
void ExpectCleanResult(const JwwReadResult& result, const JwwData& data) {
  if (!result) {
    ASSERT_FALSE(result.Reason.empty());
    ASSERT_TRUE(TablesEmpty(data));
  } else {
    ExpectSelfConsistent(data.JwwBlocks);
  }
}

template <typename T>
bool IsPrefix(const std::vector<T>& part, const std::vector<T>& whole) {
  return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

// What a cut file gives, when it gives anything, is the beginning of the whole file's tables.
void ExpectBeginningOf(const JwwData& part, const JwwData& whole) {
  ASSERT_TRUE(IsPrefix(part.JwwLines, whole.JwwLines));
  ASSERT_TRUE(IsPrefix(part.JwwArcs, whole.JwwArcs));
  ASSERT_TRUE(IsPrefix(part.JwwPoints, whole.JwwPoints));
  ASSERT_TRUE(IsPrefix(part.JwwTexts, whole.JwwTexts));
  ASSERT_TRUE(IsPrefix(part.JwwSolids, whole.JwwSolids));
  ASSERT_TRUE(IsPrefix(part.JwwInserts, whole.JwwInserts));
  ASSERT_TRUE(IsPrefix(part.JwwDims, whole.JwwDims));
  ASSERT_LE(part.JwwBlocks.BlockCount(), whole.JwwBlocks.BlockCount());
  for (uint32_t number : part.JwwBlocks.BlockNumbers()) {
    ASSERT_EQ(part.JwwBlocks.EntityCount(number), whole.JwwBlocks.EntityCount(number));
  }
}

TEST(JwwDamage, EveryPrefixIsRefusedOrTheBeginningOfTheDrawing) {
  KYROVANE_NEEDS_SHARED_TESTDATA();
  for (const auto& path : test::SharedTestDataFiles("jw230", ".jww")) {
    SCOPED_TRACE(path.filename().string());
    const std::string file = test::ReadFile(path);
    JwwData whole;
    ASSERT_TRUE(ParseJwwFile(file, whole));
    // Every prefix of small drawings; about a thousand, evenly spread, of larger ones.
    const std::size_t stride = file.size() < 6000 ? 1 : file.size() / 1000;
    for (std::size_t length = 0; length < file.size(); length += stride) {
      JwwData part;
      const JwwReadResult result = ParseJwwFile(std::string_view(file).substr(0, length), part);
      ASSERT_NO_FATAL_FAILURE(ExpectCleanResult(result, part)) << length;
      if (result) {
        ASSERT_NO_FATAL_FAILURE(ExpectBeginningOf(part, whole)) << length;
      } else {
        // Ending before the version (the first 12 bytes), it is no JWW drawing at all.
        ASSERT_EQ(result.Status, length < 12 ? JwwReadStatus::NotJww : JwwReadStatus::Damaged)
            << length;
      }
    }
  }
}

TEST(JwwDamage, SingleByteChangesInHeaderAndFirstObjects) {
  KYROVANE_NEEDS_SHARED_TESTDATA();
  for (const char* name : {"2blocks-230.jww", "jww-1-230.jww", "template-230.jww"}) {
    SCOPED_TRACE(name);
    const std::string file = test::ReadFile(test::SharedTestData(std::string("jw230/") + name));
    JwwData whole;
    ASSERT_TRUE(ParseJwwHeader(file, whole));
    // The header written again is the file's own: so the object list starts where it ends.
    const std::size_t objects = JwwWriter(whole.JwwHeader).Data().size();
    ASSERT_EQ(file.substr(0, objects), JwwWriter(whole.JwwHeader).Data());

    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < 2048; ++i) positions.push_back(i);
    for (std::size_t i = objects; i < std::min(file.size(), objects + 2048); ++i) {
      positions.push_back(i);
    }
    std::string changed = file;
    for (std::size_t at : positions) {
      const auto original = static_cast<uint8_t>(file[at]);
      for (uint8_t value :
           {uint8_t{0x00}, uint8_t{0xFF}, uint8_t(original ^ 0x01), uint8_t(original ^ 0x80)}) {
        changed[at] = static_cast<char>(value);
        JwwData data;
        ASSERT_NO_FATAL_FAILURE(ExpectCleanResult(ParseJwwFile(changed, data), data))
            << at << " = " << int(value);
      }
      changed[at] = file[at];
    }
  }
}

std::string Header() {
  return JwwWriter(test::DefaultJwwHead()).Data();
}

TEST(JwwDamage, HugeDeclaredCountsAllocateNothingLarge) {
  JwwWriter hugeCount(test::DefaultJwwHead());
  hugeCount.Count(0xFFFFFFFF).Object(s::Line(1));
  JwwWriter hugeMembers(test::DefaultJwwHead());
  hugeMembers.Count(0).Word(1).Object(s::Definition(1, 0xFFFFFFFF)).Object(s::Line(1));
  for (const std::string& file : {hugeCount.Data(), hugeMembers.Data(),
                                  Header() + std::string("\xFF\xFF\xFF\xFF\xFF\xFF", 6)}) {
    JwwData data;
    test::ResetLargestAllocation();
    const JwwReadResult result = ParseJwwFile(file, data);
    EXPECT_LT(test::LargestAllocation(), 64u * 1024);
    EXPECT_EQ(result.Status, JwwReadStatus::Damaged);
    EXPECT_TRUE(TablesEmpty(data));
  }
}

TEST(JwwDamage, AFileCutBetweenOrInsideObjectsIsRefused) {
  // Fewer objects than declared, or fewer members than a definition declares.
  JwwWriter fewer(test::DefaultJwwHead());
  fewer.Count(3).Object(s::Line(1)).Object(s::Line(2));
  JwwWriter ended(test::DefaultJwwHead());
  ended.Count(3).Object(s::Line(1)).Object(s::Line(2)).Word(0).Object(s::Line(3));
  JwwWriter owed(test::DefaultJwwHead());
  owed.Count(1).Object(s::Line(1)).Word(1).Object(s::Definition(7, 3)).Object(s::Arc(2));
  for (const JwwWriter* writer : {&fewer, &ended, &owed}) {
    JwwData data;
    const JwwReadResult result = ParseJwwFile(writer->Data(), data);
    EXPECT_EQ(result.Status, JwwReadStatus::Damaged);
    EXPECT_TRUE(TablesEmpty(data));
    EXPECT_EQ(data.JwwHeader.Version, 230u);  // the header was read whole
  }
  // The reasons give the counts and the place.
  JwwData data;
  EXPECT_EQ(ParseJwwFile(fewer.Data(), data).Reason,
            "オブジェクト 3 個のうち 2 個でファイルが終わっています（" +
                std::to_string(fewer.Data().size()) + " バイト目）");
  const std::string text = JwwWriter(test::DefaultJwwHead()).Count(1).Object(s::Text(1)).Data();
  const JwwReadResult result = ParseJwwFile(text.substr(0, text.size() - 1), data);
  EXPECT_TRUE(result.Reason.starts_with("ファイルが途中で終わっています（")) << result.Reason;
  EXPECT_TRUE(result.Reason.ends_with(" バイト目）")) << result.Reason;
}

TEST(JwwDamage, AFloodOfClassesIsRefused) {
  std::string file = Header() + std::string("\x00\x00", 2);
  for (int i = 0; i < 70000; ++i) file += std::string("\xFF\xFF\x00\x00\x01\x00X", 7);
  JwwData data;
  const JwwReadResult result = ParseJwwFile(file, data);
  EXPECT_EQ(result.Status, JwwReadStatus::Damaged);
  EXPECT_TRUE(result.Reason.starts_with("オブジェクトのクラスが多すぎます（")) << result.Reason;
}

}  // namespace
}  // namespace kyrovane::jwwunit
