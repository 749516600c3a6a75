#include "import/jwkunit.h"

#include <gtest/gtest.h>

#include "import/jwcunit.h"
#include "import/jwk/jwk_writer.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

using test::JwkDrawing;
using test::SampleJwkDrawing;
using test::WriteJwk;

JwkReadResult Read(const JwkDrawing& drawing, JwkData& data) {
  return ReadJwkData(WriteJwk(drawing), data);
}

template <class... Tables>
std::array<int, sizeof...(Tables)> Sizes(const Tables&... tables) {
  return {static_cast<int>(tables.size())...};
}

// ---- The parts files of the drawing program ----

struct RealFile {
  const char* name;
  int lines, arcs, points, texts, poolSize;
};

// Counts as line 2 of each file declares them (read with xxd at offset 0xC8):
// B-KIT.JWK "22,6,0,0,4.000000,4.000000,0.048889,0,100", DESK.JWK
// "13,18,0,0,35.945213,74.163361,0.060274,0,100", 選択拡張子.jwk
// "0,0,0,5,4.000000,4.000000,0.053233,41,100".
const RealFile kRealFiles[] = {{"jw/B-KIT.JWK", 22, 6, 0, 0, 0},
                               {"jw/DESK.JWK", 13, 18, 0, 0, 0},
                               {"jw/選択拡張子.jwk", 0, 0, 0, 5, 41}};

TEST(JwkRealFiles, AreReadWithTheCountsTheirHeadersDeclare) {
  KYROVANE_NEEDS_SHARED_TESTDATA();
  for (const RealFile& file : kRealFiles) {
    std::filesystem::path path = test::SharedTestData(file.name);
    SCOPED_TRACE(file.name);
    JwkData data;
    JwkReadResult result = ReadJwkData(test::ReadFile(path), data);
    ASSERT_TRUE(result.Ok) << result.Error;
    const jwkunit::THeader& h = data.JwkHeader;
    const std::array counts{file.lines, file.arcs, file.points, file.texts};
    EXPECT_EQ((std::array{h.LineCount, h.ArcCount, h.PointCount, h.TextCount}), counts);
    EXPECT_EQ(Sizes(data.JwkLines, data.JwkArcs, data.JwkPoints, data.JwkTexts), counts);
    EXPECT_EQ(h.PoolSize, file.poolSize);
    EXPECT_EQ(h.Scale, 100.0f);
    EXPECT_EQ(std::filesystem::file_size(path), 400u + 22 * file.lines + 32 * file.arcs +
                                                    12 * file.points + 24 * file.texts +
                                                    file.poolSize);
  }
}

TEST(JwkRealFiles, RecordsAndTextsHoldWhatTheDrawingShows) {
  KYROVANE_NEEDS_SHARED_TESTDATA();
  JwkData data;
  ASSERT_TRUE(ReadJwkData(test::ReadFile(test::SharedTestData("jw/B-KIT.JWK")), data).Ok);
  EXPECT_EQ(data.JwkHeader.SecondText, "\x89\x9f\x93\xfc\x81\x40\x8c\x9a\x8b\xef\x8f\x80\x94\xf5");
  EXPECT_EQ(data.JwkHeader.Values, (std::array<float, 3>{4.0f, 4.0f, 0.048889f}));
  const TJwcLine& line = data.JwkLines[0];
  EXPECT_EQ(line.X1, 1800.0f);
  EXPECT_EQ(line.Y2, 0.0f);
  EXPECT_EQ(line.LineType, 1);
  EXPECT_EQ(line.PenColor, 2);
  EXPECT_EQ(line.Layer, 3);
  const TJwcArc& arc = data.JwkArcs[0];
  EXPECT_EQ(arc.Radius, 30.0f);
  EXPECT_EQ(arc.Ratio, 1.0f);
  EXPECT_EQ(arc.StartAngle, 180.0f);
  EXPECT_EQ(arc.EndAngle, 270.0f);
  EXPECT_EQ(arc.AxisAngle, 0.0f);

  // Its texts point into the pool through segment 0x4000.
  ASSERT_TRUE(ReadJwkData(test::ReadFile(test::SharedTestData("jw/選択拡張子.jwk")), data).Ok);
  const char* texts[] = {"\x91I\x91\xf0\x82\xb7\x82\xe9", "\x8ag\x92\xa3\x8eq\x82\xf0", "[.jws]",
                         "\x82\xc9\x82\xb5\x82\xc4\x82\xad", "\x82\xbe\x82\xb3\x82\xa2"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(data.JwkTexts[i].Text, texts[i]) << i;
    EXPECT_EQ(data.JwkTexts[i].TextType, 3);
  }
  EXPECT_EQ(data.JwkTexts[0].PoolPosition, 0x40000);
}

