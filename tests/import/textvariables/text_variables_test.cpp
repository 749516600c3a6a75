#include "import/TextVariables.h"

#include <gtest/gtest.h>

#include "import/support/fixed_clock.h"
#include "support/test_support.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

std::string Sjis(const char* utf8) {
  return cp932::FromUtf8(utf8);
}

struct Fixture {
  test::FixedClock clock;
  ConversionContext context;
  Fixture() {
    clock.now = {2007, 3, 5, 13, 4, 9};                // a Monday
    clock.fileTime = DateTime{1999, 12, 31, 8, 7, 6};  // a Friday
    context.CurrentFileName = "/plans/図面.v2.jww";
  }
  std::string Jwc(std::string_view text, int32_t drawingTime = 3725) const {
    return ReplaceTextVariables(text, context, drawingTime, clock);
  }
  std::string Jww(std::string_view text, uint32_t drawingTime = 3725) const {
    return ReplaceTextVariablesJww(text, context, drawingTime, clock);
  }
};

struct Case {
  const char* token;
  std::string value;
};

TEST(TextVariables, EveryTokenOfJwcAndJwkTexts) {
  const Fixture f;
  const std::vector<Case> cases = {
      {"$F", Sjis("/plans/図面.v2.jww")},
      {"$f", Sjis("図面.v2")},
      {"%f", Sjis("図面.v2.jww")},
      {"%y", "07"},
      {"$y", "7"},
      {"$Y", "19"},
      {"%Y", "19"},
      {"&Y", "19"},
      {"$m", "3"},
      {"%m", "03"},
      {"&m", " 3"},
      {"$d", "5"},
      {"%d", "05"},
      {"&d", " 5"},
      {"$n", "PM"},
      {"%n", "PM"},
      {"&n", "PM"},
      {"$N", Sjis("後")},
      {"%N", Sjis("後")},
      {"&N", Sjis("後")},
      {"$H", "13"},
      {"%H", "13"},
      {"&H", "13"},
      {"$h", "1"},
      {"%h", "01"},
      {"&h", " 1"},
      {"$M", "4"},
      {"%M", "04"},
      {"&M", " 4"},
      {"$S", "9"},
      {"%S", "09"},
      {"&S", " 9"},
      {"&T", "1 : 2"},
      // Tokens of JWW texts only stay as they are.
      {"%F", "%F"},
      {"&F", "&F"},
      {"=F", "=F"},
      {"%ma", "03a"},
      {"%T", "%T"},
      {"_d", "_d"},
  };
  for (const Case& c : cases) EXPECT_EQ(f.Jwc(c.token), c.value) << c.token;
}

TEST(TextVariables, EveryTokenOfJwwTextsWithTimeNowOrOfTheFile) {
  const Fixture f;
  const std::string path = Sjis("/plans/図面.v2.jww");
  const std::vector<Case> cases = {
      {"$F", path},
      {"%F", path},
      {"&F", path},
      {"$f", Sjis("図面.v2")},
      {"&f", Sjis("図面.v2")},
      {"%f", Sjis("図面.v2.jww")},
      {"=F", "1999/12/31 08:07:06"},
      {"=f", "1999/12/31"},
      {"%y", "07"},
      {"=y", "99"},
      {"$y", "7"},
      {"$Y", "19"},
      {"%Y", "19"},
      {"=Y", "11"},
      {"&Y", "19"},
      {"_Y", "11"},
      {"$m", "3"},
      {"%ma", "MAR"},
      {"=ma", "DEC"},
      {"%m", "03"},
      {"=m", "12"},
      {"&m", " 3"},
      {"_m", "12"},
      {"$d", "5"},
      {"%d", "05"},
      {"=d", "31"},
      {"&d", " 5"},
      {"_d", "31"},
      {"%wa", "MON"},
      {"=wa", "FRI"},
      {"%w", Sjis("月")},
      {"=w", Sjis("金")},
      {"$n", "PM"},
      {"%n", "PM"},
      {"=n", "AM"},
      {"&n", "PM"},
      {"_n", "AM"},
      {"$N", Sjis("後")},
      {"%N", Sjis("後")},
      {"=N", Sjis("前")},
      {"&N", Sjis("後")},
      {"_N", Sjis("前")},
      {"$H", "13"},
      {"%H", "13"},
      {"=H", "08"},
      {"&H", "13"},
      {"_H", " 8"},
      {"$h", "1"},
      {"%h", "01"},
      {"=h", "08"},
      {"&h", " 1"},
      {"_h", " 8"},
      {"$M", "4"},
      {"%M", "04"},
      {"=M", "07"},
      {"&M", " 4"},
      {"_M", " 7"},
      {"$S", "9"},
      {"%S", "09"},
      {"=S", "06"},
      {"&S", " 9"},
      {"_S", " 6"},
      {"&T", "1 : 2"},
      {"%T", "1 : 2"},
  };
  for (const Case& c : cases) EXPECT_EQ(f.Jww(c.token), c.value) << c.token;
}

