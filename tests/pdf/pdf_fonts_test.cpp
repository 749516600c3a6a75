// The standard Type1 fonts and the class registry.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string_view>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfFonts.h"
#include "pdf/PdfXref.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

int Width(const std::string& font, unsigned char code) {
  TPdfXref xref;
  std::string text(1, static_cast<char>(code));
  return CreatePdfFont(font, xref)->GetCharWidth(text, 0);
}

// The glyphs of WinAnsiEncoding for the codes 32 to 255. Empty: codes without a glyph, and
// the no-break space (160) and soft hyphen (173), which the tables measure as nothing.
// clang-format off
const std::array<std::string_view, 224> kWinAnsiGlyphs = {
    "space", "exclam", "quotedbl", "numbersign", "dollar", "percent", "ampersand", "quotesingle",
    "parenleft", "parenright", "asterisk", "plus", "comma", "hyphen", "period", "slash",
    "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "colon",
    "semicolon", "less", "equal", "greater", "question", "at",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R", "S",
    "T", "U", "V", "W", "X", "Y", "Z", "bracketleft", "backslash", "bracketright", "asciicircum",
    "underscore", "grave",
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p", "q", "r", "s",
    "t", "u", "v", "w", "x", "y", "z", "braceleft", "bar", "braceright", "asciitilde", "",
    "Euro", "", "quotesinglbase", "florin", "quotedblbase", "ellipsis", "dagger", "daggerdbl",
    "circumflex", "perthousand", "Scaron", "guilsinglleft", "OE", "", "Zcaron", "",
    "", "quoteleft", "quoteright", "quotedblleft", "quotedblright", "bullet", "endash", "emdash",
    "tilde", "trademark", "scaron", "guilsinglright", "oe", "", "zcaron", "Ydieresis",
    "", "exclamdown", "cent", "sterling", "currency", "yen", "brokenbar", "section",
    "dieresis", "copyright", "ordfeminine", "guillemotleft", "logicalnot", "", "registered",
    "macron", "degree", "plusminus", "twosuperior", "threesuperior", "acute", "mu", "paragraph",
    "periodcentered", "cedilla", "onesuperior", "ordmasculine", "guillemotright", "onequarter",
    "onehalf", "threequarters", "questiondown",
    "Agrave", "Aacute", "Acircumflex", "Atilde", "Adieresis", "Aring", "AE", "Ccedilla",
    "Egrave", "Eacute", "Ecircumflex", "Edieresis", "Igrave", "Iacute", "Icircumflex",
    "Idieresis", "Eth", "Ntilde", "Ograve", "Oacute", "Ocircumflex", "Otilde", "Odieresis",
    "multiply", "Oslash", "Ugrave", "Uacute", "Ucircumflex", "Udieresis", "Yacute", "Thorn",
    "germandbls",
    "agrave", "aacute", "acircumflex", "atilde", "adieresis", "aring", "ae", "ccedilla",
    "egrave", "eacute", "ecircumflex", "edieresis", "igrave", "iacute", "icircumflex",
    "idieresis", "eth", "ntilde", "ograve", "oacute", "ocircumflex", "otilde", "odieresis",
    "divide", "oslash", "ugrave", "uacute", "ucircumflex", "udieresis", "yacute", "thorn",
    "ydieresis"};
// clang-format on

// Glyph name -> advance width of an AFM file ("C 65 ; WX 667 ; N A ; ...").
std::map<std::string, int> AfmWidths(const std::filesystem::path& path) {
  std::map<std::string, int> widths;
  std::istringstream lines(test::ReadFile(path));
  const std::regex metrics("^C -?\\d+ ; WX (\\d+) ; N (\\S+) ;");
  std::smatch match;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_search(line, match, metrics)) widths[match[2]] = std::stoi(match[1]);
  }
  return widths;
}

// The twelve tables are those of the metric-compatible URW faces, whole.
TEST(PdfType1Fonts, WidthTablesAreThoseOfTheStandardFaces) {
  const std::pair<const char*, const char*> faces[] = {
      {"FixedWidth", "NimbusMonoPS-Regular"},
      {"FixedWidth-Bold", "NimbusMonoPS-Bold"},
      {"FixedWidth-Italic", "NimbusMonoPS-Italic"},
      {"FixedWidth-BoldItalic", "NimbusMonoPS-BoldItalic"},
      {"Arial", "NimbusSans-Regular"},
      {"Arial-Bold", "NimbusSans-Bold"},
      {"Arial-Italic", "NimbusSans-Italic"},
      {"Arial-BoldItalic", "NimbusSans-BoldItalic"},
      {"Times-Roman", "NimbusRoman-Regular"},
      {"Times-Bold", "NimbusRoman-Bold"},
      {"Times-Italic", "NimbusRoman-Italic"},
      {"Times-BoldItalic", "NimbusRoman-BoldItalic"}};
  for (const auto& [font, face] : faces) {
    SCOPED_TRACE(font);
    const std::filesystem::path afm =
        std::filesystem::path("/usr/share/fonts/type1/urw-base35") / (std::string(face) + ".afm");
    ASSERT_TRUE(std::filesystem::exists(afm)) << "fonts-urw-base35 is needed for this check";
    const std::map<std::string, int> widths = AfmWidths(afm);
    const bool monospaced = std::string_view(font).starts_with("FixedWidth");
    for (int code = 32; code < 256; ++code) {
      const std::string glyph(kWinAnsiGlyphs[static_cast<std::size_t>(code - 32)]);
      if (glyph.empty()) {
        EXPECT_EQ(Width(font, code), monospaced ? 600 : 0) << code;
      } else {
        ASSERT_TRUE(widths.contains(glyph)) << glyph;
        EXPECT_EQ(Width(font, code), widths.at(glyph)) << code << " " << glyph;
      }
    }
    for (int code : {0, 10, 31}) EXPECT_EQ(Width(font, code), 0) << code;
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
