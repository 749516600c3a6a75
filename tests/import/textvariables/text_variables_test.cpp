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

// Tokens are joined by "|" so that one line checks a family of them.
TEST(TextVariables, EveryTokenOfJwcAndJwkTexts) {
  const Fixture f;
  EXPECT_EQ(f.Jwc("$F|$f|%f"), Sjis("/plans/図面.v2.jww|図面.v2|図面.v2.jww"));
  EXPECT_EQ(f.Jwc("%y|$y|$Y|%Y|&Y|$m|%m|&m|$d|%d|&d"), "07|7|19|19|19|3|03| 3|5|05| 5");
  EXPECT_EQ(f.Jwc("$n|%n|&n|$N|%N|&N"), Sjis("PM|PM|PM|後|後|後"));
  EXPECT_EQ(f.Jwc("$H|%H|&H|$h|%h|&h|$M|%M|&M|$S|%S|&S|&T"),
            "13|13|13|1|01| 1|4|04| 4|9|09| 9|1 : 2");
  // Tokens of JWW texts only stay as they are.
  EXPECT_EQ(f.Jwc("%F|&F|=F|%ma|%T|_d"), "%F|&F|=F|03a|%T|_d");
}

TEST(TextVariables, EveryTokenOfJwwTextsWithTimeNowOrOfTheFile) {
  const Fixture f;
  EXPECT_EQ(f.Jww("$F|%F|&F"), Sjis("/plans/図面.v2.jww|/plans/図面.v2.jww|/plans/図面.v2.jww"));
  EXPECT_EQ(f.Jww("$f|&f|%f"), Sjis("図面.v2|図面.v2|図面.v2.jww"));
  EXPECT_EQ(f.Jww("=F|=f"), "1999/12/31 08:07:06|1999/12/31");
  EXPECT_EQ(f.Jww("%y|=y|$y|$Y|%Y|=Y|&Y|_Y"), "07|99|7|19|19|11|19|11");
  EXPECT_EQ(f.Jww("$m|%ma|=ma|%m|=m|&m|_m"), "3|MAR|DEC|03|12| 3|12");
  EXPECT_EQ(f.Jww("$d|%d|=d|&d|_d"), "5|05|31| 5|31");
  EXPECT_EQ(f.Jww("%wa|=wa|%w|=w"), Sjis("MON|FRI|月|金"));
  EXPECT_EQ(f.Jww("$n|%n|=n|&n|_n|$N|%N|=N|&N|_N"), Sjis("PM|PM|AM|PM|AM|後|後|前|後|前"));
  EXPECT_EQ(f.Jww("$H|%H|=H|&H|_H|$h|%h|=h|&h|_h"), "13|13|08|13| 8|1|01|08| 1| 8");
  EXPECT_EQ(f.Jww("$M|%M|=M|&M|_M|$S|%S|=S|&S|_S"), "4|04|07| 4| 7|9|09|06| 9| 6");
  EXPECT_EQ(f.Jww("&T|%T"), "1 : 2|1 : 2");
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
