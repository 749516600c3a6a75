// The conversion driver through the scripted user interface: dialogs, messages, previews,
// lists, the list window's operations, and what failures leave behind.

#include "app/core/ConversionDriver.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <fstream>
#include <map>

#include "app/core/driver_fixture.h"
#include "app/settings/Units.h"
#include "import/jwc/jwc_writer.h"
#include "import/jwcunit.h"
#include "import/jwk/jwk_writer.h"
#include "import/support/fixed_clock.h"
#include "import/support/jww_writer.h"
#include "pdf/pdf_test_support.h"
#include "pdf/picture/bmp_builder.h"
#include "pdf/printer/pdf_inspection.h"
#include "support/test_support.h"
#include "tools/pdf_census.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;
using test::ScriptedUi;

// Where the lines of the two-layer drawing start on its A4 page.
constexpr std::string_view kLayer0 = "\n420.945 297.638 m\n";
constexpr std::string_view kLayer1 = "\n449.291 325.984 m\n";

class DriverTest : public test::DriverFixture {
 protected:
  // Beside the two-layer drawing, one line in a drawing of the older format on the same sheet
  // (with a line the reader repairs) and in a parts file.
  DriverTest() : DriverFixture(clock) {
    test::JwcDrawing jwc;
    jwc.PaperSize = 4;
    jwc.Groups[0].StateB = 1;
    jwc.Layers[0].StateB = 1;
    jwc.Lines = {{0, 0, 100, 50, 1, 1, 0, 0, 0, 0}, {0, 0, 1, 1, 1, 0, 0, 0, 0, 0}};
    test::WriteFile(dir / "plan.jwc", test::WriteJwc(jwc));
    test::JwkDrawing jwk;
    jwk.Lines = {{0, 0, 100, 50, 1, 1, 0, 0, 0, 0}};
    test::WriteFile(dir / "part.jwk", test::WriteJwk(jwk));
  }

  test::FixedClock clock;
};

TEST_F(DriverTest, ADrawingBecomesThePdfChosenInTheSaveDialog) {
  env.LastDir = "/last";
  ASSERT_EQ(Convert(drawing, pdf), pdf);
  test::ExpectReadersAccept(pdf);
  ASSERT_EQ(ui.Dialogs.size(), 2u);
  EXPECT_EQ(ui.Dialogs[0].Options.Filter,
            "JW_CADデータ形式(*.jww;*.jwc)|*.jww;*.jwc|JW_CAD部品形式(*.jwk)|*.jwk|"
            "リストファイル(*.lst)|*.lst");
  EXPECT_EQ(ui.Dialogs[0].Options.InitialFolder, "/last");
  EXPECT_EQ(ui.Dialogs[1].Kind, ScriptedUi::TDialogKind::Save);
  EXPECT_EQ(ui.Dialogs[1].Options.Filter, "Acrobat ファイル(PDF)|*.pdf");
  EXPECT_EQ(ui.Dialogs[1].Options.FileName, pdf);
  EXPECT_TRUE(ui.Dialogs[1].Options.ConfirmOverwrite);
  EXPECT_EQ(ui.ProgressMaximum, 3);
  EXPECT_EQ(ui.ProgressPositions, (std::vector{0, 1, 2, 3}));
  EXPECT_EQ(ui.BusyShown, 1);
  EXPECT_EQ(ui.Opened, std::vector{pdf});
  EXPECT_EQ(env.LastDir, dir.path().string());
  EXPECT_TRUE(ui.Messages.empty());
}

using TPages = std::vector<std::pair<double, double>>;

TPages Repeated(int count, std::pair<double, double> page) {
  return TPages(static_cast<std::size_t>(count), page);
}

