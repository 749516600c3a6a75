// What the converter tells the user when something goes wrong: running out of memory, damaged
// and foreign drawings, the causes of file errors, unreadable lists, a PDF that nothing can
// open, and plug-ins it would not load. Each message names the file it is about once.

#include <gtest/gtest.h>
#include <unistd.h>

#include <new>

#include "app/core/ListEditor.h"
#include "app/core/ListFiles.h"
#include "app/core/PluginNotice.h"
#include "app/core/UiPort.h"
#include "app/core/driver_fixture.h"
#include "import/jwcunit.h"
#include "plugins/SPIs.h"
#include "plugins/plugin_fixture.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUi;

// A builder asks the clock the time for every text it expands; this one has no memory left.
class ExhaustedClock final : public Clock {
 public:
  DateTime Now() const override { throw std::bad_alloc(); }
  std::optional<DateTime> FileTime(const fs::path&) const override { return std::nullopt; }
};

class MessagesTest : public test::DriverFixture {
 protected:
  MessagesTest() : DriverFixture(clock) {}

  // The one message shown since the last call.
  ScriptedUi::TMessage TakeMessage() {
    EXPECT_EQ(ui.Messages.size(), 1u);
    ScriptedUi::TMessage message =
        ui.Messages.empty() ? ScriptedUi::TMessage{} : ui.Messages.front();
    ui.Messages.clear();
    return message;
  }

  // What each road tells of a drawing that cannot be read: its conversion, adding it to the
  // list window, loading a list that names it bare and with masks, selecting the entry with
  // masks (which says nothing until then), and converting that list.
  static constexpr int kRoads = 6;
  std::vector<std::string> ToldOnEveryRoad(const fs::path& path) {
    std::vector<std::string> told;
    const auto take = [&] {
      for (const ScriptedUi::TMessage& message : ui.Messages) told.push_back(message.Text);
      ui.Messages.clear();
    };
    Convert(path, pdf);
    take();
    Settings settings;
    TListEditor editor(settings, ui);
    editor.AddDrawings({path});
    take();
    WriteList({path.string(), path.string() + "," + std::string(68, 'F'), drawing.string()});
    editor.Empty();
    ui.OpenAnswers.push_back(list);
    editor.Load();
    take();
    told.push_back(test::MessageOf([&] { editor.Select(1); }));
    Convert(list, pdf);
    take();
    return told;
  }

  ExhaustedClock clock;
};

