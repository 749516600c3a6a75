// Number, text and date formatting of the PDF syntax.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "pdf/PdfDate.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfText.h"

namespace kyrovane {
namespace {

TEST(PdfNumberText, ThreeDecimalsWithoutTrailingZerosNorMinusZero) {
  EXPECT_EQ(FloatToStrR(596), "596");
  EXPECT_EQ(FloatToStrR(0.5), "0.5");
  EXPECT_EQ(FloatToStrR(2.0L / 3), "0.667");
  EXPECT_EQ(FloatToStrR(-11), "-11");
  EXPECT_EQ(FloatToStrR(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStrR(1.23456), "1.235");
  EXPECT_EQ(FloatToStrR(123456789.5), "123456789.5");
  EXPECT_EQ(FloatToStrR(-0.25), "-0.25");
  // Tiny values are zero, never minus zero.
  EXPECT_EQ(FloatToStrR(0.0004), "0");
  EXPECT_EQ(FloatToStrR(-0.0001), "0");
  EXPECT_EQ(FloatToStrR(-0.0L), "0");
  EXPECT_EQ(FloatToStrR(-0.0004), "0");
}

TEST(PdfNumberText, HalvesGoToEvenButWidthsAndColoursRoundUp) {
  // 17/16 and 19/16 are exact, so their thousandths are exact halves.
  EXPECT_EQ(FloatToStrR(1.0625), "1.062");
  EXPECT_EQ(FloatToStrR(1.1875), "1.188");
  EXPECT_EQ(FloatToStrR(-1.0625), "-1.062");
  EXPECT_EQ(FloatToStrRounded(1.0625), "1.063");
  EXPECT_EQ(FloatToStrRounded(0.0005), "0.001");
  EXPECT_EQ(FloatToStrRounded(1.0L / 255), "0.004");
  EXPECT_EQ(FloatToStrRounded(128.0L / 255), "0.502");
  EXPECT_EQ(FloatToStrRounded(1), "1");
}

// The rule as written: Round(v x 1000) / 1000 in general format with 15 significant digits;
// the appending forms give the same texts as the string forms.
TEST(PdfNumberText, AgreesWithRoundingThenPrintingFifteenDigits) {
  auto appended = [](auto append, long double value) {
    std::string text = "x";
    append(text, value);
    return text.substr(1);
  };
  const long double inf = std::numeric_limits<long double>::infinity();
  for (long double value : {0.0L, -0.0L, 0.0005L, -0.0005L, 0.0015L, 2.5e-4L, 1.0005L, -1.2345L,
                            999999999999.9994L, 999999999999.9996L, 1e12L, -1e13L, 1e20L,
                            std::nanl(""), inf, -inf, 128.0L / 255, 1.0L / 255}) {
    EXPECT_EQ(appended(AppendFloatR, value), FloatToStrR(value)) << static_cast<double>(value);
    EXPECT_EQ(appended(AppendFloatRounded, value), FloatToStrRounded(value))
        << static_cast<double>(value);
  }
  unsigned state = 7;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1664525 + 1013904223;
    long double magnitude = std::pow(10.0L, static_cast<int>(state % 19) - 4);
    long double value = (static_cast<long double>(state >> 8) / (1 << 24) - 0.5L) * magnitude;
    if (i % 4 == 0) value = std::nearbyintl(value * 2000) / 2000;  // halfway between thousandths
    long double rounded = std::nearbyintl(value * 1000) / 1000;
    std::string expected = rounded == 0 ? "0" : FloatToStrGeneral(rounded, 15);
    ASSERT_EQ(FloatToStrR(value), expected) << static_cast<double>(value);
    ASSERT_EQ(appended(AppendFloatR, value), expected) << static_cast<double>(value);
    ASSERT_EQ(appended(AppendFloatRounded, value), FloatToStrRounded(value))
        << static_cast<double>(value);
  }
}

TEST(PdfNumberText, ValuesThatWouldBreakTheFileAreTamed) {
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(FloatToStrR(std::nanl("")), "0");
  EXPECT_EQ(FloatToStrR(inf), "0");
  EXPECT_EQ(FloatToStrR(-inf), "0");
  EXPECT_EQ(FloatToStrRounded(std::nanl("")), "0");
  // Beyond the 32-bit integers that every reader takes, numbers are cut to them.
  EXPECT_EQ(FloatToStrR(2147483646.9996L), "2147483647");
  EXPECT_EQ(FloatToStrR(2147483647.4L), "2147483647");
  EXPECT_EQ(FloatToStrR(1e20L), "2147483647");
  EXPECT_EQ(FloatToStrR(-1e300L), "-2147483647");
  EXPECT_EQ(FloatToStrR(std::numeric_limits<long double>::max()), "2147483647");
  EXPECT_EQ(FloatToStrRounded(1e4000L), "2147483647");
}

TEST(PdfNumberText, GeneralFormatNeverUsesAnExponent) {
  EXPECT_EQ(FloatToStrGeneral(1.0 / 3, 15), "0.333333333333333");
  EXPECT_EQ(FloatToStrGeneral(1e-7, 15), "0.0000001");
  EXPECT_EQ(FloatToStrGeneral(-2.5e-5, 15), "-0.000025");
  EXPECT_EQ(FloatToStrGeneral(1e300, 15), "2147483647");
  EXPECT_EQ(FloatToStrGeneral(1e-30, 15), "0");
  EXPECT_EQ(FloatToStrGeneral(std::nan(""), 15), "0");
  EXPECT_EQ(FloatToStrGeneral(12, 15), "12");
}

TEST(PdfDates, FourteenDigitsOfLocalTime) {
  EXPECT_EQ(DateTimeToPdfDate(EncodeDateTime(2025, 1, 2, 3, 4, 5)), "D:20250102030405");
  EXPECT_EQ(DateTimeToPdfDate(EncodeDateTime(1999, 12, 31, 23, 59, 59)), "D:19991231235959");
  EXPECT_EQ(DateTimeToPdfDate(0), "D:18991230000000");
  EXPECT_EQ(DateTimeToPdfDate(EncodeDateTime(1850, 6, 15, 12, 0, 0)), "D:18500615120000");
  // Milliseconds round into the next day.
  TDateTime almostMidnight = EncodeDateTime(2024, 2, 28, 23, 59, 59) + 0.9996 / 86400;
  EXPECT_EQ(DateTimeToPdfDate(almostMidnight), "D:20240229000000");
  // Dates outside the calendar are clamped.
  EXPECT_EQ(DateTimeToPdfDate(std::nan("")), "D:18991230000000");
  EXPECT_EQ(DateTimeToPdfDate(1e12), "D:99991231235959");
  EXPECT_EQ(DateTimeToPdfDate(-1e12), "D:00010101000000");
}

TEST(PdfEscapes, LiteralStringBytes) {
  EXPECT_EQ(EscapeText("a(b)\\"), "a\\(b\\)\\\\");
  EXPECT_EQ(EscapeText("\r\n\t\b\f"), "\\r\\n\\t\\b\\f");
  EXPECT_EQ(EscapeText("\x82\xA0\xE9"), "\x82\xA0\xE9");
  EXPECT_EQ(EscapeText(""), "");
}

TEST(PdfEscapes, NameBytes) {
  EXPECT_EQ(EscapeName("A B#"), "A#20B#23");
  EXPECT_EQ(EscapeName("\xE9"), "#E9");
  EXPECT_EQ(EscapeName("%()/<>[]{}"), "#25#28#29#2F#3C#3E#5B#5D#7B#7D");
  EXPECT_EQ(EscapeName(std::string("\0\x7F!~", 4)), "#00#7F!~");
  EXPECT_EQ(EscapeName("F0"), "F0");
}

TEST(PdfEscapes, HexadecimalForms) {
  EXPECT_EQ(StrToHex("\x82\xA0\x0F"), "82A00F");
  EXPECT_EQ(StrToUnicodeHex("\x93\xFA\x96\x7B"), "65E5672C");  // 日本
  EXPECT_EQ(StrToUnicodeHex("A\xB1"), "0041FF71");             // A and half-width katakana
}

TEST(PdfEscapes, DoubleByteCharactersAreFoundByPosition) {
  EXPECT_TRUE(HasMultiByteChars("a\x82\xA0"));
  EXPECT_FALSE(HasMultiByteChars("abc\xB1"));  // half-width katakana is single-byte
  EXPECT_FALSE(HasMultiByteChars(""));
  // Bytes of the trail range on their own are single-byte characters.
  EXPECT_FALSE(HasMultiByteChars("\xB1\x40\x80"));
  EXPECT_TRUE(HasMultiByteChars("ab\x88"));  // a lone lead byte at the end
}

}  // namespace
}  // namespace kyrovane
