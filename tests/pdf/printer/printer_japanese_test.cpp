// Shift-JIS text in the Japanese fonts, horizontal and vertical: double-byte runs, the rise
// after a raised character, and the vertical fonts' turn.

#include "printer_fixture.h"

namespace kyrovane::test {
namespace {

// あ い う え, and タ whose trail byte is the caret's code.
const std::string kA = "\x82\xA0";
const std::string kI = "\x82\xA2";
const std::string kU = "\x82\xA4";
const std::string kE = "\x82\xA6";
const std::string kTa = "\x83\x5E";

class JapaneseTextTest : public PrinterTest {
 protected:
  void Text(const std::string& text, const char* font, bool escapes, long double charSpace = 0) {
    printer.TextOut(100, text, 100, 200, charSpace, 0, font, 10, 0, escapes);
  }
};

// The first Japanese font of a document is its second font, after the default Arial.
const std::string kGothicStart =
    Lines({"0 0 0 RG", "0 0 0 rg", "BT", "0 Ts", "/F1 10 Tf", "1 0 0 1 100 200 Tm"});

// One run in Gothic each, in a document of its own: what follows the common start lines.
TEST_F(JapaneseTextTest, GothicRuns) {
  const struct {
    std::string text;
    bool escapes;
    long double charSpace;
    std::string after;
  } cases[] = {
      // Half-width characters advance half an em.
      {"AB", false, 0, Lines({"(A) Tj", "0 Ts", "1 0 0 1 105 200 Tm", "(B) Tj", "ET"})},
      // Double-byte characters are written as their bytes.
      {kA + kI, false, 0, Lines({"<82A0> Tj", "0 Ts", "1 0 0 1 110 200 Tm", "<82A2> Tj", "ET"})},
      // Mixed runs get the full and the half character spacing.
      {"A" + kA + "B", false, 2,
       Lines({"2 Tc", "1 Tc", "(A) Tj", "0 Ts", "1 0 0 1 107 200 Tm", "2 Tc", "<82A0> Tj", "1 Tc",
              "(B) Tj", "ET"})},
      // A raised double-byte character is lowered after it.
      {kA + "^u" + kI + kU, true, 0,
       Lines({"0 Ts", "<82A0> Tj", "0.5 0 0 0.5 110 200 Tm", "10 Ts", "<82A2> Tj", "0 Ts",
              "1 0 0 1 120 200 Tm", "<82A4> Tj", "ET"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    printer.BeginDoc();
    Text(c.text, "Gothic", c.escapes, c.charSpace);
    EXPECT_EQ(EndFirstPageDrawing(), kGothicStart + c.after);
  }
}

TEST_F(JapaneseTextTest, RiseIsResetBetweenEscapesOnlyAfterARaise) {
  Text(kA + "^u" + kI + kU + "^2" + kE, "Gothic", true);
  Text(kA + "^2" + kI + kU + "^2" + kE, "Gothic", true);
  const std::string start = Lines({"0 0 0 RG", "0 0 0 rg", "BT", "0 Ts", "1 0 0 1 100 200 Tm"});
  EXPECT_EQ(EndFirstPageDrawing(),
            kGothicStart +
                Lines({"0 Ts", "<82A0> Tj", "0.5 0 0 0.5 110 200 Tm", "10 Ts", "<82A2> Tj", "0 Ts",
                       "<82A4> Tj", "<82A6> Tj", "0 Ts", "ET"}) +
                start +
                Lines({"0 Ts", "<82A0> Tj", "<82A2> Tj", "<82A4> Tj", "<82A6> Tj", "0 Ts", "ET"}));
}

TEST_F(JapaneseTextTest, CaretTrailByteIsNoEscape) {
  Text(kTa + kTa, "Gothic", true);
  Text(kTa + "^2y", "Gothic", true);
  const std::string start = Lines({"0 0 0 RG", "0 0 0 rg", "BT", "0 Ts", "1 0 0 1 100 200 Tm"});
  EXPECT_EQ(EndFirstPageDrawing(),
            kGothicStart + Lines({"<835E> Tj", "0 Ts", "1 0 0 1 110 200 Tm", "<835E> Tj", "ET"}) +
                start + Lines({"0 Ts", "<835E> Tj", "(y) Tj", "0 Ts", "ET"}));
}

TEST_F(JapaneseTextTest, VerticalFontTurnsNinetyDegreesMoreWithoutRise) {
  printer.PdfTextRise = 0.5L;
  Text(kA + kI, "GothicV", false);
  EXPECT_EQ(EndFirstPageDrawing(),
            Lines({"0 0 0 RG", "0 0 0 rg", "BT", "5 Ts", "0 Ts", "/F1 10 Tf", "0 1 -1 0 100 200 Tm",
                   "<82A0> Tj", "5 Ts", "0 Ts", "0 1 -1 0 110 200 Tm", "<82A2> Tj", "ET"}));
}

TEST_F(JapaneseTextTest, VerticalFontPlacesTheRestAlongTheTextAngle) {
  printer.TextOut(100, kA + kI + kU, 100, 200, 2, 90, "MincyoV", 10, 0, false);
  EXPECT_EQ(EndFirstPageDrawing(),
            Lines({"0 0 0 RG", "0 0 0 rg", "BT", "0 Ts", "0 Ts", "/F1 10 Tf",
                   "-1 0 0 -1 100 200 Tm", "2 Tc", "<82A0> Tj", "0 Ts", "0 Ts", "-2 Tc",
                   "-1 0 0 -1 100 212 Tm", "<82A282A4> Tj", "ET"}));
}

TEST_F(JapaneseTextTest, FontsOfAllFamiliesMeasureTheirText) {
  Text("AB", "PGothic", false);
  Text("AB", "Mincyo,Bold", false);
  std::string page = EndFirstPageDrawing();
  // Proportional "A" (CID 34) is narrower than the fixed half width.
  EXPECT_EQ(page.find("1 0 0 1 105 200 Tm"), page.rfind("1 0 0 1 105 200 Tm"));
  EXPECT_NE(page.find("/F2 10 Tf"), std::string::npos);
}

}  // namespace
}  // namespace kyrovane::test
