// The page canvas: the exact operator lines, the text state, fonts and images on the page,
// and text widths.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfImageCreator.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

class PdfCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_.NewDoc();
    doc_.AddPage();
  }
  TPdfCanvas& canvas() { return doc_.GetCanvas(); }
  // What the calls of the test wrote after the default font line.
  std::string Written() {
    std::string contents = test::PageContents(doc_);
    EXPECT_EQ(contents.substr(0, 10), "/F0 10 Tf\n");
    return contents.substr(10);
  }
  std::string Resources(std::string_view kind) {
    return test::Body(
        *canvas().Page()->PdfDictionaryByName("Resources")->PdfDictionaryByName(kind));
  }
  // Registers an image object under the name without any picture class.
  void AddImage(const std::string& name) {
    auto image = std::make_unique<TPdfXObject>(&doc_.GetXref());
    image->Attributes().AddNameItem("Type", "XObject");
    doc_.RegisterXObject(std::move(image), name);
  }

  TPdfDoc doc_;
};

TEST_F(PdfCanvasTest, PathAndStateOperators) {
  canvas().GSave();
  canvas().Concat(1, 0, 0, 1, 10.5, -20);
  canvas().SetLineCap(1);
  canvas().SetLineWidth(0.1);
  canvas().MoveTo(10, 20);
  canvas().LineTo(30.0004, 2.0L / 3);
  canvas().CurveToC(1, 2, 3, 4, 5, 6);
  canvas().Rectangle(0, 0, 596, 842);
  canvas().Stroke();
  canvas().Fill();
  canvas().FillStroke();
  canvas().GRestore();
  EXPECT_EQ(Written(),
            "q\n1 0 0 1 10.5 -20 cm\n1 J\n0.1 w\n10 20 m\n30 0.667 l\n1 2 3 4 5 6 c\n"
            "0 0 596 842 re\nS\nf\nB\nQ\n");
}

TEST_F(PdfCanvasTest, TextOperators) {
  canvas().BeginText();
  canvas().SetTextRise(-2.5);
  canvas().SetTextMatrix(0, 1, -1, 0, 100, 200);
  canvas().SetFontAndSize("/F3", 12);
  canvas().ShowText("a(b)");
  canvas().ShowText("\x82\xA0\x82\xA2");  // あい
  canvas().ShowText("\xB1");              // half-width katakana stays a literal
  canvas().MoveToNextLine();
  canvas().EndText();
  EXPECT_EQ(Written(),
            "BT\n-2.5 Ts\n0 1 -1 0 100 200 Tm\n/F3 12 Tf\n(a\\(b\\)) Tj\n<82A082A2> Tj\n"
            "(\xB1) Tj\nT*\nET\n");
}

// The fixed Japanese faces write a blank as the move it makes, its character spacing
// included: to the right by its width, or down by a whole character in vertical writing.
TEST_F(PdfCanvasTest, BlanksOfTheFixedJapaneseFacesAreMoves) {
  canvas().SetFont("Gothic", 10);
  canvas().ShowText("1 2  \x82\xA0 ");
  canvas().SetCharSpace(1);
  canvas().ShowText(" A");
  canvas().SetFont("GothicV", 10);
  canvas().ShowText("A B");
  canvas().SetFont("PGothic", 10);
  canvas().ShowText("A B");
  canvas().SetFont("Gothic", 0);
  canvas().ShowText("A B");
  EXPECT_EQ(Written(),
            "/F1 10 Tf\n[(1) -500 (2) -1000 <82A0> -500] TJ\n1 Tc\n[-600 (A)] TJ\n/F2 10 Tf\n"
            "[(A) 900 (B)] TJ\n/F3 10 Tf\n(A B) Tj\n/F1 0 Tf\n(A B) Tj\n");
}

TEST_F(PdfCanvasTest, ColoursRedFirstWithRoundedComponents) {
  canvas().SetRGBStrokeColor(0x0000FF);
  canvas().SetRGBFillColor(0xFFFFFF);
  canvas().SetRGBFillColor(0);
  canvas().SetRGBStrokeColor(0x000180);
  canvas().SetRGBFillColor(static_cast<TColor>(0xFF00FF00));  // high byte set
  EXPECT_EQ(Written(), "1 0 0 RG\n1 1 1 rg\n0 0 0 rg\n0.502 0.004 0 RG\n0 1 0 rg\n");
}

