// The conversion tool: arguments, drawings the program refuses, output that cannot be written,
// and the options and settings it hands to the conversion.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>

#include "app/settings/Units.h"
#include "cad/image/image_fixture.h"
#include "convert_tool.h"
#include "import/support/jww_writer.h"
#include "pdf/pdf_test_support.h"
#include "pdf/printer/pdf_inspection.h"
#include "pdf/printer/raster_image.h"
#include "pdf_census.h"
#include "plugins/plugin_fixture.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;

// A header on the A4 sheet with layer 0 shown, and the pen that the records draw with.
jwwunit::JWWHead A4Head() {
  jwwunit::JWWHead head = DefaultJwwHead();
  head.PaperSize = 4;
  head.Groups[0].State = 2;
  head.Groups[0].Layers[0].State = 2;
  return head;
}
jwwunit::JWWEntityHead Pen() {
  jwwunit::JWWEntityHead pen;
  pen.LineType = 1;
  pen.PenColor = 1;
  return pen;
}

// A drawing of many scattered lines: a PDF of a few megabytes that takes a while to make.
std::string ManyLines(int count) {
  const jwwunit::JWWEntityHead pen = Pen();
  JwwWriter writer(A4Head());
  writer.Count(static_cast<uint32_t>(count));
  uint32_t seed = 1;
  const auto next = [&] {
    seed = seed * 1103515245 + 12345;
    return static_cast<double>(seed >> 8 & 0xFFFF) / 400;
  };
  for (int i = 0; i < count; ++i) {
    writer.Object(jwwunit::CDataSen{pen, next(), next(), next(), next()});
  }
  return writer.Data();
}

class ConvertDrawingTest : public ::testing::Test {
 protected:
  ConvertDrawingTest() { WriteFile(drawing, TwoLayerLines()); }

  // The converted PDF's streams, one after the other.
  std::string Contents() {
    std::string contents;
    for (const std::string& data : StreamData(ReadFile(pdf))) contents += data;
    return contents;
  }

  TempDir dir;
  const fs::path drawing = dir / "plan.jww";
  const fs::path pdf = dir / "plan.pdf";
};

TEST_F(ConvertDrawingTest, ArgumentsItDoesNotTakeGiveItsUsage) {
  for (const std::string options :
       {"--rotation 45", "--tiles 3", "--tiles", "--unknown", "third.pdf"}) {
    const CommandResult result = ConvertDrawing(drawing, pdf, options);
    EXPECT_EQ(result.exitCode, 2) << options;
    EXPECT_TRUE(result.err.starts_with("usage: convert-drawing")) << options;
  }
  EXPECT_EQ(test::Run(ShellQuote(KYROVANE_CONVERT_DRAWING)).exitCode, 2);
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(ConvertDrawingTest, ADrawingThatIsNoVersion230JwwGivesTheProgramsMessageAndNoFile) {
  jwwunit::JWWHead head = DefaultJwwHead();
  head.Version = 229;
  const std::string older = JwwWriter(head).Count(0).Data();
  const std::pair<std::string, std::string> cases[] = {
      {"not a drawing", ""}, {older, "\r\nこのファイルのバージョンは jww 2.29 です。"}};
  for (const auto& [bytes, version] : cases) {
    WriteFile(drawing, bytes);
    const CommandResult result = ConvertDrawing(drawing, pdf);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Kyrovane: " + drawing.string() +
                              "\r\nは、jww 2.30未満または無効なファイルです。" + version + "\n");
    EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"plan.jww"});
  }
}

TEST_F(ConvertDrawingTest, AnOutputThatCannotBeWrittenGivesTheProgramsMessage) {
  const fs::path nowhere = dir / "missing" / "plan.pdf";
  const CommandResult result = ConvertDrawing(drawing, nowhere);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, nowhere.string() + ": ファイルが保存できませんでした。\r\n" +
                            nowhere.string() + "\r\nフォルダーがありません。\n");
}

TEST_F(ConvertDrawingTest, TheExtensionInAnyCaseChoosesTheReader) {
  fs::rename(drawing, dir / "plan.Jwc");
  const CommandResult result = ConvertDrawing(dir / "plan.Jwc", pdf);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "Kyrovane: " + (dir / "plan.Jwc").string() +
                            "\r\nは、jwcファイルではないか、無効なファイルです。\n");
  WriteFile(dir / "PLAN.JWW", TwoLayerLines());
  EXPECT_EQ(ConvertDrawing(dir / "PLAN.JWW", pdf).exitCode, 0);
  WriteFile(dir / "plan.txt", TwoLayerLines());
  EXPECT_EQ(ConvertDrawing(dir / "plan.txt", pdf).exitCode, 1);  // converts nothing
}

