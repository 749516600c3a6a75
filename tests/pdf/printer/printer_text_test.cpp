// Text runs with the standard fonts: placement, rise, character spacing and every escape.
// Arial at size 10 is the font every page starts with, so no "Tf" line appears.

#include <limits>

#include "pdf/PdfClassRegistry.h"
#include "printer_fixture.h"

namespace kyrovane::test {
namespace {

// The lines every black text run at (10, 20) in Arial 10 starts with.
const std::string kStart = Lines({"0 0 0 RG", "0 0 0 rg", "BT", "0 Ts", "1 0 0 1 10 20 Tm"});

class TextOutTest : public PrinterTest {
 protected:
  void Text(std::string_view text, bool escapes, long double charSpace = 0) {
    printer.TextOut(100, text, 10, 20, charSpace, 0, "Arial", 10, 0, escapes);
  }
};

// One run of text each, in a document of its own: what follows the common start lines.
TEST_F(TextOutTest, RunsWithAndWithoutEscapes) {
  const std::string caretBeforeA =
      Lines({"0 Ts", "(x) Tj", "(^) Tj", "<82A0> Tj", "(y) Tj", "0 Ts", "ET"});
  const struct {
    const char* text;
    bool escapes;
    std::string after;
  } cases[] = {
      // The first character alone, then the rest placed after it.
      {"AB", false, Lines({"(A) Tj", "0 Ts", "1 0 0 1 16.67 20 Tm", "(B) Tj", "ET"})},
      // The digit of an escape is dropped when escapes are on, written when they are off.
      {"x^2y", true, Lines({"0 Ts", "(x) Tj", "(y) Tj", "0 Ts", "ET"})},
      {"x^2y", false, Lines({"0 Ts", "(x) Tj", "(^2) Tj", "(y) Tj", "0 Ts", "ET"})},
      {"x^2y^3z", true, Lines({"0 Ts", "(x) Tj", "0 Ts", "(y) Tj", "(z) Tj", "0 Ts", "ET"})},
      // A code with nothing after it is written unchanged.
      {"x^u", true, Lines({"(x) Tj", "0 Ts", "1 0 0 1 15 20 Tm", "(^u) Tj", "ET"})},
      // Only the character after the code is raised.
      {"ab^ucd", true,
       Lines({"(a) Tj", "0 Ts", "(b) Tj", "0.5 0 0 0.5 21.12 20 Tm", "10 Ts", "(c) Tj", "0 Ts",
              "1 0 0 1 26.12 20 Tm", "(d) Tj", "ET"})},
      // A small character centred over the previous one.
      {"a^ob", true,
       Lines({"0 Ts", "-1.39 Tc", "(a) Tj", "0.5 0 0 0.5 11.39 20 Tm", "2.5 Ts", "0 Tc", "(b) Tj",
              "0 Ts", "ET"})},
      // The line escape moves to the next line.
      {"a^mb", true, Lines({"0 Ts", "(a) Tj", "T*", "(b) Tj", "0 Ts", "ET"})},
      // A caret first has an empty previous character.
      {"^ub", true,
       Lines({"0 Ts", "() Tj", "0.5 0 0 0.5 10 20 Tm", "10 Ts", "(b) Tj", "0 Ts", "ET"})},
      // Text is never split inside a character and never loses a byte: a lone lead byte at
      // the end, a caret before a double-byte character, an unknown escape letter.
      {"A\x82", true, Lines({"(A) Tj", "0 Ts", "1 0 0 1 16.67 20 Tm", "<82> Tj", "ET"})},
      {"x^\x82", true, Lines({"(x) Tj", "0 Ts", "1 0 0 1 15 20 Tm", "<5E82> Tj", "ET"})},
      {"x^\x82\xA0y", true, caretBeforeA},
      {"x^\x82\xA0y", false, caretBeforeA},
      {"a^zb", true, Lines({"0 Ts", "(a) Tj", "(^z) Tj", "(b) Tj", "0 Ts", "ET"})},
      {"a^^b", true, Lines({"0 Ts", "(a) Tj", "(^^) Tj", "(b) Tj", "0 Ts", "ET"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + (c.escapes ? " with escapes" : " without escapes"));
    printer.BeginDoc();
    Text(c.text, c.escapes);
    EXPECT_EQ(EndFirstPageDrawing(), kStart + c.after);
  }
}

TEST_F(TextOutTest, RaisingEscapesSetUpTheNextCharacterAtHalfWidth) {
  for (auto [code, rise] : {std::pair{'u', "10"}, {'d', "-5"}, {'c', "1.5"}}) {
    Text(std::string("a^") + code + "b", true);
  }
  const std::string raised = kStart + Lines({"0 Ts", "(a) Tj", "0.5 0 0 0.5 15.56 20 Tm"});
  const std::string lowered = Lines({"(b) Tj", "0 Ts", "ET"});
  EXPECT_EQ(EndFirstPageDrawing(), raised + Lines({"10 Ts"}) + lowered + raised + Lines({"-5 Ts"}) +
                                       lowered + raised + Lines({"1.5 Ts"}) + lowered);
}

TEST_F(TextOutTest, BackspacingAndOverstrikingEscapes) {
  Text("a^bb", true);
  Text("a^Bb", true);
  Text("a^nb", true);
  Text("a^Ob", true);
  auto run = [](const char* charSpace) {
    return kStart + Lines({"0 Ts", charSpace, "(a) Tj", "0 Tc", "(b) Tj", "0 Ts", "ET"});
  };
  EXPECT_EQ(EndFirstPageDrawing(),
            run("-3.336 Tc") + run("-4.17 Tc") + run("-5.56 Tc") + run("-5.56 Tc"));
}

TEST_F(TextOutTest, TextRiseFollowsFontSize) {
  printer.PdfTextRise = 0.25L;
  Text("AB", false);
  Text("a^ub", true);
  const std::string start = Lines({"0 0 0 RG", "0 0 0 rg", "BT", "2.5 Ts", "1 0 0 1 10 20 Tm"});
  EXPECT_EQ(EndFirstPageDrawing(),
            start + Lines({"(A) Tj", "2.5 Ts", "1 0 0 1 16.67 20 Tm", "(B) Tj", "ET"}) + start +
                Lines({"2.5 Ts", "(a) Tj", "0.5 0 0 0.5 15.56 20 Tm", "12.5 Ts", "(b) Tj", "2.5 Ts",
                       "ET"}));
}

TEST_F(TextOutTest, SingleByteRunsGetHalfTheCharacterSpacing) {
  Text("ABC", false, 2);
  EXPECT_EQ(EndFirstPageDrawing(), kStart + Lines({"2 Tc", "1 Tc", "(A) Tj", "0 Ts",
                                                   "1 0 0 1 18.67 20 Tm", "(BC) Tj", "ET"}));
}

TEST_F(TextOutTest, ShowTextRunsSplitsDoubleAndSingleByteRuns) {
  Canvas().BeginText();
  TPDFPrinter::ShowTextRuns(Canvas(),
                            "A\x82\xA0\x82\xA2"
                            "BC",
                            2);
  Canvas().EndText();
  EXPECT_EQ(EndFirstPageDrawing(),
            Lines({"BT", "1 Tc", "(A) Tj", "2 Tc", "<82A082A2> Tj", "1 Tc", "(BC) Tj", "ET"}));
}

TEST_F(TextOutTest, AngleTurnsTheMatrixAndTheAdvance) {
  printer.TextOut(100, "AB", 10, 20, 0, 90, "Arial", 10, 0, false);
  printer.TextOut(100, "AB", 10, 20, 0, std::numeric_limits<long double>::infinity(), "Arial", 10,
                  0, false);
  EXPECT_EQ(EndFirstPageDrawing(),
            Lines({"0 0 0 RG", "0 0 0 rg", "BT", "0 Ts", "0 1 -1 0 10 20 Tm", "(A) Tj", "0 Ts",
                   "0 1 -1 0 10 26.67 Tm", "(B) Tj", "ET"}) +
                kStart + Lines({"(A) Tj", "0 Ts", "1 0 0 1 16.67 20 Tm", "(B) Tj", "ET"}));
}

TEST_F(TextOutTest, HorizontalScalingFontAndColour) {
  printer.TextOut(200, "AB", 10, 20, 0, 0, "Times-Roman", 12, 0x0000FF, false);
  printer.TextOut(450, "A", 10, 20, 0, 0, "Times-Roman", 12, 0, false);
  EXPECT_EQ(EndFirstPageDrawing(),
            Lines({"1 0 0 RG", "1 0 0 rg", "BT", "0 Ts", "200 Tz", "/F1 12 Tf", "1 0 0 1 10 20 Tm",
                   "(A) Tj", "0 Ts", "1 0 0 1 27.328 20 Tm", "(B) Tj", "ET"}) +
                Lines({"0 0 0 RG", "0 0 0 rg", "BT", "0 Ts", "450 Tz", "1 0 0 1 10 20 Tm", "(A) Tj",
                       "0 Ts", "ET"}));
}

TEST_F(TextOutTest, UnregisteredFontNameFails) {
  EXPECT_THROW(printer.TextOut(100, "A", 0, 0, 0, 0, "NoSuchFont", 10, 0, false), EClassNotFound);
}

TEST(CountMBCSChars, LeadAndTrailByteCountAsOne) {
  EXPECT_EQ(TPDFPrinter::CountMBCSChars(""), 0);
  EXPECT_EQ(TPDFPrinter::CountMBCSChars("abc"), 3);
  EXPECT_EQ(TPDFPrinter::CountMBCSChars("\x82\xA0\x82\xA2"
                                        "A"),
            3);
  EXPECT_EQ(TPDFPrinter::CountMBCSChars("\x83\x5E^"), 2);
  EXPECT_EQ(TPDFPrinter::CountMBCSChars("A\x82"), 2);
}

}  // namespace
}  // namespace kyrovane::test
