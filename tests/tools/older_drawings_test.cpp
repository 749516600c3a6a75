// Drawings of the older format and parts files converted end to end, through their readers
// and builders into PDFs the way the program converts them: a drawing with every record kind,
// the same with every field at a hostile value, and the real parts files of the shared test
// data, whose renders are kept as reviewed references.

#include <gtest/gtest.h>

#include <fstream>
#include <limits>

#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "app/settings/Units.h"
#include "cad/CadPage.h"
#include "convert_tool.h"
#include "import/JwcBuilder.h"
#include "import/JwkBuilder.h"
#include "import/jwc/jwc_writer.h"
#include "import/support/fixed_clock.h"
#include "pdf/pdf_test_support.h"
#include "pdf/picture/bmp_builder.h"
#include "pdf_census.h"
#include "text/cp932.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;

// The sample drawing with every layer shown and a picture beside it.
JwcDrawing EveryKind() {
  JwcDrawing d = SampleJwcDrawing();
  for (TJwcGroup& group : d.Groups) group.StateA = group.StateB = 1;
  for (TJwcLayer& layer : d.Layers) layer.StateA = layer.StateB = 1;
  const std::string picture = "^@BMsite.bmp,40,20";
  d.Texts.push_back({50, 50, 60, 50, static_cast<uint16_t>(d.Pool.size()), 0, 1, 3, 0, 0});
  d.Pool += picture + '\0';
  // A chain, to be smoothed.
  d.Lines.push_back({0, 0, 20, 10, 2, 3, 5, 0, 0x40, 0});
  d.Lines.push_back({20, 10, 40, 0, 2, 3, 5, 0, 0xC0, 0});
  return d;
}

// Every number at the edge of its range or beyond sense, every code outside its table.
JwcDrawing Hostile() {
  JwcDrawing d = EveryKind();
  constexpr float kHuge = std::numeric_limits<float>::max();
  constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  d.PaperSize = 11;
  d.ScaleDivisor = 1;
  for (TJwcTextType& type : d.TextTypes) type = {0xFFFF, 0xFFFF, 0, 0xFFFF};
  d.TextTypes[1] = {0, 0x8000, 0xFFFF, 0x7FFF};
  for (TJwcGroup& group : d.Groups) group = {kNan, 0xFF, 0xFF, 0xFF, std::string(16, '\xff')};
  for (TJwcLine& line : d.Lines) {
    line = {kHuge, -kHuge, kInf, kNan, 19, 6, 255, 255, 0xFF, 0xBF};
  }
  d.Lines.push_back({1, 1, 1, 1, 0, 0, 0, 0, 0, 0});  // repaired
  for (JwcArcRecord& arc : d.Arcs) {
    arc = {kNan, kHuge, -kHuge, 0xFFFF, INT32_MIN, INT32_MAX, INT32_MIN, 19, 6, 255, {}};
  }
  for (Moji2Record& text : d.Texts) {
    text.X = kInf;
    text.Y2 = -kHuge;
    text.TextType = 0;
    text.Flags = 0xFF;
  }
  d.Texts[0].PoolOffset = 0xFFFF;  // outside the pool
  d.Pool += "^@BM" + std::string(300, '\\') + ",1e300,-1e300";
  d.Texts.push_back({1, 1, 1, 1, static_cast<uint16_t>(d.Pool.size() - 313), 0, 11, 0, 0, 0});
  d.Pool += "%y$F&T^9";  // variables and a narrowing, no NUL
  d.Texts.push_back({1, 1, 1, 1, static_cast<uint16_t>(d.Pool.size() - 8), 0, 10, 0, 0, 0});
  for (TJwcPoint& point : d.Points) point = {kNan, kInf, 255, 6, {0xFF, 0xFF}};
  return d;
}

// What a conversion is asked for besides the drawing.
struct TOutput {
  bool allArea = false;
  int rotation = 0;
  bool halfScale = false;
  int tiles = 1;
};

// Builds the drawing and writes the PDF, as the program does.
template <class Build>
void WritePdf(const fs::path& drawing, const fs::path& pdf, REnvironment env, const TOutput& output,
              Build build) {
  env.HalfScale = output.halfScale;
  ConversionContext context;
  context.CurrentFileName = drawing.string();
  TCad_Page page;
  page.Output.DefaultFontName = env.TextFont;
  build(page, env, context);
  std::ofstream stream(pdf, std::ios::binary);
  page.PrintToPdf(stream, output.tiles, false, output.rotation);
}