TEST(TextVariables, DigitsAndPadding) {
  Fixture f;
  f.clock.now = {2007, 3, 7, 0, 30, 0};
  EXPECT_EQ(f.Jwc("%y-%m-%d $y $m"), "07-03-07 7 3");
  EXPECT_EQ(f.Jwc("&d|%d"), " 7|07");
  EXPECT_EQ(f.Jwc("$h %h $n"), "0 00 AM");
  f.clock.now.Hour = 12;
  f.clock.now.Minute = 10;
  EXPECT_EQ(f.Jwc("$h $n $N"), "12 PM " + Sjis("後"));
  f.clock.now.Hour = 13;
  EXPECT_EQ(f.Jwc("%h $N"), "01 " + Sjis("後"));
  f.clock.now = {2007, 3, 7, 9, 0, 0};
  EXPECT_EQ(f.Jwc("&H|&h"), " 9| 9");
  f.clock.now.Hour = 21;
  EXPECT_EQ(f.Jwc("&h"), " 9");
  f.clock.now.Hour = 10;
  EXPECT_EQ(f.Jwc("&h"), "10");
  f.clock.now = {2024, 5, 12, 9, 0, 0};  // a Sunday in May
  EXPECT_EQ(f.Jww("%ma %wa %w"), "MAY SUN " + Sjis("日"));
}

TEST(TextVariables, DrawingTimeInHoursAndMinutes) {
  const Fixture f;
  EXPECT_EQ(f.Jwc("&T", 3725), "1 : 2");
  EXPECT_EQ(f.Jwc("&T", 59), "0 : 0");
  EXPECT_EQ(f.Jww("%T", 0xFFFFFFFF), "1193046 : 28");
}

TEST(TextVariables, EraYearOfTheJapaneseCalendar) {
  Fixture f;
  struct Era {
    DateTime date;
    const char* year;
  };
  for (const Era& e : {Era{{1989, 1, 7}, "64"}, Era{{1989, 1, 8}, "1"}, Era{{2019, 4, 30}, "31"},
                       Era{{2019, 5, 1}, "1"}, Era{{2026, 1, 1}, "8"}}) {
    f.clock.now = e.date;
    EXPECT_EQ(f.Jwc("$Y"), e.year);
  }
  EXPECT_EQ(f.Jwc("%Y|&Y"), "08| 8");
}

TEST(TextVariables, TextsWithoutTokensComeBackUnchanged) {
  const Fixture f;
  for (const std::string& text : {std::string(""), std::string("plain text 12.5"), Sjis("図面"),
                                  std::string("$ % & = _ $x %q"), std::string("\x81", 1)}) {
    EXPECT_EQ(f.Jwc(text), text);
    EXPECT_EQ(f.Jww(text), text);
  }
}

TEST(TextVariables, NoTokenIsFoundInsideADoubleByteCharacter) {
  const Fixture f;
  // "_" (0x5F) is also a trail byte: 0x83 0x5F is one character, followed by "Y".
  EXPECT_EQ(f.Jww("\x83_Y"), "\x83_Y");
  EXPECT_EQ(f.Jww("\x83\x83_Y"),
            "\x83\x83"
            "11");  // two bytes make a character, then _Y
}

TEST(TextVariables, ValuesAreNeverSearchedAgain) {
  Fixture f;
  f.context.CurrentFileName = "/d/a$F%d.jww";
  EXPECT_EQ(f.Jww("[$F]"), "[/d/a$F%d.jww]");
  EXPECT_EQ(f.Jwc("$f%f"), "a$F%da$F%d.jww");
  f.clock.now = {2007, 5, 5, 1, 2, 3};
  EXPECT_EQ(f.Jww("$%ma"), "$MAY");  // not "$M" (minutes) followed by "AY"
  EXPECT_EQ(f.Jww("%%d"), "%05");
}

TEST(TextVariables, PathsOfEitherKind) {
  Fixture f;
  f.context.CurrentFileName = "C:\\plans\\site.plan.jww";
  EXPECT_EQ(f.Jww("%f|$f"), "site.plan.jww|site.plan");
  f.context.CurrentFileName = "noext";
  EXPECT_EQ(f.Jww("%f|$f"), "noext|noext");
}

TEST(TextVariables, FileTimeFallsBackToNowWhenTheFileCannotBeExamined) {
  Fixture f;
  f.clock.fileTime.reset();
  EXPECT_EQ(f.Jww("=f"), "2007/03/05");
}

TEST(TextVariables, SystemClockReadsARealFilesTime) {
  test::TempDir dir;
  test::WriteFile(dir / "a.jww", "x");
  const SystemClock clock;
  const auto fileTime = clock.FileTime(dir / "a.jww");
  ASSERT_TRUE(fileTime.has_value());
  EXPECT_GE(fileTime->Year, 2024);
  EXPECT_FALSE(clock.FileTime(dir / "missing.jww").has_value());
  const DateTime now = clock.Now();
  EXPECT_TRUE(now.Month >= 1 && now.Month <= 12 && now.Day >= 1 && now.Hour < 24);
}

}  // namespace
}  // namespace kyrovane
