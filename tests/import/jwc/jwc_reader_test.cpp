#include "import/jwcunit.h"

#include <gtest/gtest.h>

#include <tuple>

#include "import/jwc/jwc_writer.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

using test::JwcDrawing;
using test::SampleJwcDrawing;
using test::WriteJwc;

JwcReadResult Read(const JwcDrawing& drawing, JwcData& data) {
  return ReadJwcData(WriteJwc(drawing), data);
}

jwcunit::THeader ParseBlocks(std::string block1, std::string block3 = "6000:0000,6000:0010") {
  std::string block0(kJwcMagic);
  block0.resize(200, '\0');
  block1.resize(200, '\0');
  block3.resize(200, '\0');
  jwcunit::THeader header;
  ParseJwcHeader(header, {block0, block1, std::string(200, '\0'), block3});
  return header;
}

// ---- Writer and reader agree ----

// The table entries, field by field.
auto Fields(const TJwcPen& p) {
  return std::tie(p.Column1, p.Column2, p.Column3);
}
auto Fields(const TJwcTextType& t) {
  return std::tie(t.ColorPen, t.Width, t.Height, t.Spacing);
}
auto Fields(const TJwcGroup& g) {
  return std::tie(g.Scale, g.StateA, g.StateB, g.StateC, g.Name);
}
auto Fields(const TJwcLayer& l) {
  return std::tie(l.StateA, l.StateB, l.Name);
}

class JwcRoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(JwcRoundTrip, ReadsBackHeaderTablesAndNames) {
  const bool formatMark = GetParam();
  JwcDrawing d = SampleJwcDrawing(formatMark);
  JwcData data;
  JwcReadResult result = Read(d, data);
  ASSERT_TRUE(result.Ok) << result.Error;
  EXPECT_EQ(result.Repairs, 0);
  EXPECT_EQ(result.Notice, "");

  const jwcunit::THeader& h = data.JwcHeader;
  EXPECT_EQ(h.FirstText, std::string(kJwcMagic) + (formatMark ? "..f" : "..."));
  EXPECT_EQ(h.Memo, d.Memo);
  EXPECT_EQ(h.ThirdText, "third");
  EXPECT_EQ(h.FormatMark, formatMark);
  EXPECT_EQ(h.LineCount, 2);
  EXPECT_EQ(h.ArcCount, 2);
  EXPECT_EQ(h.TextCount, 3);
  EXPECT_EQ(h.PointCount, 2);
  EXPECT_EQ(h.PaperSize, 2);
  EXPECT_EQ(h.DrawingTime, 3725);
  EXPECT_EQ(h.ScaleDivisor, 50);
  EXPECT_EQ(h.Scale, static_cast<float>(594.0L / 50));
  EXPECT_EQ(h.PoolStart, 0x60000);
  EXPECT_EQ(h.PoolEnd, 0x60000 + 13);

  for (int i = 0; i < 101; ++i) EXPECT_EQ(Fields(data.JwcPens[i]), Fields(d.Pens[i])) << i;
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(Fields(data.JwcTextTypes[i]), Fields(d.TextTypes[i])) << i;
  }
  EXPECT_EQ(data.JwcTextTypes[11].Height, 0);
  for (int g = 0; g < 16; ++g) EXPECT_EQ(Fields(data.JwcGroups[g]), Fields(d.Groups[g])) << g;
  for (int l = 0; l < 256; ++l) EXPECT_EQ(Fields(data.JwcLayers[l]), Fields(d.Layers[l])) << l;
}

TEST_P(JwcRoundTrip, ReadsBackEveryRecordKind) {
  JwcDrawing d = SampleJwcDrawing(GetParam());
  JwcData data;
  ASSERT_TRUE(Read(d, data).Ok);

  EXPECT_EQ(data.JwcLines, d.Lines);

  ASSERT_EQ(data.JwcArcs.size(), 2u);
  // Centre, radius, ratio, start, end and axis angle, line type, pen, layer, spare.
  EXPECT_EQ(data.JwcArcs[0], (TJwcArc{5, 6, 7, 1.0f, 0, 360.0f, 0, 2, 3, 4, {}}));
  EXPECT_EQ(data.JwcArcs[1],
            (TJwcArc{-5, 6.25f, 0.5f, 0.5f, -90.5f, 187.125f, 30, 5, 1, 33, {1, 2, 3}}));

  ASSERT_EQ(data.JwcTexts.size(), 3u);
  // Base line, pool position, text type, layer, flags, spare, text; type 0 is accepted as it is.
  EXPECT_EQ(data.JwcTexts[0], (TMoji2{1, 2, 11, 2, 0, 0, 3, 0x20, 0, "abc"}));
  EXPECT_EQ(data.JwcTexts[1], (TMoji2{3, 4, 3, 14, 0x60004, 10, 200, 0, 9, "\x8e\x9a"}));
  EXPECT_EQ(data.JwcTexts[2], (TMoji2{5, 6, 7, 8, 7, 4, 0, 0, 0, "$F %d"}));

  EXPECT_EQ(data.JwcPoints, d.Points);
}