TEST_F(ConvertDrawingTest, RotationPaperTilesAndAllAreaShapeThePages) {
  struct Case {
    std::string options;
    std::vector<std::pair<double, double>> pages;
  };
  const long double allAreaMargin = MmToPoint(1.0L);  // mm: the add-on is points taken as mm
  const Case cases[] = {
      {"", {{842, 596}}},
      {"--rotation 90", {{596, 842}}},
      {"--rotation 270 --tiles 1", {{596, 842}}},
      {"--rotation a3", {{1192, 842}}},
      {"--rotation half", {{421, 298}}},
      {"--tiles 2", {{421, 596}, {421, 596}}},
      {"--tiles 4", {{421, 298}, {421, 298}, {421, 298}, {421, 298}}},
      {"--all-area",
       {{static_cast<double>(std::nearbyint(MmToPoint(100) + MmToPoint(2 * allAreaMargin))),
         static_cast<double>(std::nearbyint(MmToPoint(50) + MmToPoint(2 * allAreaMargin)))}}},
  };
  for (const Case& c : cases) {
    const CommandResult result = ConvertDrawing(drawing, pdf, c.options);
    ASSERT_EQ(result.exitCode, 0) << c.options << result.err;
    EXPECT_EQ(PageSizes(pdf), c.pages) << c.options;
  }
}

TEST_F(ConvertDrawingTest, TheDrawingsReverseOrderFlagReversesTheLayers) {
  ASSERT_EQ(ConvertDrawing(drawing, pdf).exitCode, 0);
  std::string contents = Contents();
  // Lines are drawn from their start point: (0, 0) and (10, 10) mm on the A4 sheet, whose
  // centre (148.5, 105) mm is the drawing's origin.
  const std::string layer0 = "\n420.945 297.638 m\n";
  const std::string layer1 = "\n449.291 325.984 m\n";
  ASSERT_NE(contents.find(layer0), std::string::npos);
  ASSERT_NE(contents.find(layer1), std::string::npos);
  EXPECT_LT(contents.find(layer0), contents.find(layer1));

  WriteFile(drawing, TwoLayerLines(1));
  ASSERT_EQ(ConvertDrawing(drawing, pdf).exitCode, 0);
  contents = Contents();
  EXPECT_GT(contents.find(layer0), contents.find(layer1));
}

TEST_F(ConvertDrawingTest, ListFilesConvertToo) {
  WriteFile(dir / "plans.lst",
            drawing.string() + "\r\n" + drawing.string() + "," + std::string(68, 'F') + "\r\n");
  ASSERT_EQ(ConvertDrawing(dir / "plans.lst", pdf).exitCode, 0);
  EXPECT_EQ(PageSizes(pdf).size(), 2u);

  // Never into one of the drawings it lists.
  const std::string whole = ReadFile(drawing);
  const CommandResult result = ConvertDrawing(dir / "plans.lst", drawing);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, drawing.string() + ": ファイルが保存できませんでした。\r\n" +
                            drawing.string() + "\r\n変換元のファイルと同じファイルです。\n");
  EXPECT_EQ(ReadFile(drawing), whole);
}

TEST_F(ConvertDrawingTest, AFullDiskIsNamedAndLeavesNothing) {
  WriteFile(drawing, ManyLines(20000));
  const fs::path small = dir / "small";
  fs::create_directory(small);
  const fs::path output = small / "plan.pdf";
  // A file system of 64 KiB of its own, mounted in a user namespace.
  const std::string script = "mount -t tmpfs -o size=64k none " + ShellQuote(small.string()) +
                             " || exit 99; " + ShellQuote(KYROVANE_CONVERT_DRAWING) + " " +
                             ShellQuote(drawing.string()) + " " + ShellQuote(output.string()) +
                             "; echo $?; ls -A " + ShellQuote(small.string());
  const CommandResult result = test::Run("unshare -Urm sh -c " + ShellQuote(script));
  if (result.out.empty()) GTEST_SKIP() << "no user namespace to mount a small file system in";
  EXPECT_EQ(result.out, "1\n");
  EXPECT_EQ(result.err, output.string() + ": ファイルが保存できませんでした。\r\n" +
                            output.string() + "\r\nディスクの空き容量が足りません。\n");
}

