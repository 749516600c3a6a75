// Profile files: what a hand-edited file reads as, where writes go, and float texts.

#include "app/core/IniFile.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kyrovane {
namespace {

TIniFile IniWith(const test::TempDir& dir, const std::string& text) {
  test::WriteFile(dir / "a.ini", text);
  return TIniFile(dir / "a.ini");
}

TEST(IniFile, HandEditedValuesReadAsTheProfileRulesSay) {
  test::TempDir dir;
  const TIniFile ini = IniWith(dir,
                               "\xEF\xBB\xBFtop=1\n"
                               "[ environment ]\n"
                               "  line1 = 0.3 \r\n"
                               "Quoted=\"a b\"\n"
                               "Single=' c '\n"
                               "Half=\"d\n"
                               "LINE1=9\n"
                               "[Other]\n"
                               "Key=other\n"
                               "[ENVIRONMENT]\n"
                               "Late=1\n");
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"Environment", "Line1", "0.3"},  // blanks dropped, case ignored, the first key counts
      {"Environment", "quoted", "a b"},
      {"Environment", "Single", " c "},
      {"Environment", "Half", "\"d"},
      {"other", "KEY", "other"},
      {"Environment", "Key", std::nullopt},
      {"Environment", "Late", std::nullopt},  // only the first section of a name counts
      {"", "top", std::nullopt},              // lines before any section belong to none
      {"Missing", "Line1", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ini.Value(c.section, c.key), c.value) << c.key;
}

TEST(IniFile, TypedValuesThatCannotBeReadGiveTheDefault) {
  test::TempDir dir;
  const TIniFile ini = IniWith(dir,
                               "[S]\nHalf=0.5\nNegative=-7\nBig=2147483648\nTrue=True\n"
                               "Two=2\nFloat=1.25\nExp=1E20\nExpPlus=1e+20\nInf=inf\nComma=0,5\n"
                               "Empty=\n");
  EXPECT_EQ(ini.ReadInteger("S", "Half", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "Negative", 3), -7);
  EXPECT_EQ(ini.ReadInteger("S", "Big", 3), 3);
  EXPECT_EQ(ini.ReadInteger("S", "Empty", 3), 3);
  EXPECT_TRUE(ini.ReadBool("S", "Two", false));
  EXPECT_FALSE(ini.ReadBool("S", "True", false));
  EXPECT_TRUE(ini.ReadBool("S", "Missing", true));
  EXPECT_EQ(ini.ReadFloat("S", "Float", 9), 1.25L);
  EXPECT_EQ(ini.ReadFloat("S", "Exp", 9), 1e20L);
  EXPECT_EQ(ini.ReadFloat("S", "ExpPlus", 9), 1e20L);
  EXPECT_EQ(ini.ReadFloat("S", "Inf", 9), 9);
  EXPECT_EQ(ini.ReadFloat("S", "Comma", 9), 9);
  EXPECT_EQ(ini.ReadString("S", "Missing", "x"), "x");
}

TEST(IniFile, WritesReplaceInPlaceAppendToTheSectionAndKeepOtherLines) {
  test::TempDir dir;
  TIniFile ini = IniWith(dir, "; kept\n[A]\nx=1\nX=2\n\n[B]\ny=1\n");
  ini.WriteInteger("a", "X", 5);  // the first of the repeated keys
  ini.WriteString("A", "z", "new");
  ini.WriteBool("C", "flag", true);
  ini.WriteFloat("B", "f", 0.15L);
  EXPECT_EQ(ini.Text(),
            "; kept\r\n[A]\r\nX=5\r\nX=2\r\nz=new\r\n\r\n[B]\r\ny=1\r\nf=0.15\r\n"
            "[C]\r\nflag=1\r\n");
  ini.UpdateFile();
  EXPECT_EQ(test::ReadFile(dir / "a.ini"), ini.Text());
  EXPECT_EQ(TIniFile(dir / "a.ini").ReadFloat("b", "F", 0), 0.15L);
}

TEST(IniFile, AFileThatCannotBeWrittenRaisesTheMessageWithItsCauseAndStaysAsItWas) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "folder.ini");
  test::WriteFile(dir / "file", "");
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {dir / "folder.ini", "通常のファイルではありません。"},
      {dir / "file" / "a.ini", "フォルダーがありません。"}};
  for (const auto& [path, cause] : cases) {
    TIniFile ini(path);
    ini.WriteInteger("S", "K", 1);
    EXPECT_EQ(test::MessageOf([&] { ini.UpdateFile(); }),
              path.string() + " に書き込めません\r\n" + cause);
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
}

// Keys the program does not know would be lost with the part of the file that was not read.
TEST(IniFile, AFileLargerThanAProfileIsNeverReplaced) {
  test::TempDir dir;
  const std::string text = "[S]\r\nK=1\r\n;" + std::string(1 << 20, 'x') + "\r\n";
  test::WriteFile(dir / "big.ini", text);
  TIniFile ini(dir / "big.ini");
  EXPECT_TRUE(ini.Unreadable());
  ini.WriteInteger("S", "K", 2);
  EXPECT_EQ(test::MessageOf([&] { ini.UpdateFile(); }),
            (dir / "big.ini").string() + "\r\nは、読み込めないため書き換えませんでした。");
  EXPECT_EQ(test::ReadFile(dir / "big.ini"), text);
}

TEST(IniFile, ValuesWithLineBreaksAreNeverWritten) {
  test::TempDir dir;
  TIniFile ini(dir / "a.ini", "[S]\r\nK=1\r\n");
  const std::string refused = (dir / "a.ini").string() + "\r\nに、改行を含む値は書き込めません（";
  EXPECT_EQ(test::MessageOf([&] { ini.WriteString("S", "K", "a\nTextFont=x"); }),
            refused + "K）。");
  EXPECT_EQ(test::MessageOf([&] { ini.WriteString("S", "K\r", "1"); }), refused + "K\r）。");
  EXPECT_EQ(ini.Text(), "[S]\r\nK=1\r\n");
}

TEST(IniFile, FloatsWithUpTo15SignificantDigits) {
  const std::pair<long double, const char*> cases[] = {
      {0, "0"},
      {-0.0L, "0"},
      {1, "1"},
      {0.1L, "0.1"},
      {0.15L, "0.15"},
      {-2.5L, "-2.5"},
      {1234.5L, "1234.5"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {123456789012345.0L, "123456789012345"},
      {1e15L, "1E15"},
      {1e20L, "1E20"},
      {0.0001L, "0.0001"},
      {0.00001L, "1E-5"},
      {-1.5e-7L, "-1.5E-7"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatFloat(value), text) << text;
}

}  // namespace
}  // namespace kyrovane