INSTANTIATE_TEST_SUITE_P(FormatMark, JwcRoundTrip, ::testing::Bool());

TEST(JwcFormatMark, WordScalesAreUnsignedAndShiftEverythingAfterThemBy32Bytes) {
  EXPECT_EQ(WriteJwc(SampleJwcDrawing(true)).size(), WriteJwc(SampleJwcDrawing(false)).size() + 32);
  JwcDrawing d = SampleJwcDrawing(false);
  d.Groups[3].Scale = 65535;
  JwcData data;
  ASSERT_TRUE(Read(d, data).Ok);
  EXPECT_EQ(data.JwcGroups[3].Scale, 65535.0f);
  // Only the letter "f" marks single scales.
  std::string file = WriteJwc(SampleJwcDrawing(true));
  file[22] = 'F';
  EXPECT_TRUE(ReadJwcData(file, data).Ok);  // the 32 bytes too many end up after the names
  EXPECT_FALSE(data.JwcHeader.FormatMark);
  EXPECT_NE(data.JwcLines, SampleJwcDrawing(true).Lines);  // read 32 bytes early
}

// ---- Header ----

TEST(JwcHeader, ScaleIsLongSideOverDivisorWithDivisor518WhenZeroMissingOrNegative) {
  EXPECT_EQ(ParseBlocks("0,0,0,0,0,0,0,0,0,0,0,3").Scale, static_cast<float>(420.0L / 518));
  std::string fields = "0,0,0,0,0,0,0,0,0,0,0,3,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,";
  jwcunit::THeader zero = ParseBlocks(fields + "0");
  EXPECT_EQ(zero.ScaleDivisor, 518);
  EXPECT_EQ(zero.Scale, static_cast<float>(420.0L / 518));
  EXPECT_EQ(ParseBlocks(fields + "-50").ScaleDivisor, 518);
  EXPECT_EQ(ParseBlocks(fields + "junk").ScaleDivisor, 518);
  EXPECT_EQ(ParseBlocks(fields + "100").Scale, 4.2f);
}

TEST(JwcHeader, LongSideFollowsThePaperCodeAndOtherCodesGiveScale1) {
  const std::pair<int, float> sides[] = {{0, 1189}, {1, 841},  {2, 594},   {3, 420},   {4, 297},
                                         {8, 1682}, {9, 2378}, {10, 3364}, {11, 4756}, {5, 0},
                                         {6, 0},    {7, 0},    {12, 0},    {-1, 0}};
  for (auto [paper, side] : sides) {
    JwcDrawing d;
    d.PaperSize = paper;
    d.ScaleDivisor = 100;
    JwcData data;
    ASSERT_TRUE(Read(d, data).Ok);
    const float scale = side ? static_cast<float>(static_cast<long double>(side) / 100) : 1.0f;
    EXPECT_EQ(data.JwcHeader.Scale, scale) << paper;
  }
}

TEST(JwcHeader, NamedFieldsComeFromTheirPlacesAndBadNumbersReadZero) {
  jwcunit::THeader h = ParseBlocks("4,3,2,1,9,9,9,9,9,1.5,9,8,9,9,1,1,1,1,-3725,9");
  EXPECT_EQ(h.LineCount, 4);
  EXPECT_EQ(h.ArcCount, 3);
  EXPECT_EQ(h.TextCount, 2);
  EXPECT_EQ(h.PointCount, 1);
  EXPECT_EQ(h.PaperSize, 8);
  EXPECT_EQ(h.DrawingTime, -3725);
  EXPECT_EQ(h.PoolStart, 0x60000);
  EXPECT_EQ(h.PoolEnd, 0x60010);
  jwcunit::THeader bad = ParseBlocks("x,1e3,,7y");
  EXPECT_EQ(bad.LineCount, 0);
  EXPECT_EQ(bad.ArcCount, 0);
  EXPECT_EQ(bad.TextCount, 0);
  EXPECT_EQ(bad.PointCount, 0);
}