TEST_F(ConvertDrawingTest, AFullTemporaryFolderIsToldAsSuch) {
  WriteFile(drawing, ManyLines(20000));
  const fs::path small = dir / "small";
  fs::create_directory(small);
  const std::string script = "mount -t tmpfs -o size=64k none " + ShellQuote(small.string()) +
                             " || exit 99; TMPDIR=" + ShellQuote(small.string()) + " " +
                             ShellQuote(KYROVANE_CONVERT_DRAWING) + " " +
                             ShellQuote(drawing.string()) + " " + ShellQuote(pdf.string()) +
                             "; echo $?";
  const CommandResult result = test::Run("unshare -Urm sh -c " + ShellQuote(script));
  if (result.out.empty()) GTEST_SKIP() << "no user namespace to mount a small file system in";
  EXPECT_EQ(result.out, "1\n");
  EXPECT_EQ(result.err, "Kyrovane: " + drawing.string() +
                            "\r\nを変換できませんでした。\r\n作業用の一時ファイルを使えません。"
                            "\r\nディスクの空き容量が足りません。\n");
  EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(ConvertDrawingTest, ATemporaryFolderThatCannotBeUsedGivesWayToTheSystemsOwn) {
  WriteFile(drawing, ManyLines(20000));
  WriteFile(dir / "file", "");
  for (const fs::path& folder : {dir / "missing", dir / "file"}) {
    const CommandResult result = test::Run(
        "TMPDIR=" + ShellQuote(folder.string()) + " " + ShellQuote(KYROVANE_CONVERT_DRAWING) + " " +
        ShellQuote(drawing.string()) + " " + ShellQuote(pdf.string()));
    EXPECT_EQ(result.exitCode, 0) << result.err;
  }
}

TEST_F(ConvertDrawingTest, AConversionKilledAtAnyMomentLeavesNoPartialFile) {
  WriteFile(drawing, ManyLines(100000));
  const auto start = [&] {
    const char* argv[] = {KYROVANE_CONVERT_DRAWING, drawing.c_str(), pdf.c_str(), nullptr};
    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    return pid;
  };
  const auto began = std::chrono::steady_clock::now();
  int status = 0;
  waitpid(start(), &status, 0);
  ASSERT_EQ(status, 0);
  const auto whole = std::chrono::steady_clock::now() - began;
  const auto size = fs::file_size(pdf);
  for (int k = 0; k <= 6; ++k) {
    fs::remove(pdf);
    const pid_t pid = start();
    std::this_thread::sleep_for(whole * k / 6);
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    std::vector<std::string> expected = {"plan.jww"};
    if (fs::exists(pdf)) {
      EXPECT_EQ(fs::file_size(pdf), size);  // complete
      expected.push_back("plan.pdf");
    }
    EXPECT_EQ(FileNames(dir.path()), expected);
  }
}

TEST_F(ConvertDrawingTest, ASettingsFileSetsTheConversion) {
  const std::string red = SettingsOption(dir.path(), "UseColor=1\r\nLineColor1=17\r\nLine1=1\r\n");
  ASSERT_EQ(ConvertDrawing(drawing, pdf, red).exitCode, 0);
  const std::string contents = Contents();
  EXPECT_NE(contents.find("1 0 0 RG"), std::string::npos);
  EXPECT_NE(contents.find("2.835 w"), std::string::npos);

  const CommandResult missing = ConvertDrawing(drawing, pdf, "--settings none.kvs");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("none.kvs"), std::string::npos);
}

// An insert scales its block before it turns it: a line 10 mm along x in a block inserted at
// the origin with the scales (2, 1) and turned by 90 degrees runs 20 mm up. Turning first
// would make it 10 mm.
TEST_F(ConvertDrawingTest, AnInsertScalesItsBlockThenTurnsIt) {
  const jwwunit::JWWEntityHead pen = Pen();
  JwwWriter writer(A4Head());
  writer.Count(1).Object(jwwunit::CDataBlock{pen, 0, 0, 2, 1, std::numbers::pi / 2, 0});
  writer.Word(1).Object(jwwunit::CDataList{pen, 0, 0, 0, "arm", 1});
  writer.Object(jwwunit::CDataSen{pen, 0, 0, 10, 0});
  WriteFile(drawing, writer.Data());
  ASSERT_EQ(ConvertDrawing(drawing, pdf).exitCode, 0);
  // The sheet's centre (148.5, 105) mm is the drawing's origin: 125 mm is 354.331 points.
  const std::string contents = Contents();
  EXPECT_NE(contents.find("420.945 354.331 "), std::string::npos) << contents;
  EXPECT_NE(contents.find("420.945 297.638 "), std::string::npos) << contents;
}