// ---- Writer and reader agree ----

TEST(JwkRoundTrip, ReadsBackEveryRecordKind) {
  JwkDrawing d = SampleJwkDrawing();
  JwkData data;
  JwkReadResult result = Read(d, data);
  ASSERT_TRUE(result.Ok) << result.Error;
  EXPECT_EQ(data.JwkHeader.FirstText, std::string(kJwkMagic) + ".......");
  EXPECT_EQ(data.JwkHeader.SecondText, d.SecondText);
  EXPECT_EQ(data.JwkLines, d.Lines);
  EXPECT_EQ(data.JwkPoints, d.Points);
  EXPECT_EQ(data.JwkArcs, (std::vector{TJwcArc{50, 60, 30, 1, 180, 270, 0, 1, 2, 3, {36, 2, 0}}}));
  // Base line, pool position, text type, layer, flags, spare, text: the second through its
  // segment, the last string of the pool without a NUL.
  EXPECT_EQ(data.JwkTexts, (std::vector{TMoji2{1, 2, 3, 2, 0, 8, 0, 0, 0, "one"},
                                        TMoji2{4, 5, 4, 9, 0x40004, 0, 2, 0x20, 1, "\x93\xf1"},
                                        TMoji2{6, 7, 8, 9, 7, 10, 0, 0, 0, "three"}}));
}

TEST(JwkFieldOrder, Line2GivesPointsBeforeTextsAndTheFileStoresPointsFirst) {
  JwkDrawing d;
  d.Lines.resize(3, TJwcLine{.LineType = 1, .PenColor = 1});
  d.Arcs.resize(1);
  d.Points = {{.X = 1, .PenColor = 1}, {.X = 2, .PenColor = 2}};
  d.Texts.resize(4);
  d.Pool = std::string(40, 'p');
  d.Scale = "1";
  d.FieldOverrides = {{4, "0"}, {5, "0"}, {6, "1"}};
  std::string file = WriteJwk(d);
  EXPECT_EQ(file.substr(200, 19), std::string("3,1,2,4,0,0,1,40,1\0", 19));
  JwkData data;
  ASSERT_TRUE(ReadJwkData(file, data).Ok);
  const jwkunit::THeader& h = data.JwkHeader;
  EXPECT_EQ(h.LineCount, 3);
  EXPECT_EQ(h.ArcCount, 1);
  EXPECT_EQ(h.PointCount, 2);
  EXPECT_EQ(h.TextCount, 4);
  EXPECT_EQ(h.PoolSize, 40);
  EXPECT_EQ(h.Scale, 1.0f);
  EXPECT_EQ(h.Values, (std::array<float, 3>{0, 0, 1}));
  EXPECT_EQ(data.JwkPoints, d.Points);
  EXPECT_EQ(data.JwkTexts.size(), 4u);
}

// ---- Header ----

TEST(JwkHeader, ALetterInAnyOfTheNineNumbersFailsTheRead) {
  for (int field = 0; field < 9; ++field) {
    for (std::string text : {"x", "1a", "", "1 2"}) {
      JwkDrawing d = SampleJwkDrawing();
      d.FieldOverrides[field] = text;
      JwkData data;
      JwkReadResult result = Read(d, data);
      EXPECT_FALSE(result.Ok) << field << " '" << text << "'";
      EXPECT_FALSE(result.Error.empty());
      EXPECT_TRUE(data.JwkLines.empty());
    }
  }
}

TEST(JwkHeader, MissingFieldsReadZeroAndScaleMayBeAFraction) {
  std::string line1(kJwkMagic);
  line1.resize(200, ' ');
  jwkunit::THeader h;
  ParseJwkHeader(h, line1, std::string("2,1\0", 4));
  EXPECT_EQ(h.LineCount, 2);
  EXPECT_EQ(h.ArcCount, 1);
  EXPECT_EQ(h.TextCount, 0);
  EXPECT_EQ(h.Scale, 0.0f);
  EXPECT_EQ(h.FirstText, line1.substr(0, 40));  // no NUL: the whole 40 bytes
  ParseJwkHeader(h, line1, "0,0,0,0,0,0,0,0,0.5");
  EXPECT_EQ(h.Scale, 0.5f);
}