TEST(JwcHeader, TextsAreTakenByPosition) {
  JwcDrawing d;
  d.Memo = std::string(32, 'M');  // fills its place: ends where the third text begins
  d.ThirdText = "T";
  JwcData data;
  ASSERT_TRUE(Read(d, data).Ok);
  EXPECT_EQ(data.JwcHeader.Memo, std::string(32, 'M'));
  EXPECT_EQ(data.JwcHeader.ThirdText, "T");
}

TEST(JwcHeader, PoolFieldsAreSegmentAndOffsetInHexadecimal) {
  jwcunit::THeader h = ParseBlocks("", "abcd:0001,FFFF:FFFF");
  EXPECT_EQ(h.PoolStart, 0xABCD * 16 + 1);
  EXPECT_EQ(h.PoolEnd, 0xFFFF * 16 + 0xFFFF);
  for (std::string bad : {"60G0:0000,6000:0000", "6000:0000,6000", "6000:0000", "0,0", "",
                          " 600:0000,6000:0000", "6000:00x0,6000:0000", "-600:0000,6000:0000"}) {
    EXPECT_THROW(ParseBlocks("", bad), EReadError) << bad;
  }
  for (std::string bad : {"60G0:0000", "6000", "0", ""}) {
    JwcDrawing d;
    d.FieldOverrides[{3, 1}] = bad;
    JwcData data;
    JwcReadResult result = Read(d, data);
    EXPECT_FALSE(result.Ok) << bad;
    EXPECT_FALSE(result.Error.empty());
  }
}

// ---- Repairs ----

TEST(JwcRepairs, LinesArcsAndPointsWithCodesOutOfRangeBecomeHarmlessRecords) {
  JwcDrawing d;
  const TJwcLine good{.X1 = 1, .Y1 = 2, .X2 = 3, .Y2 = 4, .LineType = 1, .PenColor = 6, .Layer = 9};
  for (auto [type, pen] : {std::pair{1, 0}, {1, 7}, {0, 1}, {20, 1}}) {
    TJwcLine bad = good;
    bad.LineType = static_cast<uint8_t>(type);
    bad.PenColor = static_cast<uint8_t>(pen);
    bad.CurveChain = 0x80;
    bad.Flags = 0x40;
    bad.Spare = 3;
    d.Lines.push_back(bad);
  }
  d.Lines.push_back({.LineType = 19, .PenColor = 1});
  // Centre, radius, ratio, start, end and axis angle, line type, pen, layer, spare.
  d.Arcs = {{5, 0, 9, 3000, 7, 0, 0, 0, 1, 4, {1, 1, 1}}, {0, 0, 0, 10000, 0, 0, 0, 19, 6, 0, {}}};
  d.Points = {{.X = 5, .Y = 6, .Layer = 7, .PenColor = 0, .Spare = {1, 2}},
              {.X = 5, .Y = 6, .Layer = 7, .PenColor = 7},
              {.X = 5, .Y = 6, .Layer = 7, .PenColor = 6}};
  JwcData data;
  JwcReadResult result = Read(d, data);
  ASSERT_TRUE(result.Ok);
  EXPECT_EQ(result.Repairs, 4 + 1 + 2);

  const TJwcLine repairedLine{.LineType = 9, .PenColor = 1};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(data.JwcLines[i], repairedLine) << i;
  EXPECT_EQ(data.JwcLines[4], d.Lines[4]);
  const TJwcArc repairedArc{.Ratio = 1.0f, .LineType = 9, .PenColor = 1};
  EXPECT_EQ(data.JwcArcs[0], repairedArc);
  EXPECT_EQ(data.JwcArcs[1].LineType, 19);
  const TJwcPoint repairedPoint{.PenColor = 1};
  EXPECT_EQ(data.JwcPoints[0], repairedPoint);
  EXPECT_EQ(data.JwcPoints[1], repairedPoint);
  EXPECT_EQ(data.JwcPoints[2], d.Points[2]);
}

