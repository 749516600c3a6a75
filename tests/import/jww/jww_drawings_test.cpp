// The version-230 drawings made from real ones are read with the counts they hold; the real
// drawings of later versions are refused.

#include <gtest/gtest.h>

#include <map>

#include "import/jwwunit.h"
#include "support/test_support.h"

namespace kyrovane::jwwunit {
namespace {

struct Counts {
  std::size_t lines = 0, arcs = 0, points = 0, texts = 0, solids = 0, inserts = 0, dims = 0;
  std::size_t blocks = 0, memberLines = 0, memberArcs = 0;
  bool operator==(const Counts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counts& c) {
  return out << "Sen " << c.lines << " Enko " << c.arcs << " Ten " << c.points << " Moji "
             << c.texts << " Solid " << c.solids << " Block " << c.inserts << " Sunpou " << c.dims
             << " / blocks " << c.blocks << " Sen " << c.memberLines << " Enko " << c.memberArcs;
}

Counts CountsOf(const JwwData& data) {
  Counts counts{data.JwwLines.size(), data.JwwArcs.size(),        data.JwwPoints.size(),
                data.JwwTexts.size(), data.JwwSolids.size(),      data.JwwInserts.size(),
                data.JwwDims.size(),  data.JwwBlocks.BlockCount()};
  for (uint32_t number : data.JwwBlocks.BlockNumbers()) {
    for (std::size_t i = 0; i < data.JwwBlocks.EntityCount(number); ++i) {
      const uint8_t kind = data.JwwBlocks.GetKind(number, i);
      counts.memberLines += kind == kJwwLine;
      counts.memberArcs += kind == kJwwArc;
    }
  }
  return counts;
}

// The counts that the drawings' description lists.
const std::map<std::string, Counts> kExpected = {
    {"2blocks-230.jww", {0, 0, 0, 6, 0, 2, 0, 2, 2, 2}},
    {"3blocks-230.jww", {0, 0, 0, 6, 0, 1, 0, 1, 4, 2}},
    {"Test1-230.jww", {1642, 4, 4, 36, 0, 0, 0}},
    {"Test2-230.jww", {38, 4, 6, 23, 0, 0, 0}},
    {"Test4-230.jww", {72, 1, 18, 21, 0, 0, 0}},
    {"Test5-230.jww", {46, 0, 0, 43, 0, 0, 0}},
    {"Test6-230.jww", {1641, 67, 19, 235, 0, 0, 0}},
    {"copy-block-230.jww", {0, 0, 0, 6, 0, 1, 0, 1, 8, 0}},
    {"jww-1-230.jww", {8, 0, 0, 0, 0, 0, 0}},
    {"non_block-230.jww", {4, 2, 0, 6, 0, 0, 0}},
    {"sqr-circle-blocks-230.jww", {0, 1, 0, 6, 0, 1, 0, 1, 4, 1}},
    {"template-230.jww", {0, 0, 0, 6, 0, 0, 0}},
    {"サンプル-230.jww", {592, 64, 19, 20, 0, 0, 0}},
    {"敷地図-230.jww", {9, 0, 0, 0, 0, 0, 0}},
    {"木造平面例-230.jww", {751, 20, 0, 9, 0, 0, 0}},
    {"Ａマンション平面例-230.jww", {1394, 215, 10, 56, 79, 0, 0}},
    {"Ａマンション立面例-230.jww", {612, 0, 0, 1, 0, 0, 0}},
};

TEST(JwwDrawings, EveryVersion230DrawingIsReadWithItsCounts) {
  KYROVANE_NEEDS_SHARED_TESTDATA();
  std::size_t seen = 0;
  for (const auto& path : test::SharedTestDataFiles("jw230", ".jww")) {
    const std::string name = path.filename().string();
    SCOPED_TRACE(name);
    ASSERT_EQ(kExpected.count(name), 1u) << "a drawing without listed counts";
    JwwData data;
    const JwwReadResult result = ParseJwwFile(test::ReadFile(path), data);
    ASSERT_TRUE(result) << result.Reason;
    EXPECT_EQ(CountsOf(data), kExpected.at(name));
    EXPECT_EQ(data.JwwHeader.Version, 230u);
    ++seen;
  }
  EXPECT_EQ(seen, kExpected.size());
}

TEST(JwwDrawings, HeaderFieldsOfARealDrawing) {
  KYROVANE_NEEDS_SHARED_TESTDATA();
  JwwData data;
  ASSERT_TRUE(ParseJwwHeader(test::ReadFile(test::SharedTestData("jw230/Test1-230.jww")), data));
  // "日影図　ＴＥＳＴ用データ / （陸屋根）" in code page 932 begins with 日影図.
  EXPECT_EQ(data.JwwHeader.Memo.substr(0, 6), "\x93\xfa\x89\x65\x90\x7d");
  EXPECT_EQ(data.JwwHeader.PaperSize, 2u);
  EXPECT_TRUE(data.JwwLines.empty());  // the header reader fills nothing else
}

TEST(JwwDrawings, LaterVersionsAreRefusedByTheHeaderReader) {
  KYROVANE_NEEDS_SHARED_TESTDATA();
  std::size_t refused = 0;
  for (const auto& path : test::SharedTestDataFiles("jw", ".jww")) {
    SCOPED_TRACE(path.filename().string());
    JwwData data;
    const std::string bytes = test::ReadFile(path);
    const JwwReadResult result = ParseJwwHeader(bytes, data);
    EXPECT_EQ(result.Status, JwwReadStatus::WrongVersion) << result.Reason;
    EXPECT_TRUE(data.JwwHeader.Version == 600 || data.JwwHeader.Version == 700);
    EXPECT_EQ(ParseJwwFile(bytes, data).Status, JwwReadStatus::WrongVersion);
    EXPECT_TRUE(data.JwwLines.empty() && data.JwwTexts.empty());
    ++refused;
  }
  EXPECT_EQ(refused, 17u);
}

}  // namespace
}  // namespace kyrovane::jwwunit