// With smoothed curves coloured by pen.
JwcReadResult ConvertJwc(const fs::path& drawing, const fs::path& pdf, const TOutput& output) {
  JwcData jwc;
  const JwcReadResult read = ReadJwcFile(drawing, jwc);
  REnvironment env = DefaultEnvironment();
  env.UseSpline = true;
  env.UseColor = true;
  WritePdf(drawing, pdf, env, output,
           [&](TCad_Page& page, const REnvironment& env, const ConversionContext& context) {
             page.MarginX = page.MarginY = output.allArea ? MmToPoint(1.0L) : 0;
             BuildJwcDrawing(page, jwc, env, context, FixedClock(), output.allArea);
           });
  return read;
}

// Under the default settings, on one unturned page with the margins of parts files.
void ConvertJwk(const fs::path& drawing, const fs::path& pdf) {
  JwkData jwk;
  ASSERT_TRUE(ReadJwkFile(drawing, jwk).Ok);
  WritePdf(drawing, pdf, DefaultEnvironment(), {},
           [&](TCad_Page& page, const REnvironment& env, const ConversionContext& context) {
             page.MarginX = page.MarginY = MmToPoint2(0.5L);
             BuildJwkDrawing(page, jwk, env, context, FixedClock());
           });
}

class JwcConversion : public ::testing::Test {
 protected:
  JwcConversion() {
    TBmpSpec bitmap;
    bitmap.width = 2;
    bitmap.height = 1;
    bitmap.pixels = std::string("\0\0\xff\xff\0\0\0\0", 8);
    WriteFile(dir / "site.bmp", BuildBmp(bitmap));
  }
  JwcReadResult Convert(const JwcDrawing& drawing, const TOutput& output) {
    WriteFile(dir / "plan.jwc", WriteJwc(drawing));
    return ConvertJwc(dir / "plan.jwc", pdf, output);
  }

  TempDir dir;
  const fs::path pdf = dir / "plan.pdf";
};

TEST_F(JwcConversion, ADrawingWithEveryRecordKindConvertsAndRenders) {
  for (const TOutput& output : {TOutput{}, TOutput{.allArea = true, .rotation = 90}}) {
    EXPECT_EQ(Convert(EveryKind(), output).Repairs, 0);
    ExpectReadersAccept(pdf);
    const std::map<std::string, int> counts = OperatorCounts(ReadFile(pdf));
    EXPECT_EQ(counts.at("Do"), 1);  // the picture
    EXPECT_EQ(counts.at("BT"), 3);
  }
}

TEST_F(JwcConversion, ADrawingWithEveryFieldHostileConvertsAndRenders) {
  for (const TOutput& output :
       {TOutput{}, TOutput{.allArea = true}, TOutput{.halfScale = true, .tiles = 4}}) {
    // The reader repairs a line and a text.
    EXPECT_EQ(Convert(Hostile(), output).Repairs, 2);
    ExpectReadersAccept(pdf);
  }
}

// ---- the parts files of the shared test data

// Parts files are named in either case.
std::vector<fs::path> PartsFiles() {
  std::vector<fs::path> files = SharedTestDataFiles("jw", ".jwk");
  if (MissingSharedTestData().empty()) {
    for (const fs::path& file : SharedTestDataFiles("jw", ".JWK")) files.push_back(file);
  }
  return files;
}

constexpr double kAllowedShare = 0.005;

class PartsFile : public ::testing::TestWithParam<fs::path> {
 protected:
  void SetUp() override {
    KYROVANE_NEEDS_SHARED_TESTDATA();
    ConvertJwk(GetParam(), pdf);
    ASSERT_TRUE(ReadJwkFile(GetParam(), parts).Ok);
  }

  const std::string stem = GetParam().stem().string();
  TempDir dir;
  const fs::path pdf = dir / "parts.pdf";
  JwkData parts;
};

TEST_P(PartsFile, ConvertsToAPageThatTheReadersAcceptWithItsTexts) {
  ExpectReadersAccept(pdf);
  EXPECT_EQ(PageSizes(pdf).size(), 1);
  const CommandResult text = test::Run("pdftotext -enc UTF-8 " + ShellQuote(pdf.string()) + " -");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  std::string extracted = text.out;
  std::erase_if(extracted, [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
  for (const TMoji2& rec : parts.JwkTexts) {
    EXPECT_NE(extracted.find(cp932::ToUtf8(rec.Text)), std::string::npos) << rec.Text;
  }
}

TEST_P(PartsFile, LooksLikeTheReviewedRenderWithItsOperatorCounts) {
  ExpectLooksLikeReviewedRender(pdf, TestData("jwk-renders/" + stem + ".png"), 300, kAllowedShare);
  ExpectReviewedCensus(pdf, TestData("jwk-renders/operators.txt"), stem);
}

INSTANTIATE_TEST_SUITE_P(Jwk, PartsFile, ::testing::ValuesIn(PartsFiles()),
                         [](const ::testing::TestParamInfo<fs::path>& info) {
                           return "Parts" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace kyrovane::test
