// The Japanese CID fonts: their objects, their widths and what real readers make of them.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfJpFonts.h"
#include "pdf/PdfJpWidths.h"
#include "pdf/PdfXref.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

struct TFaceRow {
  const char* name;
  const char* encoding;
  int flags;
  int italicAngle;
  int stemV;
  bool proportional;
};

const TFaceRow kFaces[] = {
    {"Gothic", "90ms-RKSJ-H", 5, 0, 78, false},
    {"GothicV", "90ms-RKSJ-V", 5, 0, 78, false},
    {"Gothic,Bold", "90ms-RKSJ-H", 262149, 0, 156, false},
    {"Gothic,Italic", "90ms-RKSJ-H", 5, -11, 78, false},
    {"Gothic,BoldItalic", "90ms-RKSJ-H", 262149, -11, 156, false},
    {"Mincyo", "90ms-RKSJ-H", 7, 0, 78, false},
    {"MincyoV", "90ms-RKSJ-V", 7, 0, 78, false},
    {"Mincyo,Bold", "90ms-RKSJ-H", 262151, 0, 156, false},
    {"Mincyo,Italic", "90ms-RKSJ-H", 7, -11, 78, false},
    {"Mincyo,BoldItalic", "90ms-RKSJ-H", 262151, -11, 156, false},
    {"PGothic", "90msp-RKSJ-H", 4, 0, 78, true},
    {"PGothic,Bold", "90msp-RKSJ-H", 262148, 0, 156, true},
    {"PGothic,Italic", "90msp-RKSJ-H", 4, -11, 78, true},
    {"PGothic,BoldItalic", "90msp-RKSJ-H", 262148, -11, 156, true},
    {"PMincyo", "90msp-RKSJ-H", 6, 0, 78, true},
    {"PMincyo,Bold", "90msp-RKSJ-H", 262150, 0, 156, true},
    {"PMincyo,Italic", "90msp-RKSJ-H", 6, -11, 78, true},
    {"PMincyo,BoldItalic", "90msp-RKSJ-H", 262150, -11, 156, true},
};

int Width(const std::string& font, std::string_view text, std::size_t pos) {
  TPdfXref xref;
  return CreatePdfFont(font, xref)->GetCharWidth(text, pos);
}

TEST(JpFontObjects, GothicIsThreeConsecutiveObjectsByteForByte) {
  TPdfXref xref;
  auto font = CreatePdfFont("Gothic", xref);
  ASSERT_EQ(xref.ItemCount(), 4);
  EXPECT_EQ(font->Data(), xref.GetObject(1));
  EXPECT_EQ(test::Definition(*xref.GetObject(1)),
            "1 0 obj\r\n<<\r\n/BaseFont /Gothic\r\n/DescendantFonts [2 0 R ]\r\n/Type /Font\r\n"
            "/Subtype /Type0\r\n/Encoding /90ms-RKSJ-H\r\n>>\r\nendobj\r\n");
  EXPECT_EQ(test::Definition(*xref.GetObject(2)),
            "2 0 obj\r\n<<\r\n/Type /Font\r\n/Subtype /CIDFontType2\r\n/WinCharSet /128\r\n"
            "/BaseFont /Gothic\r\n/CIDSystemInfo <<\r\n/Registry (Adobe)\r\n"
            "/Ordering (Japan1)\r\n/Supplement 2\r\n>>\r\n/DW 1000\r\n/W [231 631 500 ]\r\n"
            "/FontDescriptor 3 0 R\r\n>>\r\nendobj\r\n");
  EXPECT_EQ(test::Definition(*xref.GetObject(3)),
            "3 0 obj\r\n<<\r\n/Type /FontDescriptor\r\n/FontName /Gothic\r\n/Ascent 859\r\n"
            "/CapHeight 859\r\n/Descent -141\r\n/MissingWidth 500\r\n/Flags 5\r\n"
            "/ItalicAngle 0\r\n/StemV 78\r\n/FontBBox [0 -141 1000 859 ]\r\n>>\r\nendobj\r\n");
}