TEST_F(PdfCanvasTest, WidthsRoundUpOtherNumbersToEven) {
  canvas().SetLineWidth(0.0005);
  canvas().MoveTo(1.0625, 1.1875);  // exact halves of a thousandth
  canvas().SetLineWidth(1.0625);
  EXPECT_EQ(Written(), "0.001 w\n1.062 1.188 m\n1.063 w\n");
}

TEST_F(PdfCanvasTest, DashPatterns) {
  const std::vector<long double> dashed{6, 2}, solid{0}, startsSolid{0, 3}, none;
  canvas().SetDash(dashed, 0);
  canvas().SetDash(dashed, 1.5);
  canvas().SetDash(none, 0);
  canvas().SetDash(solid, 0);
  canvas().SetDash(startsSolid, 2);
  EXPECT_EQ(Written(), "[6 2 ] 0 d\n[6 2 ] 1.5 d\n[] 0 d\n[] 0 d\n[] 2 d\n");
}

TEST_F(PdfCanvasTest, NumbersFromBrokenDrawingsStayValid) {
  canvas().MoveTo(std::nanl(""), 1e300L);
  canvas().LineTo(-INFINITY, -1e20L);
  canvas().SetLineWidth(std::nanl(""));
  EXPECT_EQ(Written(), "0 2147483647 m\n0 -2147483647 l\n0 w\n");
}

TEST_F(PdfCanvasTest, CharacterSpacingOnlyWhenItChanges) {
  canvas().SetCharSpace(0);
  canvas().SetCharSpace(0.5);
  canvas().SetCharSpace(0.5);
  canvas().SetCharSpace(-1);
  canvas().SetCharSpace(std::nanl(""));
  EXPECT_EQ(Written(), "0.5 Tc\n-1 Tc\n0 Tc\n");
}

TEST_F(PdfCanvasTest, HorizontalScalingIsWrittenAsGiven) {
  canvas().SetHorizontalScaling(100);
  canvas().SetHorizontalScaling(300);
  canvas().SetHorizontalScaling(450);  // wide texts of drawings go beyond 300 %
  canvas().SetHorizontalScaling(450);
  canvas().SetHorizontalScaling(65535);
  EXPECT_EQ(Written(), "300 Tz\n450 Tz\n65535 Tz\n");
}

TEST_F(PdfCanvasTest, FontsAreSelectedOnceAndListedOnce) {
  canvas().SetFont("Arial", 10);  // already current
  canvas().SetFont("Times-Roman", 12);
  canvas().SetFont("Times-Roman", 12);
  canvas().SetFont("Times-Roman", 9);
  EXPECT_EQ(Resources("Font"), "<<\r\n/F0 7 0 R\r\n/F1 8 0 R\r\n>>");
  // Mirrored sizes are written by their magnitude.
  canvas().SetFont("Arial", -12);
  canvas().SetFont("Arial", 12);
  canvas().SetFont("Arial", std::nanl(""));
  EXPECT_EQ(Written(), "/F1 12 Tf\n/F1 9 Tf\n/F0 12 Tf\n/F0 0 Tf\n");
  EXPECT_EQ(canvas().Attr().FontSize(), 0);
}

TEST_F(PdfCanvasTest, AnUnknownFontChangesNothing) {
  EXPECT_EQ(test::MessageOf([&] { canvas().SetFont("Comic", 10); }),
            "クラス Comic が見つかりません");
  EXPECT_EQ(Written(), "");
  EXPECT_EQ(canvas().Attr().Font()->Name(), "Arial");
}

TEST_F(PdfCanvasTest, ImagesAreListedOnceAndDrawnEachTime) {
  AddImage("pic");
  canvas().DrawXObject("pic", 10, 20, 100, 50);
  canvas().DrawXObject("pic", 0, 0, 1, 1);
  EXPECT_EQ(Written(), "q\n100 0 0 50 10 20 cm\n/pic Do\nQ\nq\n1 0 0 1 0 0 cm\n/pic Do\nQ\n");
  EXPECT_EQ(Resources("XObject"), "<<\r\n/pic 8 0 R\r\n>>");
  EXPECT_EQ(test::MessageOf([&] { canvas().DrawXObject("nope", 0, 0, 1, 1); }),
            "XObject not found: nope");
}

