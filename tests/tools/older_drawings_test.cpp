// Drawings of the older format and parts files converted end to end by the conversion tool,
// through their readers and builders into PDFs: a drawing with every record kind,
// the same with every field at a hostile value, and the real parts files of the shared test
// data, whose renders are kept as reviewed references.

#include <gtest/gtest.h>

#include <limits>

#include "convert_tool.h"
#include "import/jwc/jwc_writer.h"
#include "import/jwcunit.h"
#include "import/jwkunit.h"
#include "pdf/pdf_test_support.h"
#include "pdf/picture/bmp_builder.h"
#include "pdf_census.h"

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

class JwcConversion : public ::testing::Test {
 protected:
  JwcConversion() { WriteFile(dir / "site.bmp", RedPixelBmp()); }
  // Converts the drawing with smoothed curves coloured by pen; returns the messages shown.
  std::string Convert(const JwcDrawing& drawing, const std::string& options) {
    WriteFile(dir / "plan.jwc", WriteJwc(drawing));
    const CommandResult result =
        ConvertDrawing(dir / "plan.jwc", pdf,
                       options + SettingsOption(dir.path(), "UseSpline=1\r\nUseColor=1\r\n"));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.err;
  }

  TempDir dir;
  const fs::path pdf = dir / "plan.pdf";
};

TEST_F(JwcConversion, ADrawingWithEveryRecordKindConvertsAndRenders) {
  for (const char* options : {"", "--all-area --rotation 90"}) {
    EXPECT_EQ(Convert(EveryKind(), options), "");
    ExpectReadersAccept(pdf);
    const std::map<std::string, int> counts = OperatorCounts(ReadFile(pdf));
    EXPECT_EQ(counts.at("Do"), 1);  // the picture
    EXPECT_EQ(counts.at("BT"), 3);
  }
}

TEST_F(JwcConversion, ADrawingWithEveryFieldHostileConvertsAndRenders) {
  for (const char* options : {"", "--all-area", "--rotation half --tiles 4"}) {
    // The reader repairs a line and a text, and says so.
    EXPECT_EQ(Convert(Hostile(), options),
              "警告: データエラーが2個見つかりましたが、訂正を行いました。\n");
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
    const CommandResult convert = ConvertDrawing(GetParam(), pdf);
    ASSERT_EQ(convert.exitCode, 0) << convert.err;
    EXPECT_EQ(convert.err, "");
    ASSERT_TRUE(ReadJwkData(ReadFile(GetParam()), parts).Ok);
  }

  const std::string stem = GetParam().stem().string();
  TempDir dir;
  const fs::path pdf = dir / "parts.pdf";
  JwkData parts;
};

TEST_P(PartsFile, ConvertsToAPageThatTheReadersAcceptWithItsTexts) {
  ExpectReadersAccept(pdf);
  EXPECT_EQ(PageSizes(pdf).size(), 1);
  std::vector<std::string> texts;
  for (const TMoji2& rec : parts.JwkTexts) texts.push_back(rec.Text);
  ExpectEveryReaderGivesBackTheTexts(pdf, texts);
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