TEST(JpFontObjects, InADocumentTheFontDictionaryEndsWithItsResourceName) {
  test::ScopedPdfClock clock;
  TPdfDoc doc;
  doc.NewDoc();
  doc.AddPage();  // objects 5 and 6, and the default font "Arial" as object 7, "F0"
  doc.GetCanvas().SetFont("Gothic", 12);
  ASSERT_EQ(doc.GetXref().ItemCount(), 11);
  EXPECT_EQ(test::Definition(*doc.GetXref().GetObject(8)),
            "8 0 obj\r\n<<\r\n/BaseFont /Gothic\r\n/DescendantFonts [9 0 R ]\r\n/Type /Font\r\n"
            "/Subtype /Type0\r\n/Encoding /90ms-RKSJ-H\r\n/Name /F1\r\n>>\r\nendobj\r\n");
  EXPECT_EQ(&doc.GetFont("Gothic"), &doc.GetFont("Gothic"));
  EXPECT_EQ(doc.GetXref().ItemCount(), 11);
}

TEST(JpFontObjects, EveryFaceNamesItselfAndItsCMap) {
  for (const TFaceRow& face : kFaces) {
    SCOPED_TRACE(face.name);
    TPdfXref xref;
    auto font = CreatePdfFont(face.name, xref);
    EXPECT_EQ(font->Name(), face.name);
    ASSERT_EQ(xref.ItemCount(), 4);
    auto* dictionary = dynamic_cast<TPdfDictionary*>(xref.GetObject(1));
    auto* descendant = dynamic_cast<TPdfDictionary*>(xref.GetObject(2));
    auto* descriptor = dynamic_cast<TPdfDictionary*>(xref.GetObject(3));
    ASSERT_TRUE(dictionary && descendant && descriptor);
    EXPECT_EQ(dictionary->PdfNameByName("BaseFont")->Value(), face.name);
    EXPECT_EQ(dictionary->PdfNameByName("Encoding")->Value(), face.encoding);
    EXPECT_EQ(descendant->PdfNameByName("BaseFont")->Value(), face.name);
    EXPECT_EQ(descriptor->PdfNameByName("FontName")->Value(), face.name);
    EXPECT_EQ(descriptor->PdfNumberByName("Flags")->Value(), face.flags);
    EXPECT_EQ(descriptor->PdfNumberByName("ItalicAngle")->Value(), face.italicAngle);
    EXPECT_EQ(descriptor->PdfNumberByName("StemV")->Value(), face.stemV);
    const std::string written = test::Definition(*descendant);
    if (face.proportional) {
      EXPECT_NE(written.find("/W [1 [305 219 500 500 500 500 594 203 305 305 500 500 "),
                std::string::npos);
      EXPECT_EQ(descendant->PdfArrayByName("W")->ItemCount(), 20u);
    } else {
      EXPECT_NE(written.find("/W [231 631 500 ]\r\n"), std::string::npos);
    }
  }
}

TEST(JpFontObjects, NamesAreExact) {
  TPdfXref xref;
  EXPECT_THROW(CreatePdfFont("gothic", xref), EClassNotFound);
  EXPECT_THROW(CreatePdfFont("Gothic,bold", xref), EClassNotFound);
  EXPECT_THROW(CreatePdfFont("PGothicV", xref), EClassNotFound);
  EXPECT_EQ(xref.ItemCount(), 1);
}

TEST(JpWidthData, ProportionalRunsHaveTheirStartsAndLengths) {
  const std::vector<std::pair<int, std::size_t>> expected = {
      {1, 95},   {326, 64}, {633, 63}, {771, 8},  {780, 10},
      {790, 26}, {816, 26}, {842, 83}, {925, 63}, {988, 23}};
  const auto runs = ProportionalWidthRuns();
  ASSERT_EQ(runs.size(), expected.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(runs[i].StartCID, expected[i].first);
    EXPECT_EQ(runs[i].Widths.size(), expected[i].second);
    for (std::uint16_t w : runs[i].Widths) {
      EXPECT_GT(w, 0);
      EXPECT_LE(w, 1000);
    }
  }
  for (std::uint16_t w : runs[4].Widths) EXPECT_EQ(w, 684);  // full-width digits
}