TEST_F(PdfCanvasTest, ImageNamesAreEscapedWhereTheyAreUsed) {
  const std::string name = "a b(1)[\x93\xFA].bmp";
  AddImage(name);
  canvas().DrawXObject(name, 0, 0, 2, 2);
  canvas().ExecuteXObject("x/y");
  const std::string escaped = "a#20b#281#29#5B#93#FA#5D.bmp";
  EXPECT_EQ(Written(), "q\n2 0 0 2 0 0 cm\n/" + escaped + " Do\nQ\n/x#2Fy Do\n");
  EXPECT_EQ(Resources("XObject"), "<<\r\n/" + escaped + " 8 0 R\r\n>>");
}

TEST_F(PdfCanvasTest, TextWidthFollowsTheTextState) {
  canvas().SetFont("Arial", 10);
  EXPECT_NEAR(canvas().TextWidth("AB"), 13.34, 1e-12);
  EXPECT_EQ(canvas().TextWidth(""), 0);
  canvas().SetCharSpace(1);
  canvas().Attr().SetWordSpace(2);
  // A, space, A: two character spacings inside, the word space of the inner space.
  EXPECT_NEAR(canvas().TextWidth("A A"), 6.67 + 2.78 + 6.67 + 2 + 2, 1e-12);
  // A trailing space gets no word space; code 127 has no width and no spacing.
  EXPECT_NEAR(canvas().TextWidth("A \x7F"), 6.67 + 1 + 2.78 + 2, 1e-12);
  EXPECT_NEAR(canvas().TextWidth("A "), 6.67 + 1 + 2.78, 1e-12);
  canvas().SetHorizontalScaling(50);
  EXPECT_NEAR(canvas().TextWidth("AB"), 3.335 * 2 + 1, 1e-12);
  EXPECT_EQ(canvas().TextWidth(""), -1);
}

TEST_F(PdfCanvasTest, ANewPageStartsWithAFreshTextState) {
  canvas().SetFont("Times-Roman", 12);
  canvas().SetCharSpace(2);
  canvas().SetHorizontalScaling(80);
  canvas().Attr().SetWordSpace(3);
  TPdfDictionary* first = canvas().Page();
  doc_.AddPage();
  EXPECT_EQ(first->PdfNameByName("_Font")->Value(), "Times-Roman");
  EXPECT_EQ(first->PdfRealByName("_Font_Size")->Value(), 12);
  EXPECT_EQ(first->PdfRealByName("_Word_Space")->Value(), 3);
  EXPECT_EQ(first->PdfRealByName("_Char_Space")->Value(), 2);
  EXPECT_EQ(first->PdfNumberByName("_HScalling")->Value(), 80);
  EXPECT_EQ(canvas().Attr().CharSpace(), 0);
  EXPECT_EQ(canvas().Attr().WordSpace(), 0);
  EXPECT_EQ(canvas().Attr().HorizontalScaling(), 100);
  EXPECT_EQ(Written(), "");
  EXPECT_EQ(Resources("Font"), "<<\r\n/F0 7 0 R\r\n>>");
}

TEST_F(PdfCanvasTest, PageSizeCanChangeAfterThePageIsMade) {
  canvas().SetPageWidth(2384);
  canvas().SetPageHeight(1683.78);
  EXPECT_EQ(test::Body(*canvas().Page()->PdfArrayByName("MediaBox")), "[0 0 2384 1683.78 ]");
  EXPECT_EQ(Written(), "");
}

TEST(PdfCanvasState, AttributeChecks) {
  TPdfCanvasAttribute attr;
  EXPECT_EQ(test::MessageOf([&] { attr.SetWordSpace(-0.1); }), "invalid word space");
  EXPECT_EQ(test::MessageOf([&] { attr.SetFontSize(-1); }), "invalid font size");
  EXPECT_THROW(attr.SetFontSize(-1), EPdfInvalidValue);
  attr.SetFontSize(0);
  attr.SetWordSpace(0);
  EXPECT_EQ(attr.TextWidth("abc"), 0);  // no font: nothing to measure
}

TEST(PdfCanvasState, ACanvasWithoutPageWritesNothing) {
  TPdfPCanvas canvas;
  canvas.SetCharSpace(3);
  canvas.SetHorizontalScaling(50);
  EXPECT_EQ(canvas.Attr().CharSpace(), 3);
  EXPECT_EQ(canvas.Attr().HorizontalScaling(), 50);
  EXPECT_EQ(test::MessageOf([&] { canvas.Stroke(); }), "the canvas has no page.");
  EXPECT_THROW(canvas.SetFont("Arial", 10), EPdfInvalidOperation);
  EXPECT_THROW(canvas.SetPageWidth(10), EPdfInvalidOperation);
}

}  // namespace
}  // namespace kyrovane
