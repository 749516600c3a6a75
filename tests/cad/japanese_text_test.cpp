// Japanese texts: the CID fonts by name, vertical writing and Shift-JIS bytes shown as they are.

#include <gtest/gtest.h>

#include "cad/CadText.h"
#include "cad/model_fixture.h"
#include "cad/pdf_probe.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

class JapaneseText : public ::testing::Test {
 protected:
  JapaneseText() : text(model.Add<TCad_Text>()) {
    model.page.Output.DefaultFontName = "Gothic";
    model.page.PageWidth = 400;
    model.page.PageHeight = 300;
    text.Position = {25.4L, 50.8L, 0};
    text.Height = PtToMm(12);
    text.HScale = 100;
  }
  // The whole PDF of the drawing, checked by the readers.
  std::string Print() { return ReadFile(model.Print(dir / "text.pdf", 1)); }

  ModelFixture model;
  TCad_Text& text;
  TempDir dir;
};

TEST_F(JapaneseText, DefaultFontShowsShiftJisBytes) {
  text.Text = "\x93\xFA\x96\x7B";  // two kanji
  const std::string pdf = Print();
  EXPECT_NE(pdf.find("/BaseFont /Gothic"), std::string::npos);
  EXPECT_NE(pdf.find("/Encoding /90ms-RKSJ-H"), std::string::npos);
  const std::string page = PageContents(pdf).at(0);
  EXPECT_NE(page.find("<93FA> Tj"), std::string::npos);
  EXPECT_NE(page.find("<967B> Tj"), std::string::npos);
  EXPECT_NE(page.find("\n1 0 0 1 72 144 Tm\n"), std::string::npos);
}

TEST_F(JapaneseText, VerticalTextUsesTheVerticalFontAndMovesItsAnchor) {
  text.Text = "\x93\xFA\x96\x7B";
  text.FontName = "Mincyo";
  text.Vertical = 1;
  const std::string pdf = Print();
  EXPECT_NE(pdf.find("/BaseFont /MincyoV"), std::string::npos);
  EXPECT_NE(pdf.find("/Encoding /90ms-RKSJ-V"), std::string::npos);
  // Half the 12-point height at right angles to the text, and turned by 90 degrees.
  EXPECT_NE(PageContents(pdf).at(0).find("\n0 1 -1 0 72 150 Tm\n"), std::string::npos);
  EXPECT_EQ(text.FontName, "Mincyo");
}

TEST_F(JapaneseText, PaperSizedDoubleByteDotsAndCaretDigit) {
  text.PaperSized = 1;
  text.Text = "\x93\xFA\x96\x7B\x81\x45\x81\x45";
  std::string page = PageContents(Print()).at(0);
  EXPECT_EQ(page.find("8145"), std::string::npos);
  // The 4 bytes of dots, 12 points each, spread over the 3 byte gaps of what remains.
  EXPECT_NE(page.find("\n16 Tc\n"), std::string::npos);

  text.Text = "\x93\xFA\x96\x7B\x93\xFA^2";  // 6 bytes and ^2: narrowed to 4/6
  page = PageContents(Print()).at(0);
  EXPECT_NE(page.find("\n67 Tz\n"), std::string::npos);
  EXPECT_EQ(page.find("5E32"), std::string::npos);
}

}  // namespace
}  // namespace kyrovane::test
