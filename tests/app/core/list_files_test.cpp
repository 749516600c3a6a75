// List files: line bytes, mask parsing, entries from lines and bare paths, and the companion
// settings file.

#include "app/core/ListFiles.h"

#include <gtest/gtest.h>

#include "app/core/FileErrors.h"
#include "app/core/IniFile.h"
#include "app/core/scripted_ui.h"
#include "import/jwc/jwc_writer.h"
#include "import/support/jww_writer.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

const std::string kAllOn = std::string(68, 'F');
// The layer masks 0001, 0002, 0004 … 8000 of groups 0 to 15.
const std::string kSteppedLayers =
    "0001000200040008001000200040008001000200040008001000200040008000";

TLayerMasks Stepped() {
  TLayerMasks masks{0xFFFF, {}};
  for (int g = 0; g < 16; ++g) masks.LayerMask[g] = static_cast<uint16_t>(1u << g);
  return masks;
}

TEST(ListFiles, LinesGiveThePathAndTheMasks) {
  TLayerMasks shortMasks;
  shortMasks.GroupMask = 0x1234;
  shortMasks.LayerMask[0] = 0xFF;
  struct Case {
    std::string line;
    TListLine expected;
  };
  const Case cases[] = {
      {"/a/b.jww,ffff" + kSteppedLayers, {"/a/b.jww", Stepped()}},
      {"/a/b.jww,FFFF" + kSteppedLayers, {"/a/b.jww", Stepped()}},
      {"/a/b.jww,ffff" + kSteppedLayers + "9999", {"/a/b.jww", Stepped()}},
      {"/a/b.jww,1234ff", {"/a/b.jww", shortMasks}},
      {"/a/b.jww,12x4ff", {"/a/b.jww", TLayerMasks{0x1204, {0xFF}}}},
      {"/a/b.jww", {"/a/b.jww", std::nullopt}},
      {"", {"", std::nullopt}},
      // A path holding commas: split at the last comma when 68 digits follow it.
      {"/a,1/b,2.jww,ffff" + kSteppedLayers, {"/a,1/b,2.jww", Stepped()}},
      {"/a,1/b.jww", {"/a", TLayerMasks{0x10B0, {}}}},  // "1/b." read as digits
  };
  for (const Case& c : cases) {
    const TListLine line = ParseListLine(c.line);
    EXPECT_EQ(line.Path, c.expected.Path) << c.line;
    EXPECT_EQ(line.Masks, c.expected.Masks) << c.line;
  }
}

struct ListFilesTest : ::testing::Test {
  test::TempDir dir;
  test::ScriptedUi ui;
};

TEST_F(ListFilesTest, SavedListsHaveTheirBytesAndReadBack) {
  Settings settings;
  settings.Env = DefaultEnvironment();
  settings.Env.UseColor = true;
  TListEntry first{"/plans/a,b.jww", {}};
  first.Param.GroupMask = 0xABCD;
  first.Param.LayerMask[15] = 0x0102;
  const TListEntry second{"/plans/図面.jwk", {}};
  SaveListFile(dir / "mylist", {first, second}, settings);

  const std::string expected = "/plans/a,b.jww,ABCD" + std::string(60, '0') + "0102\r\n" +
                               "/plans/図面.jwk," + std::string(68, '0') + "\r\n";
  EXPECT_EQ(test::ReadFile(dir / "mylist"), expected);
  EXPECT_EQ(settings.ListEnv, settings.Env);
  EXPECT_EQ(TIniFile(dir / "mylist.kvs").Value("Environment", "UseColor"), "1");

  Settings loaded;
  const std::vector<TListEntry> entries = LoadListFile(dir / "mylist", loaded, ui);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Path, first.Path);
  EXPECT_EQ(entries[0].Param.Masks(), first.Param.Masks());
  EXPECT_EQ(entries[1].Path, second.Path);
  EXPECT_EQ(entries[1].Param.Masks(), TLayerMasks{});
  EXPECT_EQ(entries[1].Param.Memo, "図形");
  EXPECT_EQ(loaded.ListEnv, settings.Env);
  EXPECT_EQ(loaded.Env, settings.Env);
  EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(ListFilesTest, EntriesOfBarePathsTakeTheDrawingsOwnLayerStates) {
  jwwunit::JWWHead head = test::DefaultJwwHead();
  head.Memo = "\x90\x7d\x96\xca";  // 図面
  head.Groups[0].State = 2;
  head.Groups[1].State = 1;
  head.Groups[1].Layers[15].State = 2;
  test::WriteFile(dir / "plan.jww", test::JwwWriter(head).Count(0).Data());
  test::JwcDrawing jwc;
  jwc.Memo = "old";
  jwc.Groups[3].StateB = 1;
  jwc.Layers[3 * 16 + 2].StateB = 1;
  test::WriteFile(dir / "old.JWC", test::WriteJwc(jwc));
  test::WriteFile(dir / "bad.jww", "not a drawing");

  const TParam jww = MakeListEntry((dir / "plan.jww").string(), ui);
  EXPECT_EQ(jww.GroupMask, 0x0003);
  EXPECT_EQ(jww.LayerMask[1], 0x8000);
  EXPECT_EQ(jww.Memo, "図面");
  const TParam old = MakeListEntry((dir / "old.JWC").string(), ui);
  EXPECT_EQ(old.Masks(), (TLayerMasks{0x0008, {0, 0, 0, 0x0004}}));
  EXPECT_EQ(old.Memo, "old");
  for (const std::string path : {"", "/parts/p.jwk"}) {
    const TParam parts = MakeListEntry(path, ui);
    EXPECT_EQ(parts.Masks(), TLayerMasks::AllOn());
    EXPECT_EQ(parts.Memo, "図形");
  }
  const TParam missing = MakeListEntry((dir / "missing.jww").string(), ui);
  EXPECT_EQ(missing.Masks(), TLayerMasks{});
  EXPECT_EQ(missing.Memo, "");
  EXPECT_TRUE(ui.Messages.empty());

  const TParam bad = MakeListEntry((dir / "bad.jww").string(), ui);
  EXPECT_EQ(bad.Masks(), TLayerMasks{});
  EXPECT_EQ(bad.Memo, "jww 2.30未満または無効なファイルです。");
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Caption, "Kyrovane");
  EXPECT_EQ(ui.Messages[0].Text,
            (dir / "bad.jww").string() + "\r\nは、jww 2.30未満または無効なファイルです。");

  // With masks in the line the drawing gives only its memo, and a bad one says nothing.
  const TParam masked = MakeListEntry((dir / "plan.jww").string() + "," + kAllOn, ui);
  EXPECT_EQ(masked.Masks(), TLayerMasks::AllOn());
  EXPECT_EQ(masked.Memo, "図面");
  EXPECT_EQ(MakeListEntry((dir / "bad.jww").string() + "," + kAllOn, ui).Memo, "");
  EXPECT_EQ(ui.Messages.size(), 1u);
}

