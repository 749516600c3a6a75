#include "pdf/PdfFonts.h"

#include <cmath>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfType1Widths.h"
#include "pdf/PdfXref.h"

namespace kyrovane {

TPdfFont::TPdfFont(TPdfXref& /*xref*/, std::string name) : name_(std::move(name)) {}

int TPdfFont::GetCharWidth(std::string_view /*text*/, std::size_t /*pos*/) const {
  return 0;
}

std::optional<TPdfFont::TBlankMove> TPdfFont::BlankMove() const {
  return std::nullopt;
}

std::string TPdfFont::ShowableText(std::string_view text) const {
  return std::string(text);
}

TPdfType1Font::TPdfType1Font(TPdfXref& xref, std::string name, std::string_view baseFont,
                             const TType1WidthTable& widths)
    : TPdfFont(xref, std::move(name)) {
  static constexpr TPDF_STR_TBL kNames[] = {
      {"Type", "Font"}, {"Subtype", "Type1"}, {"Encoding", "WinAnsiEncoding"}};
  static constexpr TPDF_INT_TBL kNumbers[] = {{"FirstChar", 32}, {"LastChar", 255}};
  auto& font = xref.Register(std::make_unique<TPdfDictionary>(&xref));
  AddStrElements(font, kNames);
  AddIntElements(font, kNumbers);
  font.AddNameItem("BaseFont", baseFont);
  // Kept for measuring text; readers know the metrics of the standard fonts.
  font.AddInternalItem("Widths", TPdfArray::CreateNumArray(&xref, widths));
  SetData(&font);
}

void TPdfType1Font::SetData(TPdfDictionary* data) {
  TPdfFont::SetData(data);
  TPdfNumber* missingWidth = data->PdfNumberByName("MissingWidth");
  widths_.fill(missingWidth ? missingWidth->Value() : 0);
  auto code = [data](std::string_view key) {
    TPdfNumber* number = data->PdfNumberByName(key);
    long double value = number ? std::nearbyintl(number->Value()) : 0;
    return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
  };
  firstChar_ = code("FirstChar");
  lastChar_ = code("LastChar");
  if (TPdfArray* widths = data->PdfArrayByName("Widths")) {
    for (std::size_t i = 0; i < widths->ItemCount() && firstChar_ + i < widths_.size(); ++i) {
      if (auto* width = dynamic_cast<TPdfNumber*>(widths->Items(i))) {
        widths_[firstChar_ + i] = width->Value();
      }
    }
  }
}

int TPdfType1Font::GetCharWidth(std::string_view text, std::size_t pos) const {
  if (pos >= text.size()) return 0;
  return static_cast<int>(std::nearbyintl(widths_[static_cast<unsigned char>(text[pos])]));
}

TPdfFixedWidth::TPdfFixedWidth(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Courier", kCourierWidths) {}
TPdfFixedWidthBold::TPdfFixedWidthBold(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Courier-Bold", kCourierWidths) {}
TPdfFixedWidthItalic::TPdfFixedWidthItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Courier-Oblique", kCourierWidths) {}
TPdfFixedWidthBoldItalic::TPdfFixedWidthBoldItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Courier-BoldOblique", kCourierWidths) {}
TPdfArial::TPdfArial(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Helvetica", kHelveticaWidths) {}
TPdfArialBold::TPdfArialBold(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Helvetica-Bold", kHelveticaBoldWidths) {}
TPdfArialItalic::TPdfArialItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Helvetica-Oblique", kHelveticaObliqueWidths) {}
TPdfArialBoldItalic::TPdfArialBoldItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Helvetica-BoldOblique", kHelveticaBoldObliqueWidths) {}
TPdfTimesRoman::TPdfTimesRoman(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Times-Roman", kTimesRomanWidths) {}
TPdfTimesBold::TPdfTimesBold(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Times-Bold", kTimesBoldWidths) {}
TPdfTimesItalic::TPdfTimesItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Times-Italic", kTimesItalicWidths) {}
TPdfTimesBoldItalic::TPdfTimesBoldItalic(TPdfXref& xref, std::string name)
    : TPdfType1Font(xref, std::move(name), "Times-BoldItalic", kTimesBoldItalicWidths) {}

void RegisterType1Fonts(TPdfClassRegistry& registry) {
  registry.RegisterClass("FixedWidth", FontClass<TPdfFixedWidth>());
  registry.RegisterClass("FixedWidth-Bold", FontClass<TPdfFixedWidthBold>());
  registry.RegisterClass("FixedWidth-BoldItalic", FontClass<TPdfFixedWidthBoldItalic>());
  registry.RegisterClass("FixedWidth-Italic", FontClass<TPdfFixedWidthItalic>());
  registry.RegisterClass("Arial", FontClass<TPdfArial>());
  registry.RegisterClass("Arial-Bold", FontClass<TPdfArialBold>());
  registry.RegisterClass("Arial-BoldItalic", FontClass<TPdfArialBoldItalic>());
  registry.RegisterClass("Arial-Italic", FontClass<TPdfArialItalic>());
  registry.RegisterClass("Times-Roman", FontClass<TPdfTimesRoman>());
  registry.RegisterClass("Times-Bold", FontClass<TPdfTimesBold>());
  registry.RegisterClass("Times-Italic", FontClass<TPdfTimesItalic>());
  registry.RegisterClass("Times-BoldItalic", FontClass<TPdfTimesBoldItalic>());
}

}  // namespace kyrovane