// A PNG picture reaches the PDF when the user's plug-ins decode it; without them it is left
// out and the rest of the drawing is drawn.
TEST_F(ConvertDrawingTest, PicturesOfOtherFormatsAreDecodedByTheUsersPlugins) {
  // Red on the left, blue on the right, the top quarter green.
  RasterImage photo{40, 20, {}};
  for (int i = 0; i < 40 * 20; ++i) {
    const std::array<uint8_t, 3> color = i < 40 * 5    ? std::array<uint8_t, 3>{20, 230, 20}
                                         : i % 40 < 20 ? std::array<uint8_t, 3>{230, 20, 20}
                                                       : std::array<uint8_t, 3>{20, 20, 230};
    photo.rgb.insert(photo.rgb.end(), color.begin(), color.end());
  }
  WritePng(photo, dir / "photo.png");
  jwwunit::CDataMoji picture;
  picture.Head = Pen();
  picture.EndX = 1;
  picture.Text = "^@BMphoto.png,100,50";
  JwwWriter writer(A4Head());
  writer.Count(2).Object(picture).Object(jwwunit::CDataSen{Pen(), -100, -80, 100, -80});
  WriteFile(drawing, writer.Data());

  ScopedRegistry registry;
  ASSERT_EQ(ConvertDrawing(drawing, pdf).exitCode, 0);
  ExpectReadersAccept(pdf);
  EXPECT_TRUE(PdfImagesList(pdf).empty());
  EXPECT_EQ(OperatorCounts(ReadFile(pdf))["Do"], 0);
  EXPECT_EQ(OperatorCounts(ReadFile(pdf))["l"], 1);

  registry.SetPluginFolder(TestPluginFolder());
  ASSERT_EQ(ConvertDrawing(drawing, pdf).exitCode, 0);
  ExpectReadersAccept(pdf);
  const std::vector<ListedImage> images = PdfImagesList(pdf);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].width, 40);
  EXPECT_EQ(images[0].height, 20);
  // The sheet's centre is the drawing's origin, where the picture's lower left corner lies.
  const TRaster raster = RenderFirstPage(pdf, TRenderer::Poppler);
  for (const auto& [x, y, color] : {std::tuple{25, 25, std::array{230, 20, 20}},
                                    {75, 10, std::array{20, 20, 230}},
                                    {60, 45, std::array{20, 230, 20}},
                                    {-5, 25, std::array{255, 255, 255}},
                                    {105, 25, std::array{255, 255, 255}},
                                    {50, 55, std::array{255, 255, 255}}}) {
    const std::array<int, 3> got =
        raster.Pixel(raster.width / 2 + static_cast<int>(std::lround(x / 25.4 * 72)),
                     raster.height / 2 - static_cast<int>(std::lround(y / 25.4 * 72)));
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(got[i], color[i], 8) << x << "," << y;
  }
}

// Every single-byte character, and tables of figures with blanks as drawings hold them, in the
// fixed-pitch faces across and down the page: every reader gives them back. (The caret closes
// its text, where it starts no escape.)
TEST_F(ConvertDrawingTest, EveryReaderGivesBackEverySingleByteCharacterAndTheFigureTables) {
  std::vector<std::string> texts = {
      "!\"#$%&'()*+,-./0123456789:;<=>?",  "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]",
      "_`abcdefghijklmnopqrstuvwxyz{|}~^", "No.  Size    Qty  Note",
      "  1  12.50 x   3  -4.5 ~10",        " 10   8.00 |  12  \\100"};
  std::string kana;
  for (int code = 0xA1; code <= 0xDF; ++code) kana += static_cast<char>(code);
  texts.push_back(kana);
  texts.push_back("\xB6\xDE\xB2\xC4\xDE  1.5 m  \xCA\xDF\xB2\xCC\xDF");  // ｶﾞｲﾄﾞ, ﾊﾟｲﾌﾟ

  struct TFace {
    std::string fontName;
    uint16_t flags;
    double x, y, dx, dy;  // the first text's start and the step to the next (mm)
    double down;          // 1 for a vertical text, whose base line runs down the page
  };
  // "ＭＳ ゴシック", "ＭＳ 明朝" and the vertical Gothic.
  const TFace faces[] = {
      {"\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E", 0, -140, 95, 0, -7, 0},
      {"\x82\x6C\x82\x72 \x96\xBE\x92\xA9", 0, -140, 30, 0, -7, 0},
      {"", 0x20, 20, 95, 8, 0, 1}};
  JwwWriter writer(A4Head());
  writer.Count(static_cast<uint32_t>(texts.size() * std::size(faces)));
  std::vector<std::string> drawn;
  for (const TFace& face : faces) {
    drawn.insert(drawn.end(), texts.begin(), texts.end());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      jwwunit::CDataMoji text;
      text.Head = Pen();
      text.Head.Flags = face.flags;
      text.StartX = face.x + face.dx * static_cast<double>(i);
      text.StartY = face.y + face.dy * static_cast<double>(i);
      text.EndX = text.StartX + 1 - face.down;
      text.EndY = text.StartY - face.down;
      text.Width = text.Height = 3;
      text.FontName = face.fontName;
      text.Text = texts[i];
      writer.Object(text);
    }
  }
  WriteFile(drawing, writer.Data());
  ASSERT_EQ(ConvertDrawing(drawing, pdf).exitCode, 0);
  ExpectReadersAccept(pdf);
  ExpectEveryReaderGivesBackTheTexts(pdf, drawn);
}

}  // namespace
}  // namespace kyrovane::test
