// The settings record in the ini file and in settings files: the bytes of fresh files, what
// hand-edited files read as, and the old-version warning.

#include "app/core/SettingsFiles.h"

#include <gtest/gtest.h>

#include "app/core/IniFile.h"
#include "app/core/scripted_ui.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// "<stem><n>=<value>" lines, n counting from `first`.
std::string Numbered(const std::string& stem, int first, const std::vector<std::string>& values) {
  std::string text;
  for (const std::string& value : values) {
    text += stem + std::to_string(first++) + "=" + value + "\r\n";
  }
  return text;
}

std::vector<std::string> Same(int count, const std::string& value) {
  return std::vector<std::string>(static_cast<std::size_t>(count), value);
}

// The keys from "Mode" on of a file written with every default; "UseGray" and "UseJwwFont" in
// the order given.
std::string DefaultKeys(const std::string& grayAndFont) {
  return Lines({"Mode=0", "Save=0", "PreView=0", "UseSpline=0"}) + grayAndFont +
         Lines({"PictureCompression=1"}) +
         Numbered("Line", 1, {"0.1", "0.15", "0.2", "0.3", "0.4", "0.5", "0.5", "0.5", "0.5"}) +
         Numbered("LineColor", 1, {"0", "1", "8", "22", "16", "2", "2", "2", "2"}) +
         Lines({"BackGroundColor=21", "GrayLayerColor=9"}) +
         Numbered("CustomColor", 0, Same(8, "0")) + Lines({"UseColor=0", "UseLayerColor=0"}) +
         Numbered("LinePatternScale", 1, Same(19, "1")) +
         Lines({"Magnification=1", "TextRise=0", "LeftMargin=0", "BottomMargin=0", "RandomWidth=1",
                "TextFont=Gothic", "[LayerColor]"}) +
         Numbered("", 0, Same(256, "1"));
}

const std::string kIniOrder = Lines({"UseJwwFont=1", "UseGray=1"});
const std::string kListOrder = Lines({"UseGray=1", "UseJwwFont=1"});
const std::string kVersion = Lines({"[Application]", "DataVersion=130"});

TEST(SettingsFiles, FreshFilesWithEveryDefault) {
  test::TempDir dir;
  const REnvironment defaults = DefaultEnvironment();
  WriteIniFile(dir / "config" / "Kyrovane.ini", defaults, {100, -20, true});
  EXPECT_EQ(test::ReadFile(dir / "config" / "Kyrovane.ini"),
            Lines({"[Environment]", "Top=100", "Left=-20", "Icon=1"}) + DefaultKeys(kIniOrder));

  WriteSettingsFile(dir / "a.kvs", defaults, 7, 8);
  EXPECT_EQ(test::ReadFile(dir / "a.kvs"),
            kVersion + Lines({"[Environment]", "Top=7", "Left=8"}) + DefaultKeys(kIniOrder));

  WriteListSettingsFile(dir / "list.kvs", defaults);
  EXPECT_EQ(test::ReadFile(dir / "list.kvs"),
            kVersion + Lines({"[Environment]"}) + DefaultKeys(kListOrder));
}

REnvironment Unusual() {
  REnvironment env = DefaultEnvironment();
  env.Mode = env.Save = env.PreView = env.UseColor = env.UseSpline = env.UseLayerColor = true;
  env.UseJwwFont = env.UseGray = env.PictureCompression = false;
  env.Line[9] = 1.0L / 3;
  env.LineColor[1] = 30;
  env.BackGroundColor = 3;
  env.CustomColor[7] = 0x123456;
  env.LinePatternScale[19] = 2.5L;
  env.Magnification = 0.75L;
  env.TextRise = -0.1L;
  env.LeftMargin = 12.5L;
  env.BottomMargin = 1e-7L;
  env.RandomWidth = 3;
  env.LayerColor[255] = 17;
  env.GrayLayerColor = 4;
  env.LastDir = "/home/user/図面";
  env.TextFont = "Mincyo";
  return env;
}

TEST(SettingsFiles, EveryWriterReadsBackTheSameRecord) {
  test::TempDir dir;
  test::ScriptedUi ui;
  const REnvironment written = Unusual();
  WriteIniFile(dir / "k.ini", written, {});
  WriteSettingsFile(dir / "s.kvs", written, 1, 2);
  WriteListSettingsFile(dir / "l.kvs", written);
  REnvironment expected = written;
  expected.Line[9] = 0.333333333333333L;  // fifteen digits are what the files keep
  expected.FitToPaper = true;             // per-conversion fields are not stored and stay
  expected.PaperMode = 4;
  const auto readBack = [&](const char* name) {
    REnvironment read;
    read.FitToPaper = true;
    read.PaperMode = 4;
    if (fs::path(name).extension() == ".ini") {
      ReadIniFile(dir / name, read);
    } else {
      ReadSettingsFile(dir / name, read, ui);
    }
    EXPECT_EQ(read, expected) << name;
  };
  for (const char* name : {"k.ini", "s.kvs", "l.kvs"}) readBack(name);
  // The same with the byte-order mark that some editors put before the first section.
  for (const char* name : {"k.ini", "s.kvs", "l.kvs"}) {
    test::WriteFile(dir / name, "\xEF\xBB\xBF" + test::ReadFile(dir / name));
    readBack(name);
  }
  EXPECT_TRUE(ui.Messages.empty());
}

