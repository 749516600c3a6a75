#include "pdf/TextEscape.h"

#include <gtest/gtest.h>

#include <string>

namespace kyrovane {
namespace {

struct Parts {
  std::string head, prev, code, next, rest;
  bool operator==(const Parts&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Parts& p) {
  return out << '[' << p.head << '|' << p.prev << '|' << p.code << '|' << p.next << '|' << p.rest
             << ']';
}

Parts Split(std::string_view text) {
  auto escape = FindTextEscape(text);
  if (!escape) return {"none", "", "", "", ""};
  return {std::string(escape->head), std::string(escape->prev), std::string(escape->code),
          std::string(escape->next), std::string(escape->rest)};
}

const Parts kNone{"none", "", "", "", ""};

TEST(FindTextEscape, SplitsAroundTheFirstCaret) {
  EXPECT_EQ(Split("x^2y"), (Parts{"", "x", "2", "y", ""}));
  EXPECT_EQ(Split("ab^ucd^d"), (Parts{"a", "b", "u", "c", "d^d"}));
  EXPECT_EQ(Split("^ab"), (Parts{"", "", "a", "b", ""}));
  EXPECT_EQ(Split("a^^b"), (Parts{"", "a", "^", "b", ""}));
}

TEST(FindTextEscape, NeedsACodeAndOneMoreByte) {
  EXPECT_EQ(Split("plain"), kNone);
  EXPECT_EQ(Split(""), kNone);
  EXPECT_EQ(Split("x^"), kNone);
  EXPECT_EQ(Split("x^u"), kNone);
  EXPECT_EQ(Split("^u"), kNone);
}

TEST(FindTextEscape, TakesDoubleByteCharactersWhole) {
  const std::string a = "\x82\xA0";   // あ
  const std::string i = "\x82\xA2";   // い
  const std::string ta = "\x83\x5E";  // タ: its trail byte is 0x5E, the caret's code
  EXPECT_EQ(Split(a + "^u" + i), (Parts{"", a, "u", i, ""}));
  EXPECT_EQ(Split("z" + a + "^1" + i + "q"), (Parts{"z", a, "1", i, "q"}));
  EXPECT_EQ(Split(ta + "x" + ta), kNone);
  EXPECT_EQ(Split(ta + "^uA"), (Parts{"", ta, "u", "A", ""}));
}

TEST(FindTextEscape, DoubleByteCodeIsOneCharacterAndNoLetter) {
  const std::string a = "\x82\xA0";
  EXPECT_EQ(Split("x^" + a + "y"), (Parts{"", "x", a, "y", ""}));
  EXPECT_FALSE(IsSingleByteCode(*FindTextEscape("x^" + a + "y")));
  EXPECT_TRUE(IsSingleByteCode(*FindTextEscape("x^uy")));
  EXPECT_EQ(Split("x^" + a), kNone);  // nothing after the code character
}

TEST(FindTextEscape, LoneLeadBytesStandAlone) {
  EXPECT_EQ(Split("x^\x82"), kNone);
  EXPECT_EQ(Split("x^u\x82"), (Parts{"", "x", "u", "\x82", ""}));
  EXPECT_EQ(Split("x^\x82y"), kNone);  // lead byte and "y" form one character: nothing follows
}

}  // namespace
}  // namespace kyrovane
