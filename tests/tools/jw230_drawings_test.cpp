// Every version-230 drawing of the shared test data converts into a PDF that the readers
// accept, whose page is the drawing's sheet, whose text every reader gives back and which looks
// like the reviewed reference render.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "convert_tool.h"
#include "import/jwwunit.h"
#include "pdf/pdf_test_support.h"
#include "pdf_census.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;

constexpr double kAllowedShare = 0.002;

// Sheet size in points of a paper code: A0 to A4, other codes A1.
std::pair<double, double> Sheet(uint32_t code) {
  const std::pair<double, double> sheets[] = {
      {3368, 2384}, {2384, 1684}, {1684, 1192}, {1192, 842}, {842, 596}};
  return code < 5 ? sheets[code] : sheets[1];
}

// Whether a text runs along or across the page: the text extraction of the readers follows
// such texts only.
bool Upright(const jwwunit::CDataMoji& rec) {
  const double degrees = std::atan2(rec.EndY - rec.StartY, rec.EndX - rec.StartX) * 180 / M_PI;
  const double offRightAngle = std::remainder(degrees, 90.0);
  return std::abs(offRightAngle) < 0.01;
}

class Jw230Drawing : public ::testing::TestWithParam<fs::path> {
 protected:
  void SetUp() override {
    KYROVANE_NEEDS_SHARED_TESTDATA();
    const CommandResult convert = ConvertDrawing(GetParam(), pdf);
    ASSERT_EQ(convert.exitCode, 0) << convert.err;
    ASSERT_EQ(convert.err, "");
    ASSERT_EQ(jwwunit::ParseJwwFile(ReadFile(GetParam()), drawing).Status,
              jwwunit::JwwReadStatus::Ok);
  }

  const std::string stem = GetParam().stem().string();
  TempDir dir;
  const fs::path pdf = dir / "drawing.pdf";
  jwwunit::JwwData drawing;
};

TEST_P(Jw230Drawing, TheReadersAcceptTheFileAndItsPageIsTheSheet) {
  ExpectReadersAccept(pdf);
  EXPECT_EQ(PageSizes(pdf), (std::vector{Sheet(drawing.JwwHeader.PaperSize)}));
}

TEST_P(Jw230Drawing, EveryReaderGivesBackTheUprightTextsOnTheSheet) {
  std::vector<std::string> texts;
  const auto& groups = drawing.JwwHeader.Groups;
  for (const jwwunit::CDataMoji& rec : drawing.JwwTexts) {
    const bool shown = groups[rec.Head.LayerGroup].State != 0 &&
                       groups[rec.Head.LayerGroup].Layers[rec.Head.Layer].State != 0;
    const auto [width, height] = Sheet(drawing.JwwHeader.PaperSize);
    const bool onSheet = std::abs(rec.StartX) * 72 / 25.4 < width / 2 &&
                         std::abs(rec.StartY) * 72 / 25.4 < height / 2;
    if (shown && onSheet && Upright(rec)) texts.push_back(rec.Text);
  }
  ExpectEveryReaderGivesBackTheTexts(pdf, texts);
}

TEST_P(Jw230Drawing, LooksLikeTheReviewedRenderWithItsOperatorCounts) {
  ExpectLooksLikeReviewedRender(pdf, TestData("jw230-renders/" + stem + ".png"), 50, kAllowedShare);
  ExpectReviewedCensus(pdf, TestData("jw230-renders/operators.txt"), stem);
}

#ifdef KYROVANE_CONVERT_DRAWING_LIBC
// The document's dates are the only bytes that may differ between two conversions.
std::string WithoutDates(std::string pdf) {
  for (const std::string key : {"/CreationDate (D:", "/ModDate (D:"}) {
    const std::size_t at = pdf.find(key);
    if (at == std::string::npos) continue;
    for (std::size_t i = at + key.size(); i < pdf.size() && pdf[i] >= '0' && pdf[i] <= '9'; ++i) {
      pdf[i] = '0';
    }
  }
  return pdf;
}

TEST_P(Jw230Drawing, TheMemoryManagerChangesNoByte) {
  const fs::path onLibc = dir / "libc.pdf";
  const CommandResult convert =
      test::Run(ShellQuote(KYROVANE_CONVERT_DRAWING_LIBC) + " " + ShellQuote(GetParam().string()) +
                " " + ShellQuote(onLibc.string()));
  ASSERT_EQ(convert.exitCode, 0) << convert.err;
  EXPECT_TRUE(WithoutDates(ReadFile(pdf)) == WithoutDates(ReadFile(onLibc)));
}
#endif

std::string TestName(const ::testing::TestParamInfo<fs::path>& info) {
  std::string name = info.param.stem().string();
  const bool ascii =
      std::all_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x80; });
  if (!ascii) return "Drawing" + std::to_string(info.index);
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Jw230, Jw230Drawing,
                         ::testing::ValuesIn(SharedTestDataFiles("jw230", ".jww")), TestName);

// Real drawings under other settings than the defaults, each with its reviewed render.
struct TVariant {
  const char* name;      // of the reviewed render
  const char* drawing;   // in the shared data's jw230 folder
  const char* options;   // of the conversion tool
  std::string settings;  // the settings file, after its version line
  bool colour;
};

// The layers in turn in the strong named colours: blue, fuchsia, green, maroon, navy, olive,
// orange, purple, red, teal, black.
std::string LayerColours() {
  const int strong[] = {2, 5, 7, 10, 13, 14, 15, 16, 17, 20, 1};
  std::string section = "UseLayerColor=1\r\n[LayerColor]\r\n";
  for (int layer = 0; layer < 256; ++layer) {
    section += std::to_string(layer) + "=" + std::to_string(strong[layer % 11]) + "\r\n";
  }
  return section;
}

const TVariant kVariants[] = {
    {"Test6-230-by-pen", "Test6-230.jww", "", "UseColor=1\r\n", true},
    {"Test6-230-by-layer", "Test6-230.jww", "", LayerColours(), true},
    {"Test1-230-smoothed", "Test1-230.jww", "", "UseSpline=1\r\n", false},
    {"sample-230-turned-90", "サンプル-230.jww", "--rotation 90", "", false},
    {"mansion-plan-230-turned-180", "Ａマンション平面例-230.jww", "--rotation 180", "", false},
    {"wooden-plan-230-turned-270", "木造平面例-230.jww", "--rotation 270", "", false},
};

void PrintTo(const TVariant& variant, std::ostream* out) {
  *out << variant.name;
}

class Jw230Variant : public ::testing::TestWithParam<TVariant> {};

TEST_P(Jw230Variant, LooksLikeTheReviewedRenderWithItsOperatorCounts) {
  KYROVANE_NEEDS_SHARED_TESTDATA();
  const TVariant& variant = GetParam();
  TempDir dir;
  const fs::path pdf = dir / "drawing.pdf";
  const CommandResult convert =
      ConvertDrawing(SharedTestData(std::string("jw230/") + variant.drawing), pdf,
                     variant.options + SettingsOption(dir.path(), variant.settings));
  ASSERT_EQ(convert.exitCode, 0) << convert.err;
  ExpectReadersAccept(pdf);
  ExpectLooksLikeReviewedRender(pdf,
                                TestData(std::string("jw230-renders/") + variant.name + ".png"), 50,
                                kAllowedShare, variant.colour);
  ExpectReviewedCensus(pdf, TestData("jw230-renders/operators.txt"), variant.name);
}

INSTANTIATE_TEST_SUITE_P(Jw230, Jw230Variant, ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<TVariant>& info) {
                           std::string name = info.param.name;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace kyrovane::test
