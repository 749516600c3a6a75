#include "pdf/PdfCIDWidths.h"
#include "pdf/PdfJpWidths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdf/PdfJpCMap.h"

namespace kyrovane {
namespace {

std::vector<TPdfCIDWidthItem> FixedRuns() {
  return {{kHalfWidthFirstCID, kHalfWidthLastCID, kHalfWidth}};
}

// One item per CID, as the "start [w ...]" form of a "W" array is read.
std::vector<TPdfCIDWidthItem> ProportionalRuns() {
  std::vector<TPdfCIDWidthItem> items;
  for (const TJpWidthRun& run : ProportionalWidthRuns()) {
    for (std::size_t k = 0; k < run.Widths.size(); ++k) {
      const int cid = run.StartCID + static_cast<int>(k);
      items.push_back({cid, cid, run.Widths[k]});
    }
  }
  return items;
}

int GothicWidth(std::string_view text, std::size_t position) {
  return CharWidthByCID(CharToCID90ms, FixedRuns(), 1000, 500, text, position);
}

int PGothicWidth(std::string_view text, std::size_t position) {
  return CharWidthByCID(CharToCID90msp, ProportionalRuns(), 1000, 500, text, position);
}

// Sum of the character widths, as the canvas measures a text.
int TextWidth(int (*width)(std::string_view, std::size_t), std::string_view text) {
  int total = 0;
  for (std::size_t i = 0; i < text.size(); ++i) total += width(text, i);
  return total;
}

TEST(JpWidthData, ProportionalRunsHaveTheirStartsAndLengths) {
  const std::vector<std::pair<int, std::size_t>> expected = {
      {1, 95},   {326, 64}, {633, 63}, {771, 8},  {780, 10},
      {790, 26}, {816, 26}, {842, 83}, {925, 63}, {988, 23}};
  const auto runs = ProportionalWidthRuns();
  ASSERT_EQ(runs.size(), expected.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].StartCID, expected[i].first);
    EXPECT_EQ(runs[i].Widths.size(), expected[i].second);
    for (std::uint16_t w : runs[i].Widths) {
      EXPECT_GT(w, 0);
      EXPECT_LE(w, 1000);
    }
  }
}

TEST(JpWidthData, ProportionalSampleValues) {
  const auto runs = ProportionalWidthRuns();
  const std::vector<std::uint16_t> roman(runs[0].Widths.begin(), runs[0].Widths.begin() + 12);
  EXPECT_EQ(roman, (std::vector<std::uint16_t>{305, 219, 500, 500, 500, 500, 594, 203, 305, 305,
                                               500, 500}));
  const std::vector<std::uint16_t> at771(runs[3].Widths.begin(), runs[3].Widths.end());
  EXPECT_EQ(at771, (std::vector<std::uint16_t>{1000, 1000, 1000, 1000, 1000, 500, 500, 500}));
  for (std::uint16_t w : runs[4].Widths) EXPECT_EQ(w, 684);  // full-width digits
}

TEST(JpCharWidth, FixedPitch) {
  EXPECT_EQ(GothicWidth("A", 0), 500);
  EXPECT_EQ(GothicWidth("~", 0), 500);     // CID 631, the last half-width form
  EXPECT_EQ(GothicWidth("\xB1", 0), 500);  // half-width katakana
  EXPECT_EQ(GothicWidth("\x80", 0), 500);  // unmapped: CID 0, missing width
  const std::string aa = "\x82\xA0";       // あ
  EXPECT_EQ(GothicWidth(aa, 0), 1000);     // no run: the default width
  EXPECT_EQ(GothicWidth(aa, 1), 0);        // the trail byte adds nothing
  EXPECT_EQ(GothicWidth("\x81\x40", 0), 1000);
  EXPECT_EQ(GothicWidth("\xFC\x4B", 0), 1000);
}

TEST(JpCharWidth, Proportional) {
  EXPECT_EQ(PGothicWidth(" ", 0), 305);
  EXPECT_EQ(PGothicWidth("!", 0), 219);
  EXPECT_EQ(PGothicWidth("&", 0), 594);
  EXPECT_EQ(PGothicWidth("~", 0), 500);         // CID 631 has no run: missing width
  EXPECT_EQ(PGothicWidth("\x82\x4F", 0), 684);  // full-width ０
  EXPECT_EQ(PGothicWidth("\x82\x4F", 1), 0);
  EXPECT_EQ(PGothicWidth("\x81\xF0", 0), 1000);  // CID 771
  EXPECT_EQ(PGothicWidth("\x81\xF5", 0), 500);   // CID 776
  EXPECT_EQ(PGothicWidth("\x88\x9F", 0), 1000);  // 亜: beyond every run, default width
  EXPECT_EQ(PGothicWidth("\x80", 0), 500);
}

TEST(JpCharWidth, LoneLeadByteAtTheEnd) {
  const std::string memory = "A\x82\xA0";
  const std::string_view text(memory.data(), 2);
  // CID 0 has no width; the lead byte counts as a double-byte character.
  EXPECT_EQ(GothicWidth(text, 1), 1000);
  EXPECT_EQ(GothicWidth(text, 2), 0);
}

TEST(JpCharWidth, RunsAreSearchedInOrder) {
  // The first run that ends at or after the CID decides, even when a later one holds it.
  const std::vector<TPdfCIDWidthItem> runs = {{300, 400, 700}, {100, 500, 600}};
  EXPECT_EQ(CIDWidth(runs, 350), 700);
  EXPECT_EQ(CIDWidth(runs, 200), 0);
  EXPECT_EQ(CIDWidth(runs, 450), 600);
  EXPECT_EQ(CIDWidth(runs, 501), 0);
  EXPECT_EQ(CIDWidth({}, 1), 0);
}

TEST(JpTextWidth, MixedShiftJisRuns) {
  // "Aあｱ漢" in Gothic: 500 + 1000 + 500 + 1000.
  const std::string text = "A\x82\xA0\xB1\x8A\xBF";
  EXPECT_EQ(TextWidth(GothicWidth, text), 3000);
  // In PGothic: A 633, あ (CID 843) 941, ｱ (CID 343) 617, 漢 1000.
  EXPECT_EQ(TextWidth(PGothicWidth, text), 633 + 941 + 617 + 1000);
}

}  // namespace
}  // namespace kyrovane
