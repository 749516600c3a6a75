// Pages written with the Japanese fonts, read back by poppler, mupdf, qpdf and ghostscript.

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/PdfDoc.h"
#include "pdf/printer/raster_image.h"
#include "pdf_test_support.h"
#include "reader_text.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

// Every Japanese face: each family in its four styles, the fixed ones with their vertical
// font after the plain style.
std::vector<std::string> FontNames() {
  std::vector<std::string> names;
  for (std::string family : {"Gothic", "Mincyo", "PGothic", "PMincyo"}) {
    for (const char* style : {"", ",Bold", ",Italic", ",BoldItalic"}) {
      names.push_back(family + style);
      if (*style == '\0' && family[0] != 'P') names.push_back(family + "V");
    }
  }
  return names;
}

// "A", "あ", half-width "ｱ", "B", "漢字", full-width "１": single- and double-byte codes of
// both widths.
const std::string kSample =
    "A\x82\xA0\xB1"
    "B\x8A\xBF\x8E\x9A\x82\x50";
const std::string kSampleUtf8 =
    "Aあｱ"
    "B漢字１";

// A page of texts in the Japanese faces, saved for the readers.
class JpFontDocument : public ::testing::Test {
 protected:
  JpFontDocument() {
    doc_.NewDoc();
    doc_.AddPage();
  }
  void Show(const std::string& font, long double size, long double x, long double y,
            const std::string& text) {
    TPdfCanvas& canvas = doc_.GetCanvas();
    canvas.BeginText();
    canvas.SetFont(font, size);
    canvas.SetTextMatrix(1, 0, 0, 1, x, y);
    canvas.ShowText(text);
    canvas.EndText();
  }

  test::ScopedPdfClock clock_;
  test::TempDir dir_;
  std::filesystem::path file_ = dir_ / "fonts.pdf";
  TPdfDoc doc_;
};

class JpFontPage : public JpFontDocument {
 protected:
  // One line of the sample per font, each at x = 100 and 30 points below the previous one.
  void SetUp() override {
    const std::vector<std::string> fonts = FontNames();
    for (std::size_t i = 0; i < fonts.size(); ++i)
      Show(fonts[i], 10, 100, 800 - 30.0L * i, kSample);
    test::SaveToFile(doc_, file_);
  }
};

TEST_F(JpFontPage, ReadersAcceptIt) {
  test::ExpectReadersAccept(file_);
}

TEST_F(JpFontPage, PdffontsListsEveryFaceAsAnUnembeddedCIDFont) {
  test::CommandResult fonts = test::Run("pdffonts " + test::ShellQuote(file_.string()));
  ASSERT_EQ(fonts.exitCode, 0) << fonts.err;
  std::map<std::string, std::string> rows;  // name -> the rest of its row
  std::istringstream lines(fonts.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string name;
    words >> name;
    std::string rest;
    std::getline(words, rest);
    rows[name] = std::regex_replace(rest, std::regex(" +"), " ");
  }
  for (const std::string& name : FontNames()) {
    SCOPED_TRACE(name);
    const bool proportional = name[0] == 'P';
    const bool vertical = name.back() == 'V';
    const std::string encoding = proportional ? "90msp-RKSJ-H"
                                 : vertical   ? "90ms-RKSJ-V"
                                              : "90ms-RKSJ-H";
    ASSERT_TRUE(rows.contains(name)) << fonts.out;
    EXPECT_EQ(rows[name].substr(0, rows[name].find(" no ") + 4),
              " CID TrueType " + encoding + " no ");
  }
}

// How often a text holds a piece.
int Occurrences(const std::string& text, const std::string& piece) {
  int count = 0;
  for (std::size_t at = 0; (at = text.find(piece, at)) != std::string::npos; ++at) ++count;
  return count;
}

TEST_F(JpFontPage, EveryReaderGivesBackTheShiftJisTextOfEveryFace) {
  for (const auto& [reader, text] : test::ExpectReadersGiveBackTheText(file_)) {
    EXPECT_EQ(Occurrences(text, kSampleUtf8), 18) << test::RendererName(reader) << "\n" << text;
  }
}

// The x positions of the glyphs that mupdf places for the line at the given baseline.
std::vector<double> GlyphXs(const std::string& trace, int y) {
  std::vector<double> xs;
  const std::regex glyph("<g [^>]*x=\"([-0-9.]+)\" y=\"([-0-9.]+)\"");
  for (std::sregex_iterator g(trace.begin(), trace.end(), glyph), end; g != end; ++g) {
    if (std::stod((*g)[2]) == y) xs.push_back(std::stod((*g)[1]));
  }
  return xs;
}

