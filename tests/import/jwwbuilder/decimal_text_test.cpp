// Numbers written as text in drawings and settings files.

#include "import/DecimalText.h"

#include <gtest/gtest.h>

namespace kyrovane {
namespace {

TEST(DecimalText, WholeTextsOfFiniteNumbers) {
  EXPECT_EQ(ParseDecimal("0.15"), 0.15L);
  EXPECT_EQ(ParseDecimal(" -2.5e1 "), -25);
  EXPECT_EQ(ParseDecimal("+7"), 7);
  for (const char* text : {"", " ", "1,5", "1.5x", "0x10", "inf", "nan", "1e99999", "++1", "."}) {
    EXPECT_FALSE(ParseDecimal(text)) << text;
  }
}

TEST(DecimalText, IntegersWithin32Bits) {
  EXPECT_EQ(ParseInteger("21"), 21);
  EXPECT_EQ(ParseInteger(" -1 "), -1);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  for (const char* text : {"", "1.5", "2147483648", "12abc", "$FF", "1e2"}) {
    EXPECT_FALSE(ParseInteger(text)) << text;
  }
}

}  // namespace
}  // namespace kyrovane