TEST_F(DriverTest, TheRotationItemAndTilesShapeThePagesOfEachKind) {
  const std::pair<double, double> a4 = {842, 596}, turned = {596, 842};
  struct Case {
    int angleItem;
    int tiles;
    TPages sheetPages;
  };
  const Case cases[] = {
      {0, 1, {a4}},
      {1, 1, {turned}},
      {2, 1, {a4}},
      {3, 1, {turned}},
      {4, 1, {{1192, 842}}},
      {5, 1, {a4}},
      {6, 1, {{421, 298}}},
      {0, 2, Repeated(2, {421, 596})},
      {0, 4, Repeated(4, {421, 298})},
      {0, 8, Repeated(8, {211, 298})},  // 842 / 4 rounded up, so the tiles cover the sheet
      {0, 16, Repeated(16, {211, 149})},
  };
  TPages partsPage;
  std::map<std::pair<std::string, int>, std::string> turnedContents;  // by file and item
  for (const Case& c : cases) {
    TConversionOptions options;
    options.OpenAfter = false;
    options.AngleItem = c.angleItem;
    options.Tiles = c.tiles;
    for (const char* name : {"plan.jww", "plan.jwc", "part.jwk"}) {
      ASSERT_EQ(Convert(dir / name, pdf, options), pdf) << name;
      test::ExpectReadersAccept(pdf);
      if (c.angleItem <= 3) {
        turnedContents[{name, c.angleItem}] = test::StreamData(test::ReadFile(pdf)).at(0);
      }
      const TPages pages = test::PageSizes(pdf);
      if (fs::path(name).extension() != ".jwk") {
        EXPECT_EQ(pages, c.sheetPages) << name << " " << c.angleItem << " " << c.tiles;
      } else {
        // A parts file: one unturned page, whatever the choice.
        if (partsPage.empty()) partsPage = pages;
        EXPECT_EQ(pages, partsPage) << c.angleItem << " " << c.tiles;
      }
    }
  }
  const auto contentOf = [&](const char* name, int item) { return turnedContents[{name, item}]; };
  for (const char* name : {"plan.jww", "plan.jwc"}) {
    EXPECT_NE(contentOf(name, 0), contentOf(name, 2)) << name;
    EXPECT_NE(contentOf(name, 1), contentOf(name, 3)) << name;
  }
  for (int item = 1; item <= 3; ++item) {
    EXPECT_EQ(contentOf("part.jwk", 0), contentOf("part.jwk", item));
  }
  EXPECT_TRUE(ui.Opened.empty());  // not asked to
  // The reader's notice of the repaired line, at every conversion of the older drawing.
  EXPECT_EQ(ui.Messages.size(), std::size(cases));
  for (const auto& message : ui.Messages) {
    EXPECT_EQ(message.Caption, "警告");
    EXPECT_EQ(message.Text, "データエラーが1個見つかりましたが、訂正を行いました。");
  }
}

TEST_F(DriverTest, CancelledDialogsConvertNothing) {
  env.LastDir = "/last";
  EXPECT_EQ(driver.Convert({}), std::nullopt);  // the open dialog
  EXPECT_EQ(ui.Dialogs.size(), 1u);
  EXPECT_EQ(env.LastDir, "/last");
  EXPECT_EQ(Convert(drawing, std::nullopt), std::nullopt);  // the save dialog
  EXPECT_EQ(env.LastDir, dir.path().string());
  EXPECT_EQ(ui.ProgressShown, 0);
  EXPECT_EQ(test::FileNames(dir.path()),
            (std::vector<std::string>{"part.jwk", "plan.jwc", "plan.jww"}));
}

TEST_F(DriverTest, PreviewsGoToTheFirstPreviewFileThatCanBeWrittenAndAreOpened) {
  TConversionOptions preview;
  preview.PreviewOnly = true;
  preview.OpenAfter = false;
  ASSERT_EQ(Convert(drawing, {}, preview), cache / "temp0.pdf");
  test::ExpectReadersAccept(cache / "temp0.pdf");
  fs::remove(cache / "temp0.pdf");
  fs::create_directory(cache / "temp0.pdf");
  ASSERT_EQ(Convert(drawing, {}, preview), cache / "temp1.pdf");
  EXPECT_EQ(ui.Opened, (std::vector{cache / "temp0.pdf", cache / "temp1.pdf"}));
  EXPECT_EQ(ui.Dialogs.size(), 2u);  // open dialogs only

  for (int n = 1; n <= 64; ++n) {
    fs::remove(cache / ("temp" + std::to_string(n) + ".pdf"));
    fs::create_directory(cache / ("temp" + std::to_string(n) + ".pdf"));
  }
  env.LastDir = "/last";
  EXPECT_EQ(Convert(drawing, {}, preview), std::nullopt);
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Caption, (cache / "temp64.pdf").string());
  EXPECT_EQ(ui.Messages[0].Text, "ファイルが保存できませんでした。\r\n" +
                                     (cache / "temp64.pdf").string() +
                                     "\r\n通常のファイルではありません。");
  EXPECT_EQ(ui.Messages[0].Icon, TMessageIcon::Stop);
  EXPECT_EQ(ui.Opened.size(), 2u);
  EXPECT_EQ(env.LastDir, "/last");
}