TEST(JwcRepairs, TextTypesAbove10BecomeType1AtTheOriginKeepingTheirText) {
  JwcDrawing d;
  d.Pool = std::string("kept\0", 5);
  d.Texts = {{.X = 1, .Y = 2, .X2 = 3, .Y2 = 4, .TextType = 11, .Layer = 5, .Flags = 0x20},
             {.X = 1, .TextType = 255},
             {.X = 1, .TextType = 10},
             {.X = 1, .TextType = 0}};
  JwcData data;
  JwcReadResult result = Read(d, data);
  ASSERT_TRUE(result.Ok);
  EXPECT_EQ(result.Repairs, 2);
  EXPECT_EQ(data.JwcTexts[0], (TMoji2{0, 0, 0, 0, 0, 1, 5, 0x20, 0, "kept"}));
  EXPECT_EQ(data.JwcTexts[1].TextType, 1);
  EXPECT_EQ(data.JwcTexts[2].TextType, 10);
  EXPECT_EQ(data.JwcTexts[3].TextType, 0);
  EXPECT_EQ(data.JwcTexts[3].X, 1.0f);
}

TEST(JwcRepairs, NoticeCarriesTheCountAlsoWhenTheReadFailsLater) {
  JwcDrawing d;
  d.Lines = {{.LineType = 0, .PenColor = 1}, {.LineType = 1, .PenColor = 7}};
  d.Texts = {{.TextType = 11}};
  JwcData data;
  JwcReadResult result = Read(d, data);
  EXPECT_TRUE(result.Ok);
  EXPECT_EQ(result.Repairs, 3);
  EXPECT_EQ(result.Notice, "データエラーが3個見つかりましたが、訂正を行いました。");
  EXPECT_EQ(JwcRepairNotice(12), "データエラーが12個見つかりましたが、訂正を行いました。");

  d.Lines.pop_back();
  d.Texts.clear();
  d.Points = {{.PenColor = 1}};
  std::string file = WriteJwc(d);
  file.resize(file.size() - 2304 - 5);  // cut inside the point
  result = ReadJwcData(file, data);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Repairs, 1);
  EXPECT_EQ(result.Notice, "データエラーが1個見つかりましたが、訂正を行いました。");
}

// ---- Text pool ----

// A pool of 20 bytes that starts at 0x10: positions above 20 are absolute.
JwcDrawing PoolDrawing(std::initializer_list<std::pair<uint16_t, uint16_t>> segmentOffsets) {
  JwcDrawing d;
  d.PoolStart = 0x10;
  d.Pool = std::string("0123456789ABCDEFGHI\0", 20);
  for (auto [segment, offset] : segmentOffsets) {
    d.Texts.push_back({.PoolOffset = offset, .PoolSegment = segment, .TextType = 1});
  }
  return d;
}

TEST(JwcPool, PositionsUpToThePoolSizeAreRelativeAndLargerOnesAbsolute) {
  JwcData data;
  ASSERT_TRUE(Read(PoolDrawing({{0, 3}, {0, 20}, {1, 5}, {0, 22}}), data).Ok);
  EXPECT_EQ(data.JwcTexts[0].Text, "3456789ABCDEFGHI");
  EXPECT_EQ(data.JwcTexts[1].Text, "");  // equal to the size: relative, at the pool's end
  EXPECT_EQ(data.JwcTexts[2].Text, "56789ABCDEFGHI");  // 21 - 16
  EXPECT_EQ(data.JwcTexts[3].Text, "6789ABCDEFGHI");   // 22 - 16
}

TEST(JwcPool, PositionsOutsideThePoolGiveEmptyTextsAndTheLastStringEndsWithThePool) {
  JwcDrawing d = PoolDrawing({{0xFFFF, 0xFFFF}, {0x0000, 0x0015}, {0, 2}});
  d.PoolStart = 0x60000;  // 21 - 0x60000 lies before the pool
  d.Pool = "no NUL";
  JwcData data;
  ASSERT_TRUE(Read(d, data).Ok);
  EXPECT_EQ(data.JwcTexts[0].Text, "");
  EXPECT_EQ(data.JwcTexts[1].Text, "");
  EXPECT_EQ(data.JwcTexts[2].Text, " NUL");
}

