// The settings record read from a settings file.

#include "settings_ini.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kyrovane::tools {
namespace {

REnvironment Load(const std::string& text) {
  test::TempDir dir;
  test::WriteFile(dir / "settings.kvs", text);
  return LoadSettingsFile(dir / "settings.kvs");
}

TEST(SettingsFile, KeysOfBothSectionsWithoutRegardToCase) {
  const REnvironment env = Load(
      "[Application]\r\nDataVersion=130\r\n"
      "[environment]\r\nUSECOLOR=1\r\nuseGray = 0\r\nLine3=0.35\r\nLineColor9=17\r\n"
      "CustomColor7=255\r\nLinePatternScale19=2.5\r\nMagnification=3\r\nTextRise=0.1\r\n"
      "LeftMargin=5\r\nBottomMargin=-1\r\nRandomWidth=0.5\r\nBackGroundColor=1\r\n"
      "GrayLayerColor=6\r\nUseSpline=7\r\nLastDir=/tmp/plans\r\nTextFont=Mincyo\r\n"
      "[LayerColor]\r\n0=2\r\n255=17\r\n");
  EXPECT_TRUE(env.UseColor);
  EXPECT_FALSE(env.UseGray);
  EXPECT_TRUE(env.UseSpline);
  EXPECT_EQ(env.Line[3], 0.35L);
  EXPECT_EQ(env.Line[2], 0.15L);
  EXPECT_EQ(env.LineColor[9], 17);
  EXPECT_EQ(env.CustomColor[7], 255);
  EXPECT_EQ(env.LinePatternScale[19], 2.5L);
  EXPECT_EQ(env.Magnification, 3);
  EXPECT_EQ(env.TextRise, 0.1L);
  EXPECT_EQ(env.LeftMargin, 5);
  EXPECT_EQ(env.BottomMargin, -1);
  EXPECT_EQ(env.RandomWidth, 0.5L);
  EXPECT_EQ(env.BackGroundColor, 1);
  EXPECT_EQ(env.GrayLayerColor, 6);
  EXPECT_EQ(env.LastDir, "/tmp/plans");
  EXPECT_EQ(env.TextFont, "Mincyo");
  EXPECT_EQ(env.LayerColor[0], 2);
  EXPECT_EQ(env.LayerColor[1], 1);
  EXPECT_EQ(env.LayerColor[255], 17);
}

TEST(SettingsFile, ValuesThatCannotBeReadKeepTheirDefaultsAndTheFirstRepeatedKeyCounts) {
  const REnvironment env = Load(
      "[Environment]\nLine1=thin\nLineColor2=1.5\nUseGray=yes\nTextFont=gothic\n"
      "Magnification=\nLineColor1=5\nLineColor1=6\n[Other]\nUseColor=1\n");
  const REnvironment defaults = DefaultEnvironment();
  EXPECT_EQ(env.Line[1], defaults.Line[1]);
  EXPECT_EQ(env.LineColor[2], defaults.LineColor[2]);
  EXPECT_TRUE(env.UseGray);
  EXPECT_EQ(env.TextFont, "Gothic");
  EXPECT_EQ(env.Magnification, 1);
  EXPECT_FALSE(env.UseColor);      // a key of another section
  EXPECT_EQ(env.LineColor[1], 5);  // the first of repeated keys counts
}

TEST(SettingsFile, AnEmptyFileGivesTheDefaultsAndOneThatCannotBeReadAnError) {
  EXPECT_EQ(Load(""), DefaultEnvironment());
  test::TempDir dir;
  EXPECT_THROW(LoadSettingsFile(dir / "missing.kvs"), ESettingsFileError);
  EXPECT_THROW(LoadSettingsFile(dir.path()), ESettingsFileError);
}

}  // namespace
}  // namespace kyrovane::tools