// ---- Text pool ----

TEST(JwkPool, PoolSize0OrNegativeGivesEveryTextAnEmptyString) {
  for (std::string size : {"0", "-5"}) {
    JwkDrawing d = SampleJwkDrawing();
    d.Pool.clear();
    d.FieldOverrides[7] = size;
    JwkData data;
    ASSERT_TRUE(Read(d, data).Ok) << size;
    for (const TMoji2& text : data.JwkTexts) EXPECT_EQ(text.Text, "");
  }
}

TEST(JwkPool, PositionsOutsideThePoolEvenWithinTheirSegmentGiveEmptyTexts) {
  JwkDrawing d;
  d.Pool = std::string("ab\0", 3);
  d.Texts = {{.PoolOffset = 3},
             {.PoolOffset = 2, .PoolSegment = 0x4000},
             {.PoolOffset = 0xFFFF, .PoolSegment = 0xFFFF},
             {.PoolOffset = 1, .PoolSegment = 0}};
  JwkData data;
  ASSERT_TRUE(Read(d, data).Ok);
  EXPECT_EQ(data.JwkTexts[0].Text, "");
  EXPECT_EQ(data.JwkTexts[1].Text, "");
  EXPECT_EQ(data.JwkTexts[2].Text, "");
  EXPECT_EQ(data.JwkTexts[3].Text, "b");
}

TEST(JwkPool, APoolLargerThanTheRestOfTheFileIsRefused) {
  JwkDrawing d = SampleJwkDrawing();
  d.FieldOverrides[7] = "13";  // one byte more than there is
  JwkData data;
  EXPECT_FALSE(Read(d, data).Ok);
  EXPECT_EQ(data.JwkTexts.size(), 3u);  // the records before the pool stay
  EXPECT_EQ(data.JwkTexts[0].Text, "");
}

// ---- Short and hostile files ----

TEST(JwkFailures, TextsRepeatingALongStringBeyondTheTextBudgetAreRefused) {
  JwkDrawing d;
  d.Pool = std::string(4096, 'x');  // no NUL: every text runs to the pool's end
  d.Texts.resize(TextPool::kMaxTextBytes / 4096 + 1);
  JwkData data;
  JwkReadResult result = Read(d, data);
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(result.Error.empty());
  d.Texts.resize(100);
  ASSERT_TRUE(Read(d, data).Ok);
  EXPECT_EQ(data.JwkTexts[99].Text.size(), 4096u);
}

TEST(JwkFailures, HugeAndNegativeCountsAllocateNothingLarge) {
  for (int field : {0, 1, 2, 3, 7}) {
    for (std::string count : {"4294967295", "2147483647", "-1", "-2147483648", "99999"}) {
      JwkDrawing d = SampleJwkDrawing();
      d.FieldOverrides[field] = count;
      JwkData data;
      JwkReadResult result = Read(d, data);
      if (field == 7 && count[0] == '-') {
        EXPECT_TRUE(result.Ok);  // a negative pool size means no pool
      } else {
        EXPECT_FALSE(result.Ok) << field << " " << count;
      }
      EXPECT_LE(data.JwkLines.capacity(), 3u);
      EXPECT_LE(data.JwkArcs.capacity(), 1u);
      EXPECT_LE(data.JwkPoints.capacity(), 2u);
      EXPECT_LE(data.JwkTexts.capacity(), 3u);
    }
  }
}

TEST(JwkFailures, AFileCutInsideTheTextsKeepsTheRecordsBeforeTheCut) {
  JwkDrawing d = SampleJwkDrawing();
  std::string file = WriteJwk(d);
  file.resize(file.size() - d.Pool.size() - 30);
  JwkData data;
  JwkReadResult result = ReadJwkData(file, data);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(data.JwkLines, d.Lines);
  EXPECT_EQ(data.JwkPoints, d.Points);
  EXPECT_TRUE(data.JwkTexts.empty());
}

TEST(JwkFiles, AFileCutInItsHeaderIsRefusedAndClearsTheTables) {
  const std::string sample = WriteJwk(SampleJwkDrawing());
  JwkData data;
  ASSERT_TRUE(ReadJwkData(sample, data).Ok);
  const JwkReadResult result = ReadJwkData(std::string_view(sample).substr(0, 100), data);
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(result.Error.empty());
  EXPECT_TRUE(data.JwkLines.empty());
  EXPECT_EQ(data.JwkHeader.Scale, 1.0f);
}

}  // namespace
}  // namespace kyrovane