TEST_F(DriverTest, AListGivesOnePdfWithEachLinesMasks) {
  test::WriteFile(dir / "bad.jww", "not a drawing");
  std::string layer1Only = "ffff0002" + std::string(60, '0');
  WriteList({drawing.string() + "," + layer1Only, drawing.string(), (dir / "bad.jww").string(),
             (dir / "missing.jww").string()});
  ASSERT_EQ(Convert(list, pdf), pdf);
  test::ExpectReadersAccept(pdf);
  const std::vector<std::string> pages = test::StreamData(test::ReadFile(pdf));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].find(kLayer0), std::string::npos);
  EXPECT_NE(pages[0].find(kLayer1), std::string::npos);
  EXPECT_NE(pages[1].find(kLayer0), std::string::npos);
  EXPECT_EQ(ui.ProgressMaximum, 4);
  EXPECT_EQ(ui.ProgressPositions, (std::vector{0, 1, 2, 3, 4}));
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Text,
            (dir / "bad.jww").string() + "\r\nは、jww 2.30未満または無効なファイルです。");

  WriteList({drawing.string(), drawing.string(), drawing.string()});
  TConversionOptions tiled;
  tiled.Tiles = 4;
  ASSERT_EQ(Convert(list, pdf, tiled), pdf);
  EXPECT_EQ(test::PageSizes(pdf).size(), 12u);
  WriteList({drawing.string(), (dir / "plan.jwc").string(), (dir / "part.jwk").string()});
  ASSERT_EQ(Convert(list, pdf, tiled), pdf);
  test::ExpectReadersAccept(pdf);
  EXPECT_EQ(test::PageSizes(pdf).size(), 9u);  // a parts file is one page
}

TEST_F(DriverTest, AListWithoutAPageLeavesNoFileAndOpensNothing) {
  WriteList({(dir / "a.jww").string(), (dir / "b.jww").string()});
  EXPECT_EQ(Convert(list, pdf), std::nullopt);
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Caption, pdf.string());
  EXPECT_EQ(ui.Messages[0].Text, "変換できませんでした\r\n" + pdf.string());
  EXPECT_EQ(ui.Messages[0].Icon, TMessageIcon::Warning);
  EXPECT_TRUE(ui.Opened.empty());
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_EQ(env.LastDir, dir.path().string());
}