TEST_F(ListFilesTest, ListsThatCannotBeReadOrWrittenRaiseTheirMessage) {
  Settings settings;
  EXPECT_EQ(test::MessageOf([&] { LoadListFile(dir / "none.lst", settings, ui); }),
            (dir / "none.lst").string() +
                "\r\nを読み込めません。\r\nファイルまたはフォルダーがありません。");
  fs::create_directory(dir / "folder.lst");
  EXPECT_EQ(test::MessageOf([&] { SaveListFile(dir / "folder.lst", {}, settings); }),
            (dir / "folder.lst").string() + " に書き込めません\r\n通常のファイルではありません。");
}

TEST_F(ListFilesTest, AListAndItsSettingsFileNeverReplaceEachOther) {
  Settings settings;
  settings.Env = DefaultEnvironment();
  const TListEntry entry{"/plans/a.jww", {}};
  const std::string sameFile =
      "\r\nは、設定ファイル（.kvs）と同じファイルになるため、リストを保存できません。";
  // Named like its own settings file, straight or through links.
  fs::create_symlink("linked.lst", dir / "linked.kvs");
  test::WriteFile(dir / "hard.lst", "kept");
  fs::create_hard_link(dir / "hard.lst", dir / "hard.kvs");
  for (const char* name : {"new.kvs", "linked.lst", "hard.lst"}) {
    EXPECT_EQ(test::MessageOf([&] { SaveListFile(dir / name, {entry}, settings); }),
              (dir / name).string() + sameFile);
  }
  EXPECT_EQ(test::FileNames(dir.path()),
            (std::vector<std::string>{"hard.kvs", "hard.lst", "linked.kvs"}));
  EXPECT_EQ(test::ReadFile(dir / "hard.lst"), "kept");

  // A list named like a settings file is not read as its own settings.
  test::WriteFile(dir / "list.kvs", ListLineText(entry) + "\r\n");
  settings.Env.UseColor = true;
  EXPECT_EQ(LoadListFile(dir / "list.kvs", settings, ui).size(), 1u);
  EXPECT_TRUE(settings.Env.UseColor);
  EXPECT_TRUE(ui.Messages.empty());

  // A settings file that is there but cannot be read is told, and the list is loaded.
  test::WriteFile(dir / "looped.lst", ListLineText(entry) + "\r\n");
  fs::create_symlink("looped.kvs", dir / "looped.kvs");
  EXPECT_EQ(LoadListFile(dir / "looped.lst", settings, ui).size(), 1u);
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Text,
            CannotReadText(dir / "looped.kvs", "シンボリックリンクが循環しています。"));
}

TEST_F(ListFilesTest, AListThatWouldNotReadBackIsNeverSaved) {
  Settings settings;
  const std::string path = "/plans/a\r\n/plans/b.jww";
  EXPECT_EQ(test::MessageOf([&] {
              SaveListFile(dir / "a.lst", {{"/plans/c.jww", {}}, {path, {}}}, settings);
            }),
            path + "\r\nは、名前に改行を含むため、リストに保存できません。");
  const std::string tooLarge = "\r\nは、大きすぎるため保存できません（上限 65536 行、16 MB）。";
  const std::vector<TListEntry> many(kMaxListLines + 1, TListEntry{"/a.jww", {}});
  EXPECT_EQ(test::MessageOf([&] { SaveListFile(dir / "a.lst", many, settings); }),
            (dir / "a.lst").string() + tooLarge);
  EXPECT_TRUE(test::FileNames(dir.path()).empty());
}

TEST_F(ListFilesTest, AByteOrderMarkBeforeTheFirstLineIsNoPartOfIt) {
  test::WriteFile(dir / "a.lst", "\xEF\xBB\xBF/plans/a.jww," + kAllOn + "\r\n/plans/b.jwk\r\n");
  Settings settings;
  const std::vector<TListEntry> entries = LoadListFile(dir / "a.lst", settings, ui);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Path, "/plans/a.jww");
  EXPECT_EQ(entries[0].Param.Masks(), TLayerMasks::AllOn());
}

}  // namespace
}  // namespace kyrovane
