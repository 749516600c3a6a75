#include "pdf/PdfJpCMap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace kyrovane {
namespace {

// The "cidrange" rows of a published CMap file, in file order.
std::vector<TCIDRange> ReadCidRanges(const std::filesystem::path& path) {
  const std::string text = test::ReadFile(path);
  std::vector<TCIDRange> rows;
  const std::regex block("begincidrange([\\s\\S]*?)endcidrange");
  const std::regex row("<([0-9a-fA-F]+)>\\s*<([0-9a-fA-F]+)>\\s*([0-9]+)");
  for (std::sregex_iterator b(text.begin(), text.end(), block), end; b != end; ++b) {
    const std::string body = (*b)[1];
    for (std::sregex_iterator r(body.begin(), body.end(), row); r != end; ++r) {
      rows.push_back({static_cast<std::uint16_t>(std::stoi((*r)[1], nullptr, 16)),
                      static_cast<std::uint16_t>(std::stoi((*r)[2], nullptr, 16)),
                      static_cast<std::uint16_t>(std::stoi((*r)[3]))});
    }
  }
  return rows;
}

// Every code of every row of the published CMap maps to that row's CID, and the table maps no
// code the CMap leaves out.
void ExpectSameMapping(const std::string& cmapName, std::span<const TCIDRange> table,
                       TCharToCID lookup) {
  SCOPED_TRACE(cmapName);
  const std::filesystem::path cmap = "/usr/share/poppler/cMap/Adobe-Japan1/" + cmapName;
  ASSERT_TRUE(std::filesystem::exists(cmap)) << "poppler-data is needed for this check";
  const std::vector<TCIDRange> published = ReadCidRanges(cmap);
  ASSERT_GT(published.size(), 160u);
  std::map<int, int> expected;  // code -> CID
  for (const TCIDRange& row : published) {
    for (int code = row.First; code <= row.Last; ++code) {
      expected[code] = row.FirstCID + code - row.First;
    }
  }
  std::size_t covered = 0;
  for (const TCIDRange& row : table) covered += row.Last - row.First + 1u;
  EXPECT_EQ(covered, expected.size());
  for (const auto& [code, cid] : expected) {
    const std::string text =
        code < 0x100 ? std::string(1, static_cast<char>(code))
                     : std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    ASSERT_EQ(lookup(text, 0), cid) << std::hex << code;
  }
}

TEST(JpCMapTables, MapEveryCodeAsThePublishedCMapsDo) {
  ExpectSameMapping("90ms-RKSJ-H", CIDRanges90ms(), CharToCID90ms);
  ExpectSameMapping("90msp-RKSJ-H", CIDRanges90msp(), CharToCID90msp);
}

TEST(JpCharToCID, SingleBytes) {
  EXPECT_EQ(CharToCID90ms("A", 0), 264);
  EXPECT_EQ(CharToCID90ms(" ", 0), 231);
  EXPECT_EQ(CharToCID90ms("}", 0), 324);
  EXPECT_EQ(CharToCID90ms("~", 0), 631);
  EXPECT_EQ(CharToCID90msp(" ", 0), 1);
  EXPECT_EQ(CharToCID90msp("A", 0), 34);
  EXPECT_EQ(CharToCID90msp("~", 0), 95);
  // Half-width katakana "ｱ" (0xB1) and the ends of their range.
  EXPECT_EQ(CharToCID90ms("\xB1", 0), 343);
  EXPECT_EQ(CharToCID90ms("\xA0", 0), 326);
  EXPECT_EQ(CharToCID90ms("\xDF", 0), 389);
  EXPECT_EQ(CharToCID90msp("\xDF", 0), 389);
  // Codes no range holds.
  EXPECT_EQ(CharToCID90ms("\x80", 0), 0);
  EXPECT_EQ(CharToCID90ms("\x1F", 0), 0);
  EXPECT_EQ(CharToCID90ms("\xFD", 0), 0);
  EXPECT_EQ(CharToCID90msp("\x80", 0), 0);
}

TEST(JpCharToCID, DoubleBytesCountAtTheirLeadByte) {
  const std::string text = "A\x82\xA0\x88\x9F\xFC\x4B";  // A, あ, 亜, the last mapped code
  EXPECT_EQ(CharToCID90ms(text, 1), 843);
  EXPECT_EQ(CharToCID90ms(text, 2), -1);
  EXPECT_EQ(CharToCID90ms(text, 3), 1125);
  EXPECT_EQ(CharToCID90ms(text, 4), -1);
  EXPECT_EQ(CharToCID90ms(text, 5), 8717);
  EXPECT_EQ(CharToCID90msp(text, 5), 8717);
  EXPECT_EQ(CharToCID90ms(text, 6), -1);
  EXPECT_EQ(CharToCID90ms("\x81\x40", 0), 633);
  EXPECT_EQ(CharToCID90ms("\x81\xFC", 0), 779);
  EXPECT_EQ(CharToCID90ms("\xFC\x4C", 0), 0);  // just past the last row
  EXPECT_EQ(CharToCID90ms("\x85\x40", 0), 0);  // a gap between rows
}

TEST(JpCharToCID, TrailBytesThatLookLikeLeadBytes) {
  // 0x9F and 0xE0 are lead bytes and trail bytes: only the walk from the start tells.
  const std::string text = "\x88\x9F\x88\x9F\xE0\xE0";
  EXPECT_EQ(CharToCID90ms(text, 0), 1125);
  EXPECT_EQ(CharToCID90ms(text, 1), -1);
  EXPECT_EQ(CharToCID90ms(text, 2), 1125);
  EXPECT_EQ(CharToCID90ms(text, 3), -1);
  EXPECT_EQ(CharToCID90ms(text, 4), 0xE0E0 - 0xE080 + 5563);
  EXPECT_EQ(CharToCID90ms(text, 5), -1);
}

TEST(JpCharToCID, LoneLeadByteAtTheEndReadsNothingBeyond) {
  // The view ends at the lead byte; the byte after it in memory would make "あ".
  const std::string memory = "A\x82\xA0";
  const std::string_view text(memory.data(), 2);
  EXPECT_EQ(CharToCID90ms(text, 1), 0);
  EXPECT_EQ(CharToCID90msp(text, 1), 0);
  EXPECT_EQ(CharToCID90ms(text, 2), 0);  // past the end
  EXPECT_EQ(CharToCID90ms("", 0), 0);
}

}  // namespace
}  // namespace kyrovane
