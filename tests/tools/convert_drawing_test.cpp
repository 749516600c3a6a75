// The conversion tool: arguments, drawings the program refuses, output that cannot be written,
// and the options and settings it hands to the conversion.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/settings/Units.h"
#include "convert_tool.h"
#include "import/support/jww_writer.h"
#include "pdf/pdf_test_support.h"
#include "pdf/picture/bmp_builder.h"
#include "pdf/printer/pdf_inspection.h"
#include "pdf_census.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;
using jwwunit::CDataSen;

// A drawing of two lines, one on layer 0 and one on layer 1, on the A4 sheet.
std::string TwoLines(uint32_t reverseOrderFlag = 0) {
  jwwunit::JWWHead head = DefaultJwwHead();
  head.PaperSize = 4;
  head.ReverseOrderFlag = reverseOrderFlag;
  for (jwwunit::JWWGroupRecord& group : head.Groups) {
    group.State = 2;
    for (jwwunit::JWWLayerRecord& layer : group.Layers) layer.State = 2;
  }
  jwwunit::JWWEntityHead first;
  first.LineType = 1;
  first.PenColor = 1;
  jwwunit::JWWEntityHead second = first;
  second.Layer = 1;
  JwwWriter writer(head);
  writer.Count(2).Object(CDataSen{first, 0, 0, 100, 50}).Object(CDataSen{second, 10, 10, 20, 10});
  return writer.Data();
}

class ConvertDrawingTest : public ::testing::Test {
 protected:
  ConvertDrawingTest() { WriteFile(drawing, TwoLines()); }

  // The converted PDF's streams, one after the other.
  std::string Contents() {
    std::string contents;
    for (const std::string& data : StreamData(ReadFile(pdf))) contents += data;
    return contents;
  }
  std::vector<fs::path> FilesInDir() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir.path())) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
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

TEST_F(ConvertDrawingTest, ADrawingThatIsNoVersion230JwwOrDamagedLeavesNoFile) {
  jwwunit::JWWHead head = DefaultJwwHead();
  head.Version = 229;
  const std::string older = JwwWriter(head).Count(0).Data();
  for (const std::string& bytes : {std::string("not a drawing"), older}) {
    WriteFile(drawing, bytes);
    const CommandResult result = ConvertDrawing(drawing, pdf);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, drawing.string() + "\r\nは、jww 2.30未満または無効なファイルです。\n");
    EXPECT_EQ(FilesInDir(), std::vector{drawing});
  }
  // A damaged version-230 drawing gives the reader's reason and leaves no file either.
  const std::string whole = TwoLines();
  WriteFile(drawing, whole.substr(0, whole.size() - 10));
  const CommandResult result = ConvertDrawing(drawing, pdf);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.starts_with(drawing.string() + ": ")) << result.err;
  EXPECT_EQ(FilesInDir(), std::vector{drawing});
}

TEST_F(ConvertDrawingTest, AnOutputThatCannotBeWrittenGivesTheProgramsMessage) {
  const fs::path nowhere = dir / "missing" / "plan.pdf";
  const CommandResult result = ConvertDrawing(drawing, nowhere);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, nowhere.string() + ": ファイルが保存できませんでした。\n");
}

TEST_F(ConvertDrawingTest, TheExtensionChoosesTheFormatAndItsCheckRefusesOtherFiles) {
  const std::pair<std::string, std::string> refused[] = {
      {"plan.jwc", ": not a JWC drawing\n"},
      {"plan.Jwk", ": not a JWK parts file\n"},
      {"plan.txt", ": only JWW, JWC and JWK drawings are converted\n"}};
  for (const auto& [name, message] : refused) {
    fs::copy_file(drawing, dir / name);
    const CommandResult result = ConvertDrawing(dir / name, pdf);
    EXPECT_EQ(result.exitCode, 1) << name;
    EXPECT_EQ(result.err, (dir / name).string() + message);
    EXPECT_FALSE(fs::exists(pdf));
  }
  WriteFile(dir / "PLAN.JWW", TwoLines());
  EXPECT_EQ(ConvertDrawing(dir / "PLAN.JWW", pdf).exitCode, 0);
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

  WriteFile(drawing, TwoLines(1));
  ASSERT_EQ(ConvertDrawing(drawing, pdf).exitCode, 0);
  contents = Contents();
  EXPECT_GT(contents.find(layer0), contents.find(layer1));
}

TEST_F(ConvertDrawingTest, ASettingsFileSetsTheConversion) {
  WriteFile(dir / "red.kvs",
            "[Application]\r\nDataVersion=130\r\n[Environment]\r\nUseColor=1\r\nLineColor1=17\r\n"
            "Line1=1\r\n");
  ASSERT_EQ(
      ConvertDrawing(drawing, pdf, "--settings " + ShellQuote((dir / "red.kvs").string())).exitCode,
      0);
  const std::string contents = Contents();
  EXPECT_NE(contents.find("1 0 0 RG"), std::string::npos);
  EXPECT_NE(contents.find("2.835 w"), std::string::npos);

  const CommandResult missing = ConvertDrawing(drawing, pdf, "--settings none.kvs");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("none.kvs"), std::string::npos);
}

TEST_F(ConvertDrawingTest, PicturesBesideTheDrawingAreEmbedded) {
  TBmpSpec bitmap;
  bitmap.width = 2;
  bitmap.height = 1;
  bitmap.pixels = std::string("\0\0\xff\xff\0\0\0\0", 8);  // red, blue
  WriteFile(dir / "Site.bmp", BuildBmp(bitmap));
  jwwunit::JWWHead head = DefaultJwwHead();
  head.Groups[0].State = 2;
  head.Groups[0].Layers[0].State = 2;
  jwwunit::CDataMoji picture;
  picture.Head.PenColor = 1;
  picture.EndX = 1;
  picture.Text = "^@BMimg\\..\\SITE.BMP,60,30";
  WriteFile(drawing, JwwWriter(head).Count(1).Object(picture).Data());
  ASSERT_EQ(ConvertDrawing(drawing, pdf).exitCode, 0);
  ExpectReadersAccept(pdf);
  EXPECT_EQ(OperatorCounts(ReadFile(pdf))["Do"], 1);
}

}  // namespace
}  // namespace kyrovane::test