TEST(JpCharWidth, FixedPitch) {
  const std::string aa = "\x82\xA0";  // あ
  for (const char* font : {"Gothic", "GothicV", "Mincyo,BoldItalic"}) {
    SCOPED_TRACE(font);
    EXPECT_EQ(Width(font, "A", 0), 500);
    EXPECT_EQ(Width(font, "~", 0), 500);     // CID 631, the last half-width form
    EXPECT_EQ(Width(font, "\xB1", 0), 500);  // half-width katakana
    EXPECT_EQ(Width(font, "\x80", 0), 500);  // unmapped: CID 0, the missing width
    EXPECT_EQ(Width(font, aa, 0), 1000);     // no run: the default width
    EXPECT_EQ(Width(font, aa, 1), 0);        // the trail byte adds nothing
    EXPECT_EQ(Width(font, "\xFC\x4B", 0), 1000);
  }
}

TEST(JpCharWidth, Proportional) {
  for (const char* font : {"PGothic", "PMincyo", "PGothic,Bold"}) {
    SCOPED_TRACE(font);
    EXPECT_EQ(Width(font, " ", 0), 305);
    EXPECT_EQ(Width(font, "!", 0), 219);
    EXPECT_EQ(Width(font, "&", 0), 594);
    EXPECT_EQ(Width(font, "A", 0), 633);
    EXPECT_EQ(Width(font, "~", 0), 414);         // CID 95, the last proportional Roman
    EXPECT_EQ(Width(font, "\xB1", 0), 617);      // half-width katakana are proportional
    EXPECT_EQ(Width(font, "\x82\x4F", 0), 684);  // full-width digit zero
    EXPECT_EQ(Width(font, "\x82\x4F", 1), 0);
    EXPECT_EQ(Width(font, "\x81\xF0", 0), 1000);  // CID 771
    EXPECT_EQ(Width(font, "\x81\xF5", 0), 500);   // CID 776
    EXPECT_EQ(Width(font, "\x82\xA0", 0), 941);   // あ
    EXPECT_EQ(Width(font, "\x88\x9F", 0), 1000);  // 亜: beyond every run
  }
}

TEST(JpCharWidth, LoneLeadByteAtTheEndReadsNothingBeyond) {
  // The view ends at the lead byte; the byte after it in memory would make "あ" (941 wide).
  const std::string memory = "A\x82\xA0";
  const std::string_view text(memory.data(), 2);
  // CID 0 has no width; the lead byte counts as a double-byte character.
  EXPECT_EQ(Width("PGothic", text, 1), 1000);
  EXPECT_EQ(Width("Gothic", text, 1), 1000);
  EXPECT_EQ(Width("Gothic", text, 2), 0);  // past the end
}

// A font whose descendant carries the given "W" array, DW 900 and MissingWidth 400.
class JpWidthArrays : public ::testing::Test {
 protected:
  TPdfType0Font& Font() { return *font_; }

  void Bind(std::unique_ptr<TPdfArray> w) {
    auto descriptor = std::make_unique<TPdfDictionary>(&xref_);
    descriptor->AddNumberItem("MissingWidth", 400);
    auto descendant = std::make_unique<TPdfDictionary>(&xref_);
    descendant->AddNumberItem("DW", 900);
    descendant->AddItem("W", std::move(w));
    descendant->AddItem("FontDescriptor", std::move(descriptor));
    auto descendants = std::make_unique<TPdfArray>(&xref_);
    descendants->AddItem(std::move(descendant));
    dictionary_.AddItem("DescendantFonts", std::move(descendants));
    Font().SetData(&dictionary_);
  }

  std::unique_ptr<TPdfArray> Numbers(std::initializer_list<int> values) {
    return TPdfArray::CreateNumArray(&xref_, values);
  }

  std::string Message(std::unique_ptr<TPdfArray> w) {
    try {
      Bind(std::move(w));
    } catch (const EPdfInvalidValue& error) {
      return error.what();
    }
    return "no error";
  }

  TPdfXref xref_;
  std::unique_ptr<TPdfType0Font> font_{
      dynamic_cast<TPdfType0Font*>(CreatePdfFont("Gothic", xref_).release())};
  TPdfDictionary dictionary_{&xref_};
};

