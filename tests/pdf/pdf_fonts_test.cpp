// The standard Type1 fonts and the class registry.

#include <gtest/gtest.h>

#include <sstream>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfFonts.h"
#include "pdf/PdfXref.h"
#include "pdf_test_support.h"

namespace kyrovane {
namespace {

int Width(const std::string& font, unsigned char code) {
  TPdfXref xref;
  std::string text(1, static_cast<char>(code));
  return CreatePdfFont(font, xref)->GetCharWidth(text, 0);
}

TEST(PdfType1Fonts, SampleWidths) {
  EXPECT_EQ(Width("Arial", 'A'), 667);
  EXPECT_EQ(Width("FixedWidth", 'A'), 600);
  EXPECT_EQ(Width("Times-Roman", 'A'), 722);
  const int helvetica[] = {278, 278, 355, 556, 556, 889, 667, 191};
  const int times[] = {250, 333, 408, 500, 500, 833, 778, 180};
  for (int code = 32; code < 40; ++code) {
    EXPECT_EQ(Width("Arial", code), helvetica[code - 32]) << code;
    EXPECT_EQ(Width("Times-Roman", code), times[code - 32]) << code;
  }
  EXPECT_EQ(Width("Arial", 64), 1015);
  EXPECT_EQ(Width("Times-Roman", 64), 921);
  EXPECT_EQ(Width("Arial-Bold", 'A'), 722);
  EXPECT_EQ(Width("Times-BoldItalic", 'A'), 667);
}

TEST(PdfType1Fonts, CodesWithoutGlyphsMeasureNothing) {
  const char* proportional[] = {"Arial",       "Arial-Bold", "Arial-Italic", "Arial-BoldItalic",
                                "Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic"};
  for (const char* font : proportional) {
    for (int code : {0, 10, 31, 127, 129, 141, 143, 144, 157, 160, 173}) {
      EXPECT_EQ(Width(font, code), 0) << font << " " << code;
    }
    EXPECT_GT(Width(font, 128), 0) << font;  // the euro sign
    EXPECT_GT(Width(font, 255), 0) << font;
  }
  for (const char* font :
       {"FixedWidth", "FixedWidth-Bold", "FixedWidth-Italic", "FixedWidth-BoldItalic"}) {
    EXPECT_EQ(Width(font, 31), 0) << font;
    for (int code : {32, 127, 160, 255}) EXPECT_EQ(Width(font, code), 600) << font;
  }
}

TEST(PdfType1Fonts, DictionaryNamesTheStandardFace) {
  for (auto [name, face] : test::kStandardFonts) {
    TPdfXref xref;
    auto font = CreatePdfFont(name, xref);
    EXPECT_EQ(font->Name(), name);
    ASSERT_EQ(xref.ItemCount(), 2) << name;  // the dictionary is the next indirect object
    EXPECT_EQ(font->Data(), xref.GetObject(1));
    EXPECT_EQ(test::Definition(*font->Data()),
              std::string("1 0 obj\r\n<<\r\n/Type /Font\r\n/Subtype /Type1\r\n"
                          "/Encoding /WinAnsiEncoding\r\n/FirstChar 32\r\n"
                          "/LastChar 255\r\n/BaseFont /") +
                  face + "\r\n>>\r\nendobj\r\n");
    ASSERT_NE(font->Data()->PdfArrayByName("Widths"), nullptr);
    EXPECT_EQ(font->Data()->PdfArrayByName("Widths")->ItemCount(), 224u);
  }
}

TEST(PdfType1Fonts, WidthsComeFromTheDictionary) {
  TPdfXref xref;
  auto font = CreatePdfFont("Arial", xref);
  TPdfDictionary& data = *font->Data();
  data.AddNumberItem("MissingWidth", 250.5);
  data.AddNumberItem("FirstChar", 65);
  data.AddItem("Widths", TPdfArray::CreateNumArray(&xref, {100, 200}));
  font->SetData(&data);
  EXPECT_EQ(font->GetCharWidth("A", 0), 100);
  EXPECT_EQ(font->GetCharWidth("B", 0), 200);
  EXPECT_EQ(font->GetCharWidth("C", 0), 250);  // half to even
  EXPECT_EQ(font->GetCharWidth(" ", 0), 250);
  EXPECT_EQ(font->GetCharWidth("AB", 5), 0);  // beyond the text
  // A table that runs past code 255 is cut there.
  data.AddNumberItem("FirstChar", 255);
  font->SetData(&data);
  EXPECT_EQ(font->GetCharWidth("\xFF", 0), 100);
}

TEST(PdfClassRegistryTest, NamesAreExactAndMissesSayWhich) {
  TPdfXref xref;
  EXPECT_NO_THROW(CreatePdfFont("Times-Italic", xref));
  try {
    CreatePdfFont("arial", xref);
    ADD_FAILURE();
  } catch (const EClassNotFound& error) {
    EXPECT_STREQ(error.what(), "クラス arial が見つかりません");
  }
  EXPECT_THROW(CreatePdfImageCreator("Arial"), EClassNotFound);  // a font, not a creator
}

TEST(PdfClassRegistryTest, OneClassUnderSeveralNamesUntilUnregistered) {
  PdfClassRegistry().RegisterClass("Test-Sans", FontClass<TPdfArial>());
  TPdfXref xref;
  auto font = CreatePdfFont("Test-Sans", xref);
  EXPECT_EQ(font->Name(), "Test-Sans");
  EXPECT_EQ(font->Data()->PdfNameByName("BaseFont")->Value(), "Helvetica");
  PdfClassRegistry().UnregisterClass("Test-Sans");
  EXPECT_THROW(CreatePdfFont("Test-Sans", xref), EClassNotFound);
  EXPECT_NO_THROW(CreatePdfFont("Arial", xref));
}

}  // namespace
}  // namespace kyrovane