TEST(SettingsFiles, AnEmptyLastFolderKeepsTheOneTheFileHoldsAndOtherKeysStay) {
  test::TempDir dir;
  test::WriteFile(dir / "k.ini", "[Environment]\r\nLastDir=/old\r\nMine=1\r\n");
  WriteIniFile(dir / "k.ini", DefaultEnvironment(), {});
  const TIniFile ini(dir / "k.ini");
  EXPECT_EQ(ini.Value("Environment", "LastDir"), "/old");
  EXPECT_EQ(ini.Value("Environment", "Mine"), "1");
  WriteListSettingsFile(dir / "fresh.kvs", DefaultEnvironment());
  EXPECT_EQ(TIniFile(dir / "fresh.kvs").Value("Environment", "LastDir"), std::nullopt);
}

TEST(SettingsFiles, ALastFolderWithALineBreakIsLeftOut) {
  test::TempDir dir;
  const std::string kept = "[Environment]\r\nLastDir=/old\r\n";
  test::WriteFile(dir / "k.ini", kept);
  REnvironment env = DefaultEnvironment();
  env.LastDir = "/a\r\nTextFont=Mincyo\r\n[LayerColor]\r\n0=5";
  WriteIniFile(dir / "k.ini", env, {});
  EXPECT_TRUE(test::ReadFile(dir / "k.ini").starts_with(kept));
  REnvironment read;
  ReadIniFile(dir / "k.ini", read);
  env.LastDir = "/old";
  EXPECT_EQ(read, env);
}

TEST(SettingsFiles, AFileThatCannotBeReadIsReportedAndLeftAlone) {
  test::TempDir dir;
  const std::string text = "[Environment]\r\nUseColor=1\r\nTheirs=1\r\n";
  for (const char* name : {"k.ini", "s.kvs"}) {
    test::WriteFile(dir / name, text);
    fs::permissions(dir / name, fs::perms::owner_write);
  }
  const std::string outcome = test::AsOrdinaryUser(dir.path(), [&] {
    test::ScriptedUi ui;
    REnvironment env = DefaultEnvironment();
    const std::string iniNotRead = ReadIniFile(dir / "k.ini", env).value_or("read");
    env.UseGray = false;
    const std::string notRead = test::MessageOf([&] { ReadSettingsFile(dir / "s.kvs", env, ui); });
    return std::to_string(env.UseColor) + std::to_string(env.UseGray) + "\n" + iniNotRead + "\n" +
           notRead + "\n" + test::MessageOf([&] { WriteIniFile(dir / "k.ini", env, {}); });
  });
  EXPECT_EQ(outcome,
            "00\n" + (dir / "k.ini").string() + "\r\nを読み込めません。\r\n権限がありません。\n" +
                (dir / "s.kvs").string() + "\r\nを読み込めません。\r\n権限がありません。\n" +
                (dir / "k.ini").string() + "\r\nは、読み込めないため書き換えませんでした。");
  for (const char* name : {"k.ini", "s.kvs"}) {
    fs::permissions(dir / name, fs::perms::owner_read);
    EXPECT_EQ(test::ReadFile(dir / name), text) << name;
  }
}

TEST(SettingsFiles, HandEditedValuesReadAsStored) {
  test::TempDir dir;
  test::WriteFile(dir / "k.ini",
                  "[environment]\nline1 = 0.3\nLineColor2=0.5\nTEXTFONT=gothic\n"
                  "LastDir=\"/a b\"\nUseGray= 0 \nMagnification=2,5\n"
                  "[layercolor]\n7=\"4\"\n");
  REnvironment read;
  ReadIniFile(dir / "k.ini", read);
  REnvironment expected = DefaultEnvironment();
  expected.Line[1] = 0.3L;
  expected.LastDir = "/a b";
  expected.UseGray = false;
  expected.LayerColor[7] = 4;
  EXPECT_EQ(read, expected);  // "0.5" in an integer key, "2,5" and a missing key: defaults

  const TIniStartState start = ReadIniStartState(dir / "k.ini");
  EXPECT_EQ(start.Placement.Top, -1);
  EXPECT_EQ(start.Placement.Left, -1);
  EXPECT_FALSE(start.Placement.Icon);
  EXPECT_FALSE(start.Save);

  REnvironment missing;
  ReadIniFile(dir / "none.ini", missing);
  EXPECT_EQ(missing, DefaultEnvironment());
}

TEST(SettingsFiles, OldSettingsFilesWarnOnceAndStillLoad) {
  test::TempDir dir;
  for (const std::string version : {"", "[Application]\nDataVersion=129\n"}) {
    test::WriteFile(dir / "old.kvs", version + "[Environment]\nUseColor=1\n");
    test::ScriptedUi ui;
    REnvironment read;
    ReadSettingsFile(dir / "old.kvs", read, ui);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].Caption, "kvsファイル読み込み");
    EXPECT_EQ(ui.Messages[0].Text,
              "kvsファイルのバージョンが古いため、設定が反映されない可能性があります。");
    EXPECT_EQ(ui.Messages[0].Icon, TMessageIcon::Warning);
    EXPECT_TRUE(read.UseColor);
  }
}

}  // namespace
}  // namespace kyrovane