TEST_F(JpWidthArrays, BothFormsAndTheDefaults) {
  auto w = Numbers({10, 12, 700});
  w->AddItem(std::make_unique<TPdfNumber>(264));
  w->AddItem(Numbers({250, 260}));
  w->AddItem(std::make_unique<TPdfNumber>(99999));  // a lone start at the end is ignored
  Bind(std::move(w));
  ASSERT_EQ(Font().Widths().size(), 3u);
  EXPECT_EQ(CIDWidth(Font().Widths(), 10), 700);
  EXPECT_EQ(CIDWidth(Font().Widths(), 12), 700);
  EXPECT_EQ(CIDWidth(Font().Widths(), 13), 0);
  EXPECT_EQ(Font().GetCharWidth("A", 0), 250);         // CID 264
  EXPECT_EQ(Font().GetCharWidth("B", 0), 260);         // CID 265
  EXPECT_EQ(Font().GetCharWidth("C", 0), 400);         // CID 266: missing width
  EXPECT_EQ(Font().GetCharWidth("\x82\xA0", 0), 900);  // default width
}

TEST_F(JpWidthArrays, TheFirstRunEndingAtOrAfterTheCIDDecides) {
  // 264 lies in the second run, but the first one ends after it and starts too late.
  Bind(Numbers({300, 400, 700, 100, 500, 600}));
  EXPECT_EQ(Font().GetCharWidth("A", 0), 400);  // CID 264 → 0 → missing width
  EXPECT_EQ(Font().GetCharWidth("\x81\x40", 0), 900);
  EXPECT_EQ(CIDWidth(Font().Widths(), 350), 700);
  EXPECT_EQ(CIDWidth(Font().Widths(), 450), 600);
  EXPECT_EQ(CIDWidth(Font().Widths(), 501), 0);
}

TEST_F(JpWidthArrays, MalformedArraysRaiseTheirErrors) {
  auto nameFirst = std::make_unique<TPdfArray>(&xref_);
  nameFirst->AddItem(std::make_unique<TPdfName>("x"));
  EXPECT_EQ(Message(std::move(nameFirst)), "invalid W array start pos..");

  EXPECT_EQ(Message(Numbers({1, 2})), "invalid W array end pos..");

  auto textEnd = Numbers({1, 2});
  textEnd->AddItem(std::make_unique<TPdfText>("500"));
  EXPECT_EQ(Message(std::move(textEnd)), "invalid W array end pos..");

  auto nameValue = Numbers({1});
  nameValue->AddItem(std::make_unique<TPdfName>("w"));
  EXPECT_EQ(Message(std::move(nameValue)), "invalid W array value..");

  auto nested = Numbers({1});
  auto widths = Numbers({500});
  widths->AddItem(std::make_unique<TPdfName>("w"));
  nested->AddItem(std::move(widths));
  EXPECT_EQ(Message(std::move(nested)), "invalid W array value..");
}

TEST(JpTextWidth, CanvasMeasuresShiftJisRuns) {
  test::ScopedPdfClock clock;
  TPdfDoc doc;
  doc.NewDoc();
  doc.AddPage();
  TPdfCanvas& canvas = doc.GetCanvas();
  // "Aあｱ漢": 500 + 1000 + 500 + 1000 in Gothic; 633 + 941 + 617 + 1000 in PGothic.
  const std::string text = "A\x82\xA0\xB1\x8A\xBF";
  canvas.SetFont("Gothic", 10);
  EXPECT_DOUBLE_EQ(static_cast<double>(canvas.TextWidth(text)), 30.0);
  // Character spacing follows each of the four characters but the last, never a trail byte.
  canvas.SetCharSpace(1);
  EXPECT_DOUBLE_EQ(static_cast<double>(canvas.TextWidth(text)), 33.0);
  canvas.SetCharSpace(0);
  canvas.SetFont("PGothic", 10);
  EXPECT_DOUBLE_EQ(static_cast<double>(canvas.TextWidth(text)), 31.91);
  canvas.SetFont("GothicV", 20);
  EXPECT_DOUBLE_EQ(static_cast<double>(canvas.TextWidth(text)), 60.0);
}

}  // namespace
}  // namespace kyrovane