TEST_F(DriverTest, DrawingsAndOutputsThatCannotBeUsedAreNamedWithTheirCause) {
  const std::string whole = test::TwoLayerLines();
  test::WriteFile(dir / "cut.jww", whole.substr(0, whole.size() - 10));
  struct Case {
    fs::path input;
    fs::path output;
    std::string caption;
    std::string text;
  };
  test::WriteFile(dir / "big.jww", "");
  fs::resize_file(dir / "big.jww", 257u << 20);  // sparse, over the readers' limit
  test::WriteFile(dir / "fake.jwc", whole);
  test::WriteFile(dir / "fake.jwk", whole);
  test::WriteFile(dir / "cut.jwc", std::string(kJwcMagic));
  fs::create_symlink("plan.jww", dir / "link.jww");
  const std::string saveFailed = "ファイルが保存できませんでした。\r\n";
  const Case cases[] = {
      {dir / "cut.jww", pdf, "Kyrovane",
       (dir / "cut.jww").string() + "\r\nは、壊れているため変換できません。\r\n"},
      {dir / "cut.jwc", pdf, "Kyrovane",
       (dir / "cut.jwc").string() +
           "\r\nは、壊れているため変換できません。\r\nファイルが途中で終わっています。"},
      {dir / "big.jww", pdf, "Kyrovane",
       (dir / "big.jww").string() + "\r\nは、大きすぎるため変換できません（上限 256 MB）。"},
      {dir / "fake.jwc", pdf, "Kyrovane",
       (dir / "fake.jwc").string() + "\r\nは、jwcファイルではないか、無効なファイルです。"},
      {dir / "fake.jwk", pdf, "Kyrovane",
       (dir / "fake.jwk").string() + "\r\nは、jwkファイルではないか、無効なファイルです。"},
      {drawing, drawing, drawing.string(),
       saveFailed + drawing.string() + "\r\n変換元のファイルと同じファイルです。"},
      {dir / "link.jww", drawing, drawing.string(),
       saveFailed + drawing.string() + "\r\n変換元のファイルと同じファイルです。"},
      {drawing, "/dev/null", "/dev/null",
       saveFailed + "/dev/null\r\n通常のファイルではありません。"},
  };
  for (const Case& c : cases) {
    ui.Messages.clear();
    EXPECT_EQ(Convert(c.input, c.output), std::nullopt) << c.input;
    ASSERT_EQ(ui.Messages.size(), 1u) << c.input;
    EXPECT_EQ(ui.Messages[0].Caption, c.caption);
    EXPECT_TRUE(ui.Messages[0].Text.starts_with(c.text)) << ui.Messages[0].Text;
    EXPECT_EQ(driver.CadPage.LayerCount(), 0);
  }
  EXPECT_EQ(test::ReadFile(drawing), whole);
  EXPECT_TRUE(ui.Opened.empty());
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(DriverTest, AListIsNeverConvertedIntoOneOfItsOwnFiles) {
  const std::string whole = test::TwoLayerLines();
  const fs::path second = dir / "second.jww";
  test::WriteFile(second, whole);
  // The second drawing is named through a link.
  fs::create_symlink("second.jww", dir / "soft.jww");
  const std::string listed = WriteList({drawing.string(), (dir / "soft.jww").string()});
  fs::create_hard_link(second, dir / "hard.pdf");
  fs::create_symlink("second.jww", dir / "soft.pdf");
  const std::vector<TListEntry> entries = {{drawing.string(), {}},
                                           {(dir / "soft.jww").string(), {}}};
  for (const fs::path& output : {list, drawing, second, dir / "hard.pdf", dir / "soft.pdf"}) {
    ui.Messages.clear();
    EXPECT_EQ(Convert(list, output), std::nullopt) << output;
    // The list window's conversion of the same drawings, which has no list file.
    if (output != list) {
      ui.SaveAnswers.push_back(output);
      EXPECT_EQ(driver.ConvertListEntries(entries, {}), std::nullopt) << output;
    }
    ASSERT_EQ(ui.Messages.size(), output == list ? 1u : 2u) << output;
    for (const auto& message : ui.Messages) {
      EXPECT_EQ(message.Caption, output.string());
      EXPECT_EQ(message.Text, "ファイルが保存できませんでした。\r\n" + output.string() +
                                  "\r\n変換元のファイルと同じファイルです。");
    }
  }
  EXPECT_EQ(test::ReadFile(list), listed);
  EXPECT_EQ(test::ReadFile(drawing), whole);
  EXPECT_EQ(test::ReadFile(second), whole);
  EXPECT_TRUE(ui.Opened.empty());
}

TEST_F(DriverTest, APictureOfTheDrawingIsNeverReplaced) {
  const fs::path pictured = dir / "pictured.jww";
  const fs::path picture = dir / "picture.bmp";
  test::WriteFile(pictured, test::OneText("^@BMpicture.bmp,60,30"));
  test::WriteFile(picture, test::RedPixelBmp());
  fs::create_symlink("picture.bmp", dir / "link.pdf");
  WriteList({pictured.string()});
  for (const fs::path& output : {picture, dir / "link.pdf"}) {
    for (const fs::path& input : {pictured, list}) {
      ui.Messages.clear();
      EXPECT_EQ(Convert(input, output), std::nullopt) << input;
      ASSERT_EQ(ui.Messages.size(), 1u) << input;
      EXPECT_EQ(ui.Messages[0].Text, "ファイルが保存できませんでした。\r\n" + output.string() +
                                         "\r\n変換元のファイルと同じファイルです。");
    }
  }
  EXPECT_EQ(test::ReadFile(picture), test::RedPixelBmp());
  ui.Messages.clear();  // the picture is read and drawn where it may be
  ASSERT_EQ(Convert(pictured, pdf), pdf);
  EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(DriverTest, AFolderWhoseNameHasALineBreakIsNotRemembered) {
  const fs::path folder = dir / "a\nTextFont=Mincyo";
  fs::create_directory(folder);
  fs::copy_file(drawing, folder / "plan.jww");
  env.LastDir = "/last";
  ASSERT_EQ(Convert(folder / "plan.jww", pdf), pdf);
  EXPECT_EQ(env.LastDir, "/last");
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Text,
            folder.string() + "\r\nは、名前に改行を含むため、前回のフォルダーとして記録しません。");
}

TEST_F(DriverTest, AnOutputThatFailsMidwayLeavesNothingBehind) {
  test::WriteFile(pdf, "old");
  const fs::path report = dir / "report";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const auto openFiles = [] {
      return std::distance(fs::directory_iterator("/proc/self/fd"), {});
    };
    const auto before = openFiles();
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = Convert(drawing, pdf).has_value();
    const auto leftOpen = openFiles() - before;
    std::ofstream(report) << written << ui.ProgressUp << ui.BusyDepth << driver.CadPage.LayerCount()
                          << leftOpen << "\n"
                          << ui.Messages.at(0).Caption << "\n"
                          << ui.Messages.at(0).Text;
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(test::ReadFile(report), "00000\n" + pdf.string() +
                                        "\nファイルが保存できませんでした。\r\n" + pdf.string() +
                                        "\r\nファイルが大きすぎます。");
  EXPECT_EQ(test::ReadFile(pdf), "old");
  EXPECT_EQ(test::FileNames(dir.path()),
            (std::vector<std::string>{"part.jwk", "plan.jwc", "plan.jww", "plan.pdf", "report"}));
}

TEST_F(DriverTest, WhatADrawingLeftOutIsToldAfterItsOutput) {
  jwwunit::JWWHead head = test::DefaultJwwHead();
  head.PaperSize = 4;
  head.Groups[0].State = 2;
  head.Groups[0].Layers[0].State = 2;
  jwwunit::JWWEntityHead pen;
  pen.PenColor = 1;
  jwwunit::CDataMoji picture;
  picture.Head = pen;
  picture.EndX = 1;
  picture.Text = "^@BMmissing.bmp,60,30";
  test::JwwWriter writer(head);
  writer.Count(2).Object(picture).Object(jwwunit::CDataBlock{pen, 0, 0, 1, 1, 0, 0});
  // Block 0 inserts itself.
  writer.Word(1).Object(jwwunit::CDataList{pen, 0, 0, 0, "self", 1});
  writer.Object(jwwunit::CDataBlock{pen, 0, 0, 1, 1, 0, 0});
  const fs::path cut = dir / "cut.jww";
  test::WriteFile(cut, writer.Data());

  ASSERT_EQ(Convert(cut, pdf), pdf);
  WriteList({cut.string(), drawing.string()});
  ASSERT_EQ(Convert(list, pdf), pdf);
  const std::string told = cut.string() +
                           "\r\nの一部を出力できませんでした。"
                           "\r\n循環または多すぎる展開のため描かなかったブロック: 1個"
                           "\r\n読み込めなかった画像: ";
  ASSERT_EQ(ui.Messages.size(), 2u);  // none for the drawing without loss
  for (const auto& message : ui.Messages) {
    EXPECT_EQ(message.Caption, "Kyrovane");
    EXPECT_EQ(message.Icon, TMessageIcon::Warning);
    EXPECT_TRUE(message.Text.starts_with(told)) << message.Text;
    EXPECT_TRUE(message.Text.ends_with("missing.bmp")) << message.Text;
  }
}

TEST_F(DriverTest, EachDrawingIsReadFromDiskOnce) {
  WriteList({drawing.string(), drawing.string() + "," + std::string(68, 'f')});
  const int watch = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  // Closes too, or two opens in a row would come as one event.
  inotify_add_watch(watch, drawing.c_str(), IN_OPEN | IN_CLOSE);
  const auto opens = [&] {
    int count = 0;
    alignas(inotify_event) char events[4096];
    for (ssize_t got; (got = read(watch, events, sizeof events)) > 0;) {
      for (char* at = events; at < events + got;
           at += sizeof(inotify_event) + reinterpret_cast<inotify_event*>(at)->len) {
        count += (reinterpret_cast<inotify_event*>(at)->mask & IN_OPEN) != 0;
      }
    }
    return count;
  };
  ASSERT_TRUE(Convert(drawing, pdf));
  EXPECT_EQ(opens(), 1);
  ASSERT_TRUE(Convert(list, pdf));
  EXPECT_EQ(opens(), 2);
  close(watch);
}

TEST_F(DriverTest, LongPathsConvertWhole) {
  fs::path folder = dir.path();
  for (char c : {'a', 'b', 'c'}) folder /= std::string(100, c);
  fs::create_directories(folder);
  const fs::path longDrawing = folder / (std::string(60, 'd') + ".jww");
  ASSERT_GT(longDrawing.string().size(), 300u);
  fs::copy_file(drawing, longDrawing);
  const fs::path longPdf = fs::path(longDrawing).replace_extension(".pdf");
  ASSERT_EQ(Convert(longDrawing, longPdf), longPdf);
  EXPECT_EQ(ui.Dialogs[1].Options.FileName, longPdf);
  EXPECT_EQ(env.LastDir, folder.string());
  test::ExpectReadersAccept(longPdf);
}

TEST_F(DriverTest, TheListWindowPreviewsOneEntryAndConvertsThemAll) {
  TListEntry entry{drawing.string(), {}};
  entry.Param.GroupMask = 1;
  entry.Param.LayerMask[0] = 1;  // layer 0 only
  TConversionOptions options;
  options.OpenAfter = false;
  options.IgnorePrintRange = true;
  ASSERT_EQ(driver.PreviewListEntry(entry, options), cache / "temp0.pdf");
  EXPECT_EQ(ui.Opened, std::vector{cache / "temp0.pdf"});
  const std::string preview = test::StreamData(test::ReadFile(cache / "temp0.pdf")).at(0);
  EXPECT_EQ(preview.find("l\n"), preview.rfind("l\n"));  // one line drawn

  // The drawing's extents, 100 x 50 mm, with the margin add-on on both sides: 1.0 for a
  // preview, 0.5 in a list; the add-on is a number of points taken as millimetres.
  const auto pageOf = [](long double addOn) {
    return std::pair<double, double>{
        static_cast<double>(std::nearbyint(MmToPoint(100 + 2 * MmToPoint(addOn)))),
        static_cast<double>(std::nearbyint(MmToPoint(50 + 2 * MmToPoint(addOn))))};
  };
  EXPECT_EQ(test::PageSizes(cache / "temp0.pdf"), std::vector{pageOf(1.0L)});

  ui.SaveAnswers.push_back(pdf);
  ui.ProgressPositions.clear();
  ASSERT_EQ(driver.ConvertListEntries({entry, entry}, options), pdf);
  EXPECT_EQ(ui.Dialogs.back().Options.FileName, pdf);
  EXPECT_EQ(ui.ProgressPositions, (std::vector{0, 0, 1}));
  EXPECT_EQ(test::PageSizes(pdf), (std::vector{pageOf(0.5L), pageOf(0.5L)}));
  EXPECT_EQ(ui.Opened.size(), 1u);
  EXPECT_EQ(ui.BusyShown, 1);  // the preview's only

  EXPECT_EQ(driver.ConvertListEntries({entry}, options), std::nullopt);  // save cancelled
  EXPECT_TRUE(ui.Messages.empty());
}

}  // namespace
}  // namespace kyrovane
