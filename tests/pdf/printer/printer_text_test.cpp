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

TEST_F(TextOutTest, FirstCharacterAloneThenTheRestPlacedAfterIt) {
  Text("AB", false);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"(A) Tj", "0 Ts", "1 0 0 1 16.67 20 Tm", "(B) Tj", "ET"}));
}

TEST_F(TextOutTest, EscapeDigitIsDroppedWhenEscapesAreOn) {
  Text("x^2y", true);
  EXPECT_EQ(EndFirstPageDrawing(), kStart + Lines({"0 Ts", "(x) Tj", "(y) Tj", "0 Ts", "ET"}));
}

TEST_F(TextOutTest, EscapesOffWriteEveryCharacterInOrder) {
  Text("x^2y", false);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"0 Ts", "(x) Tj", "(^2) Tj", "(y) Tj", "0 Ts", "ET"}));
}

TEST_F(TextOutTest, TrailingCodeWithNothingAfterItIsWrittenUnchanged) {
  Text("x^u", true);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"(x) Tj", "0 Ts", "1 0 0 1 15 20 Tm", "(^u) Tj", "ET"}));
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

TEST_F(TextOutTest, RaisedCharacterIsOnlyTheOneAfterTheCode) {
  Text("ab^ucd", true);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"(a) Tj", "0 Ts", "(b) Tj", "0.5 0 0 0.5 21.12 20 Tm", "10 Ts",
                            "(c) Tj", "0 Ts", "1 0 0 1 26.12 20 Tm", "(d) Tj", "ET"}));
}

TEST_F(TextOutTest, SmallCharacterCentredOverThePreviousOne) {
  Text("a^ob", true);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"0 Ts", "-1.39 Tc", "(a) Tj", "0.5 0 0 0.5 11.39 20 Tm", "2.5 Ts",
                            "0 Tc", "(b) Tj", "0 Ts", "ET"}));
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

TEST_F(TextOutTest, LineEscapeMovesToTheNextLine) {
  Text("a^mb", true);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"0 Ts", "(a) Tj", "T*", "(b) Tj", "0 Ts", "ET"}));
}

TEST_F(TextOutTest, CaretFirstHasAnEmptyPreviousCharacter) {
  Text("^ub", true);
  EXPECT_EQ(EndFirstPageDrawing(), kStart + Lines({"0 Ts", "() Tj", "0.5 0 0 0.5 10 20 Tm", "10 Ts",
                                                   "(b) Tj", "0 Ts", "ET"}));
}

TEST_F(TextOutTest, SeveralEscapesInOneText) {
  Text("x^2y^3z", true);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"0 Ts", "(x) Tj", "0 Ts", "(y) Tj", "(z) Tj", "0 Ts", "ET"}));
}

TEST_F(TextOutTest, TextRiseFollowsFontSize) {
  printer.PdfTextRise = 0.25L;
  Text("AB", false);
  Text("a^ub", true);
  EXPECT_EQ(EndFirstPageDrawing(), Lines({"0 0 0 RG",
                                          "0 0 0 rg",
                                          "BT",
                                          "2.5 Ts",
                                          "1 0 0 1 10 20 Tm",
                                          "(A) Tj",
                                          "2.5 Ts",
                                          "1 0 0 1 16.67 20 Tm",
                                          "(B) Tj",
                                          "ET",
                                          "0 0 0 RG",
                                          "0 0 0 rg",
                                          "BT",
                                          "2.5 Ts",
                                          "1 0 0 1 10 20 Tm",
                                          "2.5 Ts",
                                          "(a) Tj",
                                          "0.5 0 0 0.5 15.56 20 Tm",
                                          "12.5 Ts",
                                          "(b) Tj",
                                          "2.5 Ts",
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
  EXPECT_EQ(EndFirstPageDrawing(), Lines({"1 0 0 RG",
                                          "1 0 0 rg",
                                          "BT",
                                          "0 Ts",
                                          "200 Tz",
                                          "/F1 12 Tf",
                                          "1 0 0 1 10 20 Tm",
                                          "(A) Tj",
                                          "0 Ts",
                                          "1 0 0 1 27.328 20 Tm",
                                          "(B) Tj",
                                          "ET",
                                          "0 0 0 RG",
                                          "0 0 0 rg",
                                          "BT",
                                          "0 Ts",
                                          "450 Tz",
                                          "1 0 0 1 10 20 Tm",
                                          "(A) Tj",
                                          "0 Ts",
                                          "ET"}));
}

TEST_F(TextOutTest, UnregisteredFontNameFails) {
  EXPECT_THROW(printer.TextOut(100, "A", 0, 0, 0, 0, "NoSuchFont", 10, 0, false), EClassNotFound);
}

// Text is never split inside a character and never loses a byte.
using TextFaultTest = TextOutTest;

TEST_F(TextFaultTest, LoneLeadByteAtTheEndIsKept) {
  Text("A\x82", true);
  Text("x^\x82", true);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"(A) Tj", "0 Ts", "1 0 0 1 16.67 20 Tm", "<82> Tj", "ET"}) + kStart +
                Lines({"(x) Tj", "0 Ts", "1 0 0 1 15 20 Tm", "<5E82> Tj", "ET"}));
}

TEST_F(TextFaultTest, CaretBeforeADoubleByteCharacterKeepsBoth) {
  Text("x^\x82\xA0y", true);
  Text("x^\x82\xA0y", false);
  const std::string expected =
      kStart + Lines({"0 Ts", "(x) Tj", "(^) Tj", "<82A0> Tj", "(y) Tj", "0 Ts", "ET"});
  EXPECT_EQ(EndFirstPageDrawing(), expected + expected);
}

TEST_F(TextFaultTest, UnknownEscapeLetterIsWrittenAsItStands) {
  Text("a^zb", true);
  Text("a^^b", true);
  EXPECT_EQ(EndFirstPageDrawing(),
            kStart + Lines({"0 Ts", "(a) Tj", "(^z) Tj", "(b) Tj", "0 Ts", "ET"}) + kStart +
                Lines({"0 Ts", "(a) Tj", "(^^) Tj", "(b) Tj", "0 Ts", "ET"}));
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