TEST(JwcPool, AnEmptyOrNegativePoolReadsNoBytesAndLeavesTextsEmpty) {
  for (std::string end : {"6000:0000", "0000:0000"}) {
    JwcDrawing d;
    d.Texts = {{.TextType = 1}};
    d.Points = {{.X = 4, .PenColor = 2}};
    d.FieldOverrides[{3, 1}] = end;
    JwcData data;
    ASSERT_TRUE(Read(d, data).Ok) << end;
    EXPECT_EQ(data.JwcTexts[0].Text, "");
    EXPECT_EQ(data.JwcPoints[0].X, 4.0f);
  }
}

TEST(JwcPool, APoolLargerThanTheRestOfTheFileIsRefused) {
  JwcDrawing d;
  d.Texts = {{.TextType = 1}};
  d.FieldOverrides[{3, 1}] = "FFFF:FFFF";
  JwcData data;
  JwcReadResult result = Read(d, data);
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(result.Error.empty());
  EXPECT_EQ(data.JwcTexts.size(), 1u);
}

// ---- Short and hostile files ----

TEST(JwcFailures, TextsRepeatingALongStringBeyondTheTextBudgetAreRefused) {
  JwcDrawing d;
  d.Pool = std::string(65536, 'x');
  d.Texts.resize(TextPool::kMaxTextBytes / 65536 + 1, {.TextType = 1});
  JwcData data;
  EXPECT_FALSE(Read(d, data).Ok);
  d.Texts.resize(10);
  ASSERT_TRUE(Read(d, data).Ok);
  EXPECT_EQ(data.JwcTexts[9].Text.size(), 65536u);
}

TEST(JwcFailures, AFileCutInsideThePointsKeepsTheRecordsBeforeTheCut) {
  JwcDrawing d = SampleJwcDrawing();
  std::string file = WriteJwc(d);
  file.resize(file.size() - 2304 - 13);  // names and half of the last point gone
  JwcData data;
  JwcReadResult result = ReadJwcData(file, data);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(data.JwcLines, d.Lines);
  EXPECT_EQ(data.JwcArcs.size(), 2u);
  ASSERT_EQ(data.JwcTexts.size(), 3u);
  EXPECT_EQ(data.JwcTexts[0].Text, "abc");
  EXPECT_TRUE(data.JwcPoints.empty());
  EXPECT_EQ(data.JwcLayers[5].Name, "");
}

TEST(JwcFailures, HugeAndNegativeCountsAllocateNothingLarge) {
  for (int field = 0; field < 4; ++field) {
    for (std::string count : {"4294967295", "2147483647", "-1", "-2147483648", "99999"}) {
      JwcDrawing d = SampleJwcDrawing();
      d.FieldOverrides[{1, field}] = count;
      JwcData data;
      JwcReadResult result = Read(d, data);
      // 0xFFFFFFFF is no 32-bit integer and reads as 0; the others cannot fit in the file.
      if (count != "4294967295") {
        EXPECT_FALSE(result.Ok) << field << " " << count;
      }
      EXPECT_LE(data.JwcLines.capacity(), 2u);
      EXPECT_LE(data.JwcArcs.capacity(), 2u);
      EXPECT_LE(data.JwcTexts.capacity(), 3u);
      EXPECT_LE(data.JwcPoints.capacity(), 2u);
    }
  }
}

// ---- Files ----

TEST(JwcFiles, ReadingReplacesTheTables) {
  const std::string sample = WriteJwc(SampleJwcDrawing());
  JwcData data;
  ASSERT_TRUE(ReadJwcData(sample, data).Ok);
  EXPECT_EQ(data.JwcTexts.size(), 3u);
  ASSERT_TRUE(ReadJwcData(WriteJwc(JwcDrawing{}), data).Ok);
  EXPECT_TRUE(data.JwcTexts.empty());
  EXPECT_EQ(data.JwcGroups[1].Name, "");

  ASSERT_TRUE(ReadJwcData(sample, data).Ok);
  const JwcReadResult cut = ReadJwcData(std::string_view(sample).substr(0, 100), data);
  EXPECT_FALSE(cut.Ok);
  EXPECT_FALSE(cut.Error.empty());
  EXPECT_TRUE(data.JwcLines.empty());
  EXPECT_EQ(data.JwcHeader.PoolStart, 393216);  // cleared to the defaults
  EXPECT_EQ(data.JwcHeader.PoolEnd, 589825);
  EXPECT_EQ(data.JwcHeader.PaperSize, 3);
  EXPECT_TRUE(data.JwcHeader.FormatMark);
}

}  // namespace
}  // namespace kyrovane