TEST_F(MessagesTest, RunningOutOfMemoryIsToldForTheDrawingThatNeededIt) {
  const fs::path texted = dir / "texted.jww";
  test::WriteFile(texted, test::OneText("text"));
  const std::string told = texted.string() + "\r\nは、メモリーが足りないため変換できませんでした。";

  EXPECT_EQ(Convert(texted, pdf), std::nullopt);
  ScriptedUi::TMessage message = TakeMessage();
  EXPECT_EQ(message.Caption, "Kyrovane");
  EXPECT_EQ(message.Text, told);
  EXPECT_EQ(message.Icon, TMessageIcon::Stop);
  // In the list window's conversion the drawing under way is named, not the PDF.
  ui.SaveAnswers.push_back(pdf);
  EXPECT_EQ(driver.ConvertListEntries({{drawing.string(), {}}, {texted.string(), {}}}, {}),
            std::nullopt);
  EXPECT_EQ(TakeMessage().Text, told);
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(MessagesTest, AJwwEndingBeforeItsVersionIsInvalidAfterItDamagedAndOtherVersionsNamed) {
  const std::string whole = test::TwoLayerLines();
  const std::string damaged = "\r\nは、壊れているため変換できません。\r\n";
  const std::string invalidMemo = "jww 2.30未満または無効なファイルです。";
  const std::string invalid = "\r\nは、" + invalidMemo;
  const std::string later =
      "jww 7.00 のファイルのため変換できません（変換できるのは jww 2.30 のファイルだけです）。";
  const auto version = [](uint32_t number) {
    jwwunit::JWWHead head = test::DefaultJwwHead();
    head.Version = number;
    return test::JwwWriter(head).Count(0).Data();
  };
  const struct {
    std::string bytes;
    std::string told;  // after the path
    bool whole;        // the whole message, else its start
    std::string memo;  // of the entry in the list window
  } cases[] = {
      {"", invalid, true, invalidMemo},
      {"JwwData", invalid, true, invalidMemo},
      {"JwwData.", invalid, true, invalidMemo},
      {whole.substr(0, 10), invalid, true, invalidMemo},  // half a version
      {whole.substr(0, 12), damaged + "ファイルが途中で終わっています（12 バイト目）。", true,
       invalidMemo},
      {whole.substr(0, 40), damaged, false, invalidMemo},  // within the memo and the groups
      {version(700), "\r\nは、" + later, true, later},
      {version(229), invalid + "\r\nこのファイルのバージョンは jww 2.29 です。", true, invalidMemo},
      {version(0xFFFFFFFF), invalid, true, invalidMemo},
      {"JwwDatx.", invalid, true, invalidMemo},
  };
  for (const auto& c : cases) {
    test::WriteFile(drawing, c.bytes);
    EXPECT_EQ(Convert(drawing, pdf), std::nullopt);
    const std::string converted = TakeMessage().Text;
    // A drawing added to the list window says the same.
    EXPECT_EQ(MakeDrawingEntry(drawing, ui).Memo, c.memo);
    const std::string added = TakeMessage().Text;
    for (const std::string& text : {converted, added}) {
      if (c.whole) {
        EXPECT_EQ(text, drawing.string() + c.told);
      } else {
        EXPECT_TRUE(text.starts_with(drawing.string() + c.told)) << text;
      }
    }
  }
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(MessagesTest, ADrawingThatCannotBeReadIsToldOnceAndAlikeOnEveryRoad) {
  fs::create_directory(dir / "folder.jww");
  const fs::path huge = dir / "huge.jwc";
  test::WriteFile(huge, std::string(kJwcMagic));
  fs::resize_file(huge, 257u << 20);  // sparse, over the readers' limit
  const fs::path loop = dir / "loop.jww";
  fs::create_symlink(loop.filename(), loop);
  for (const fs::path& path : {dir / "folder.jww", huge, loop}) {
    const std::vector<std::string> told = ToldOnEveryRoad(path);
    EXPECT_EQ(told, std::vector<std::string>(kRoads, told.front())) << path;
    if (path == loop) {
      EXPECT_EQ(told.front(),
                loop.string() + "\r\nを読み込めません。\r\nシンボリックリンクが循環しています。");
    }
  }
}

TEST_F(MessagesTest, ADrawingInAFolderThatMayNotBeEnteredIsToldOnEveryRoad) {
  fs::create_directory(dir / "locked");
  const fs::path locked = dir / "locked" / "plan.jww";
  fs::copy_file(drawing, locked);
  fs::permissions(dir / "locked", fs::perms::none);
  const std::string outcome = test::AsOrdinaryUser(dir.path(), [&] {
    std::string told;
    for (const std::string& text : ToldOnEveryRoad(locked)) told += text + "\n";
    return told;
  });
  fs::permissions(dir / "locked", fs::perms::owner_all);
  std::string expected;
  for (int road = 0; road < kRoads; ++road) {
    expected += locked.string() + "\r\nを読み込めません。\r\n権限がありません。\n";
  }
  EXPECT_EQ(outcome, expected);
}

TEST_F(MessagesTest, ADrawingDamagedAfterItsHeaderIsToldWhenAdded) {
  const std::string whole = test::TwoLayerLines();
  const fs::path cut = dir / "cut.jww";
  test::WriteFile(cut, whole.substr(0, whole.size() - 10));
  EXPECT_EQ(Convert(cut, pdf), std::nullopt);
  const std::string told = TakeMessage().Text;
  EXPECT_TRUE(told.starts_with(cut.string() + "\r\nは、壊れているため変換できません。")) << told;
  Settings settings;
  TListEditor editor(settings, ui);
  editor.AddDrawings({cut});
  EXPECT_EQ(TakeMessage().Text, told);
  EXPECT_EQ(editor.Entries().size(), 1u);
}

TEST_F(MessagesTest, AnUnreadableDrawingAmongThoseChosenKeepsNoneOfTheOthersOut) {
  fs::create_directory(dir / "folder.jww");
  const fs::path second = dir / "second.jww";
  fs::copy_file(drawing, second);
  Settings settings;
  TListEditor editor(settings, ui);
  ui.OpenFilesAnswers.push_back({drawing, dir / "folder.jww", second});
  editor.Add();
  EXPECT_EQ(TakeMessage().Text,
            (dir / "folder.jww").string() + "\r\nを読み込めません。\r\nフォルダーです。");
  std::vector<std::string> listed;
  for (const TListEntry& entry : editor.Entries()) listed.push_back(entry.Path);
  EXPECT_EQ(listed,
            (std::vector{drawing.string(), (dir / "folder.jww").string(), second.string()}));
  EXPECT_EQ(editor.Selected(), 2);
  EXPECT_TRUE(editor.SelectedEntry()->Param.Scanned);
}

TEST_F(MessagesTest, FileErrorsGiveTheirRealCauseInJapanese) {
  fs::create_directory(dir / "folder.jww");
  EXPECT_EQ(Convert(dir / "folder.jww", pdf), std::nullopt);
  EXPECT_EQ(TakeMessage().Text,
            (dir / "folder.jww").string() + "\r\nを読み込めません。\r\nフォルダーです。");

  const fs::path longName = dir / (std::string(300, 'n') + ".pdf");
  EXPECT_EQ(Convert(drawing, longName), std::nullopt);
  ScriptedUi::TMessage message = TakeMessage();
  EXPECT_EQ(message.Caption, longName.string());
  EXPECT_EQ(message.Text,
            "ファイルが保存できませんでした。\r\n" + longName.string() + "\r\n名前が長すぎます。");

  // A folder that is there but takes no file is not a missing folder.
  const fs::path inProc = "/proc/kyrovane-test.pdf";
  EXPECT_EQ(Convert(drawing, inProc), std::nullopt);
  EXPECT_EQ(TakeMessage().Text, "ファイルが保存できませんでした。\r\n" + inProc.string() + "\r\n" +
                                    (geteuid() == 0 ? "このフォルダーにはファイルを作成できません。"
                                                    : "書き込む権限がありません。"));
}

TEST_F(MessagesTest, ListErrorsNameTheListOnceAndEndLikeASentence) {
  fs::create_directory(dir / "folder.lst");
  const std::pair<fs::path, std::string> cases[] = {
      {dir / "missing.lst", "ファイルまたはフォルダーがありません。"},
      {dir / "folder.lst", "フォルダーです。"},
  };
  for (const auto& [unreadable, cause] : cases) {
    EXPECT_EQ(Convert(unreadable, pdf), std::nullopt);
    const ScriptedUi::TMessage message = TakeMessage();
    EXPECT_EQ(message.Text, unreadable.string() + "\r\nを読み込めません。\r\n" + cause);
    EXPECT_EQ(message.Icon, TMessageIcon::Stop);
  }
  // The application's report ends Japanese with "。" and other text with ".".
  ReportError(ui, list.string() + " に書き込めません");
  EXPECT_EQ(TakeMessage().Text, list.string() + " に書き込めません。");
  ReportError(ui, "unexpected end of file");
  EXPECT_EQ(TakeMessage().Text, "unexpected end of file.");
}

TEST_F(MessagesTest, APdfThatNothingCanOpenIsToldWithWhereItWasWritten) {
  ui.ShellOpens = false;
  const auto told = [](const fs::path& written) {
    return written.string() +
           "\r\nにPDFファイルを保存しましたが、開くことができませんでした。"
           "\r\nPDFファイルを開くアプリケーションが設定されていない可能性があります。";
  };
  TConversionOptions preview;
  preview.PreviewOnly = true;
  WriteList({drawing.string()});
  const struct {
    fs::path input;
    TConversionOptions options;
    fs::path written;
  } cases[] = {{drawing, {}, pdf}, {drawing, preview, cache / "temp0.pdf"}, {list, {}, pdf}};
  for (const auto& c : cases) {
    ASSERT_EQ(Convert(c.input, pdf, c.options), c.written);
    EXPECT_TRUE(fs::exists(c.written));
    const ScriptedUi::TMessage message = TakeMessage();
    EXPECT_EQ(message.Text, told(c.written));
    EXPECT_EQ(message.Icon, TMessageIcon::Warning);
  }
}

TEST(PluginNotice, PluginsPassedOverAreToldOnceWithTheirReason) {
  const test::TempDir shared = test::TrustedTempDir();
  fs::permissions(shared.path(), fs::perms::all);
  for (const char* name : {"a.spi", "b.spi"})
    fs::copy_file(test::TestPlugin("kypx"), shared / name);
  ScriptedUi ui;
  TSPIs spis;
  ShowPassedOverPlugins(ui, spis);
  EXPECT_TRUE(ui.Messages.empty());
  const std::string mask = (shared / "*.spi").string();
  spis.Search(mask);
  spis.Search(mask);
  ShowPassedOverPlugins(ui, spis);
  ASSERT_EQ(ui.Messages.size(), 1u);
  const std::string reason =
      "\r\n（所有者以外も書き換えられるフォルダー " + shared.path().string() + " にあります）";
  EXPECT_EQ(ui.Messages[0].Text, "安全のため、次のプラグインを読み込みませんでした。\r\n" +
                                     (shared / "a.spi").string() + reason + "\r\n" +
                                     (shared / "b.spi").string() + reason);
  EXPECT_EQ(ui.Messages[0].Icon, TMessageIcon::Warning);
}

}  // namespace
}  // namespace kyrovane
