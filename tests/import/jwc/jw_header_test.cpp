#include "import/JwHeader.h"

#include <gtest/gtest.h>

#include <vector>

namespace kyrovane {
namespace {

using Fields = std::vector<std::string>;

TEST(SplitCommaFields, FillsFieldsInOrderAndLeavesMissingOnesZero) {
  EXPECT_EQ(SplitCommaFields("1,2,3", 5), (Fields{"1", "2", "3", "0", "0"}));
  EXPECT_EQ(SplitCommaFields("", 2), (Fields{"0", "0"}));
  EXPECT_EQ(SplitCommaFields("7", 2), (Fields{"7", "0"}));
  // Nothing after the last comma ends the split; an empty field between commas stays empty.
  EXPECT_EQ(SplitCommaFields("1,2,", 4), (Fields{"1", "2", "0", "0"}));
  EXPECT_EQ(SplitCommaFields("1,,3", 3), (Fields{"1", "", "3"}));
  // More fields than asked for: the rest is dropped.
  EXPECT_EQ(SplitCommaFields("1,2,3,4", 2), (Fields{"1", "2"}));
  EXPECT_EQ(SplitCommaFields("1,2", 0), Fields{});
  // What follows the last comma is kept whole with its NULs.
  EXPECT_EQ(SplitCommaFields(std::string("5,518\0\0,9", 9), 3),
            (Fields{"5", std::string("518\0\0", 5), "9"}));
}

TEST(HeaderNumbers, EndAtTheFirstNulAndAllowBlanksAround) {
  EXPECT_EQ(ParseHeaderInt(std::string("518\0junk", 8)), 518);
  EXPECT_EQ(ParseHeaderInt(" -12 \r\n"), -12);
  EXPECT_EQ(ParseHeaderInt("+7"), 7);
  EXPECT_EQ(ParseHeaderFloat(std::string(" 0.048889\0", 10)), 0.048889L);
  EXPECT_EQ(ParseHeaderFloat("-1.5e2"), -150.0L);
  EXPECT_EQ(ParseHeaderFloat("+.5"), 0.5L);
  // The safe form gives zero for what does not convert.
  EXPECT_EQ(SafeStrToInt("abc"), 0);
  EXPECT_EQ(SafeStrToInt("42"), 42);
}

TEST(HeaderNumbers, RefuseWhatIsNoNumber) {
  for (std::string text : {"", " ", "12a", "1 2", "a", "+-1", "--1", "0x10", "$10", "1.5"}) {
    EXPECT_FALSE(ParseHeaderInt(text)) << text;
  }
  // Beyond a 32-bit integer: 0xFFFFFFFF does not fit.
  EXPECT_FALSE(ParseHeaderInt("4294967295"));
  EXPECT_FALSE(ParseHeaderInt("2147483648"));
  EXPECT_EQ(ParseHeaderInt("-2147483648"), INT32_MIN);
  for (std::string text : {"", "1.5x", "inf", "nan", "1e99999", "1,5", "0x1p3"}) {
    EXPECT_FALSE(ParseHeaderFloat(text)) << text;
  }
}

TEST(ShortText, TakesBytesByPositionUpToTheFirstNul) {
  std::string block("abc\0def\x82\xa0\x82\xa2", 11);
  EXPECT_EQ(ShortText(block, 0, 40), "abc");
  EXPECT_EQ(ShortText(block, 4, 3), "def");
  EXPECT_EQ(ShortText(block, 7, 32), "\x82\xa0\x82\xa2");  // runs to the end of the block
  EXPECT_EQ(ShortText(block, 50, 8), "");
}

}  // namespace
}  // namespace kyrovane
