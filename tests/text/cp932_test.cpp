#include "text/cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kyrovane::cp932 {
namespace {

TEST(Cp932Bytes, LeadAndTrailRanges) {
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xDF));  // half-width katakana stands alone
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0xFD));
  EXPECT_FALSE(IsTrailByte(0x3F));
  EXPECT_TRUE(IsTrailByte(0x40));
  EXPECT_FALSE(IsTrailByte(0x7F));
  EXPECT_TRUE(IsTrailByte(0x80));
  EXPECT_TRUE(IsTrailByte(0xFC));
  EXPECT_FALSE(IsTrailByte(0xFD));
}

TEST(Cp932Bytes, CharacterBoundaries) {
  // "A", "あ" (82 A0), half-width "ｱ" (B1), and a lone lead byte at the end.
  std::string text = "A\x82\xA0\xB1\x88";
  EXPECT_EQ(CharLength(text, 0), 1u);
  EXPECT_EQ(CharLength(text, 1), 2u);
  EXPECT_EQ(CharLength(text, 3), 1u);
  EXPECT_EQ(CharLength(text, 4), 1u);
  EXPECT_EQ(CountChars(text), 4u);
  EXPECT_EQ(CountChars(""), 0u);
}

TEST(Cp932Bytes, TrailBytesAgreeWithAForwardWalk) {
  // Every text of up to five bytes over bytes that are single, lead only, lead and trail, and
  // trail only: the backward look at one position must match walking the characters from the
  // start.
  const unsigned char alphabet[] = {0x41, 0x40, 0x81, 0x9F, 0xE0, 0xA0, 0xFC};
  for (int length = 1; length <= 5; ++length) {
    int combinations = 1;
    for (int i = 0; i < length; ++i) combinations *= 7;
    for (int n = 0; n < combinations; ++n) {
      std::string text;
      for (int i = 0, rest = n; i < length; ++i, rest /= 7) {
        text.push_back(static_cast<char>(alphabet[rest % 7]));
      }
      std::vector<bool> trail(text.size(), false);
      for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) {
        if (CharLength(text, pos) == 2) trail[pos + 1] = true;
      }
      for (std::size_t pos = 0; pos < text.size(); ++pos) {
        ASSERT_EQ(IsTrailAt(text, pos), trail[pos]) << "position " << pos << " of case " << n;
      }
    }
  }
}

TEST(Cp932Conversion, JapaneseRoundTrip) {
  std::string sjis = "\x93\xFA\x96\x7B\x8C\xEA";  // 日本語
  EXPECT_EQ(ToUtf8(sjis), "日本語");
  EXPECT_EQ(FromUtf8("日本語"), sjis);
  EXPECT_EQ(ToUtf16(sjis), u"日本語");
}

TEST(Cp932Conversion, WindowsMappingsNotJisOnes) {
  // CP932 keeps 0x5C as the backslash of Windows paths and maps the wave dash to U+FF5E.
  EXPECT_EQ(ToUtf8("C:\\a"), "C:\\a");
  EXPECT_EQ(ToUtf16("\x81\x60"), u"\uFF5E");
  EXPECT_EQ(FromUtf8("\xE2\x91\xA0"), "\x87\x40");  // circled digit one, an NEC extension
}

TEST(Cp932Conversion, BadBytesCostOnlyThemselves) {
  // A lead byte followed by a byte that is no trail byte, then plain text.
  std::u16string out = ToUtf16(std::string("\x81\x20") + "ok");
  EXPECT_EQ(out, std::u16string(1, kReplacement) + u"ok");
  EXPECT_EQ(ToUtf16("ab\x82"), u"ab" + std::u16string(1, kReplacement));
  EXPECT_EQ(FromUtf8("a\xF0\x9F\x98\x80z"), "a?z");  // no emoji in CP932
  EXPECT_EQ(FromUtf8("\xE3\x81"), "?");              // cut UTF-8 sequence
}

}  // namespace
}  // namespace kyrovane::cp932