TEST_F(JpFontPage, MupdfAdvancesFollowTheWidthArrays) {
  test::CommandResult trace = test::Run("mutool trace " + test::ShellQuote(file_.string()));
  ASSERT_EQ(trace.exitCode, 0) << trace.err;
  // Gothic: A 500, あ 1000, ｱ 500, B 500, 漢 1000, 字 1000 at size 10.
  const std::vector<double> fixed = GlyphXs(trace.out, 800);
  ASSERT_EQ(fixed.size(), 7u) << trace.out;
  EXPECT_EQ(fixed, (std::vector<double>{100, 105, 115, 120, 125, 135, 145}));
  // PGothic: A 633, あ 941, ｱ 617, B 637, 漢 1000, 字 1000.
  const std::vector<double> proportional = GlyphXs(trace.out, 800 - 10 * 30);
  ASSERT_EQ(proportional.size(), 7u) << trace.out;
  const std::vector<double> expected = {100, 106.33, 115.74, 121.91, 128.28, 138.28, 148.28};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(proportional[i], expected[i], 0.01) << i;
  }
}

// A figure with blanks and signs as tables of numbers in drawings hold them, one line per
// horizontal family at size 40 from x = 100, and down the page in the vertical Gothic.
const std::string kFigure = "12 -19.44 ~";

class JpFontFigures : public JpFontDocument {
 protected:
  void SetUp() override {
    for (std::size_t i = 0; i < kHorizontal.size(); ++i) {
      Show(kHorizontal[i], 40, 100, Baseline(i), kFigure);
    }
    Show("GothicV", 40, 500, 780, kFigure);
    test::SaveToFile(doc_, file_);
    test::ExpectReadersAccept(file_);
  }
  static long double Baseline(std::size_t line) { return 780 - 60.0L * line; }

  const std::vector<std::string> kHorizontal = {"Gothic", "Mincyo", "PGothic", "PMincyo"};
};

// Signs come back as typed, but poppler's table of the collection has no character for the
// fixed faces' "~". (How the readers order the pieces of the vertical figure varies.)
TEST_F(JpFontFigures, EveryReaderGivesBackTheFiguresAsTyped) {
  const std::string figure = test::AsTyped(kFigure);
  const std::string withoutTilde = figure.substr(0, figure.size() - 1);
  const int horizontal = static_cast<int>(kHorizontal.size());
  for (const auto& [reader, text] : test::ExpectReadersGiveBackTheText(file_)) {
    SCOPED_TRACE(test::RendererName(reader));
    EXPECT_GE(Occurrences(text, withoutTilde), horizontal) << text;
    if (reader == test::TRenderer::Poppler) {
      EXPECT_EQ(Occurrences(text, figure), 2) << text;
    } else {
      EXPECT_GE(Occurrences(text, figure), horizontal) << text;
    }
  }
}

// Under the IPA faces poppler once drew each half-width blank of the fixed faces as a crossed
// box a full character wide, covering the character after it.
TEST_F(JpFontFigures, PopplerLeavesTheBlanksOfTheFixedFacesEmpty) {
  const std::filesystem::path render = dir_ / "render";
  test::CommandResult result =
      test::Run("pdftoppm -r 72 -singlefile " + test::ShellQuote(file_.string()) + " " +
                test::ShellQuote(render.string()));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const test::RasterImage page = test::ReadPpm(render.string() + ".ppm");
  ASSERT_EQ(page.height, 842);
  auto inked = [&](int x0, int y0, int x1, int y1) {  // page points, y up
    int count = 0;
    for (int y = 842 - y1; y < 842 - y0; ++y) {
      for (int x = x0; x < x1; ++x) {
        count += page.rgb[3 * (static_cast<std::size_t>(y) * page.width + x)] < 128;
      }
    }
    return count;
  };
  // "12" takes 40 points, the blank 20 more.
  for (std::size_t i = 0; i < 2; ++i) {
    const int y = static_cast<int>(Baseline(i));
    SCOPED_TRACE(kHorizontal[i]);
    EXPECT_GT(inked(100, y, 140, y + 30), 0) << "the figure is drawn";
    EXPECT_EQ(inked(142, y - 8, 158, y + 34), 0);
  }
  // Vertically every character takes 40 points below the top.
  EXPECT_GT(inked(480, 700, 520, 780), 0) << "the figure is drawn";
  EXPECT_EQ(inked(478, 662, 522, 698), 0);
}

}  // namespace
}  // namespace kyrovane
