#include "pdf/PdfCanvas.h"

#include <cmath>
#include <initializer_list>

#include "pdf/PdfDoc.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfText.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

// Text-state values that are not numbers are taken as 0, so they cannot spoil later widths.
long double Finite(long double value) {
  return std::isfinite(value) ? value : 0;
}

// Text with double-byte characters as hexadecimal bytes, other text as a literal string.
std::string TextOperand(std::string_view text) {
  if (HasMultiByteChars(text)) return '<' + StrToHex(text) + '>';
  return '(' + EscapeText(text) + ')';
}

void AppendColor(std::string& text, TColor color) {
  for (int shift : {0, 8, 16}) {
    if (shift != 0) text += ' ';
    AppendFloatRounded(text, ((static_cast<std::uint32_t>(color) >> shift) & 0xFF) / 255.0L);
  }
}

}  // namespace

std::string ColorToPdfRGB(TColor color) {
  std::string text;
  AppendColor(text, color);
  return text;
}

void TPdfCanvasAttribute::SetWordSpace(long double value) {
  if (value < 0) throw EPdfInvalidValue("invalid word space");
  wordSpace_ = value;
}

void TPdfCanvasAttribute::SetFontSize(long double value) {
  if (value < 0) throw EPdfInvalidValue("invalid font size");
  fontSize_ = value;
}

long double TPdfCanvasAttribute::TextWidth(std::string_view text) const {
  long double total = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    long double width = font_ ? font_->GetCharWidth(text, i) * fontSize_ / 1000 : 0;
    if (horizontalScaling_ != 100) width = horizontalScaling_ * width / 100;
    width = width > 0 ? width + charSpace_ : 0;
    if (text[i] == ' ' && wordSpace_ > 0 && i + 1 < text.size()) width += wordSpace_;
    total += width;
  }
  return total - charSpace_;
}

void TPdfCanvas::WriteNumbers(std::initializer_list<long double> values, std::string_view op) {
  line_.clear();
  for (long double value : values) {
    AppendFloatR(line_, value);
    line_ += ' ';
  }
  line_ += op;
  Write(line_);
}

void TPdfCanvas::Write(std::string_view text) {
  if (!contents_) throw EPdfInvalidOperation("the canvas has no page.");
  contents_->Data().Write(text);
}

void TPdfCanvas::GSave() {
  Write("q\n");
}
void TPdfCanvas::GRestore() {
  Write("Q\n");
}

void TPdfCanvas::Concat(long double a, long double b, long double c, long double d, long double e,
                        long double f) {
  WriteNumbers({a, b, c, d, e, f}, "cm\n");
}

void TPdfCanvas::SetLineCap(int cap) {
  Write(std::to_string(cap) + " J\n");
}

void TPdfCanvas::SetDash(std::span<const long double> values, long double phase) {
  line_ = "[";
  if (!values.empty() && values.front() != 0) {
    for (long double value : values) {
      AppendFloatR(line_, value);
      line_ += ' ';
    }
  }
  line_ += "] ";
  AppendFloatR(line_, phase);
  line_ += " d\n";
  Write(line_);
}

void TPdfCanvas::SetLineWidth(long double width) {
  line_.clear();
  AppendFloatRounded(line_, width);
  line_ += " w\n";
  Write(line_);
}
void TPdfCanvas::MoveTo(long double x, long double y) {
  WriteNumbers({x, y}, "m\n");
}
void TPdfCanvas::LineTo(long double x, long double y) {
  WriteNumbers({x, y}, "l\n");
}

void TPdfCanvas::CurveToC(long double x1, long double y1, long double x2, long double y2,
                          long double x3, long double y3) {
  WriteNumbers({x1, y1, x2, y2, x3, y3}, "c\n");
}

void TPdfCanvas::Rectangle(long double x, long double y, long double width, long double height) {
  WriteNumbers({x, y, width, height}, "re\n");
}

void TPdfCanvas::Stroke() {
  Write("S\n");
}
void TPdfCanvas::Fill() {
  Write("f\n");
}
void TPdfCanvas::FillStroke() {
  Write("B\n");
}
void TPdfCanvas::BeginText() {
  Write("BT\n");
}
void TPdfCanvas::EndText() {
  Write("ET\n");
}
void TPdfCanvas::SetTextRise(long double rise) {
  Write(FloatToStrR(rise) + " Ts\n");
}

void TPdfCanvas::SetTextMatrix(long double a, long double b, long double c, long double d,
                               long double x, long double y) {
  WriteNumbers({a, b, c, d, x, y}, "Tm\n");
}

void TPdfCanvas::MoveToNextLine() {
  Write("T*\n");
}

void TPdfCanvas::SetFontAndSize(std::string_view name, long double size) {
  Write(std::string(name) + ' ' + FloatToStrR(size) + " Tf\n");
}

void TPdfCanvas::ShowText(std::string_view text) {
  TPdfFont* font = attr_.Font();
  const auto move = font != nullptr ? font->BlankMove() : std::nullopt;
  if (move && attr_.FontSize() > 0 && text.find(' ') != std::string_view::npos) {
    ShowTextWithBlankMoves(text, *move);
  } else {
    line_ = TextOperand(text);
    line_ += " Tj\n";
    Write(line_);
  }
}

// "[(12) -500 (34)] TJ": each run of blanks becomes the number that moves the next character as
// far as the blanks would have, their character spacing included (word spacing is never set).
// A number n moves by n / 1000 of the font size, to the left or, in vertical writing, down.
void TPdfCanvas::ShowTextWithBlankMoves(std::string_view text, const TPdfFont::TBlankMove& move) {
  const long double spacing = 1000 * attr_.CharSpace() / attr_.FontSize();
  const long double perBlank = move.Vertical ? move.Advance - spacing : -(move.Advance + spacing);
  line_ = "[";
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (pos > 0) line_ += ' ';
    std::size_t end = pos;
    if (text[pos] == ' ') {
      while (end < text.size() && text[end] == ' ') ++end;
      AppendFloatR(line_, perBlank * static_cast<long double>(end - pos));
    } else {
      while (end < text.size() && text[end] != ' ') end += cp932::CharLength(text, end);
      line_ += TextOperand(text.substr(pos, end - pos));
    }
    pos = end;
  }
  line_ += "] TJ\n";
  Write(line_);
}

void TPdfCanvas::ExecuteXObject(std::string_view name) {
  Write('/' + EscapeName(name) + " Do\n");
}

void TPdfCanvas::SetRGBFillColor(TColor color) {
  line_.clear();
  AppendColor(line_, color);
  line_ += " rg\n";
  Write(line_);
}
void TPdfCanvas::SetRGBStrokeColor(TColor color) {
  line_.clear();
  AppendColor(line_, color);
  line_ += " RG\n";
  Write(line_);
}

void TPdfCanvas::SetCharSpace(long double value) {
  value = Finite(value);
  if (value == attr_.CharSpace()) return;
  attr_.SetCharSpace(value);
  if (contents_) Write(FloatToStrR(value) + " Tc\n");
}

void TPdfCanvas::SetHorizontalScaling(std::uint16_t percent) {
  if (percent == attr_.HorizontalScaling()) return;
  attr_.SetHorizontalScaling(percent);
  if (contents_) Write(std::to_string(percent) + " Tz\n");
}

void TPdfCanvas::SetFont(const std::string& name, long double size) {
  if (!doc_) throw EPdfInvalidOperation("Document is null");
  size = std::fabs(Finite(size));
  TPdfFont& font = doc_->GetFont(name);
  if (&font == attr_.Font() && size == attr_.FontSize()) return;
  std::string resourceName = font.Data()->PdfNameByName("Name")->Value();
  if (page_) {
    TPdfDictionary& fonts = Resources("Font");
    if (!fonts.ValueByName(resourceName)) fonts.AddItem(resourceName, *font.Data());
  }
  if (contents_) SetFontAndSize('/' + resourceName, size);
  attr_.SetFont(&font);
  attr_.SetFontSize(size);
}

void TPdfCanvas::DrawXObject(const std::string& name, long double x, long double y,
                             long double width, long double height) {
  if (!doc_) throw EPdfInvalidOperation("Document is null");
  TPdfXObject* object = doc_->GetXObject(name);
  if (!object) throw EPdfInvalidValue("XObject not found: " + name);
  if (!page_) throw EPdfInvalidOperation("the canvas has no page.");
  TPdfDictionary& objects = Resources("XObject");
  if (!objects.ValueByName(name)) objects.AddItem(name, *object);
  GSave();
  Concat(width, 0, 0, height, x, y);
  ExecuteXObject(object->Attributes().PdfNameByName("Name")->Value());
  GRestore();
}

void TPdfCanvas::SetPage(TPdfDictionary& page) {
  if (page_) {
    if (attr_.Font())
      page_->AddInternalItem("_Font", std::make_unique<TPdfName>(attr_.Font()->Name()));
    page_->AddInternalItem("_Font_Size", std::make_unique<TPdfReal>(attr_.FontSize()));
    page_->AddInternalItem("_Word_Space", std::make_unique<TPdfReal>(attr_.WordSpace()));
    page_->AddInternalItem("_Char_Space", std::make_unique<TPdfReal>(attr_.CharSpace()));
    page_->AddInternalItem("_HScalling", std::make_unique<TPdfNumber>(attr_.HorizontalScaling()));
    // The page that is left gets no more operators: its contents leave memory.
    if (contents_) contents_->Data().Flush();
  }
  page_ = &page;
  contents_ = dynamic_cast<TPdfStream*>(page.ValueByName("Contents"));
  // Every content stream starts without a font, whatever the page before ended with.
  attr_.SetFont(nullptr);
  attr_.SetFontSize(0);
  SetFont("Arial", 10);
  attr_.SetCharSpace(0);
  attr_.SetWordSpace(0);
  attr_.SetHorizontalScaling(100);
}

void TPdfCanvas::SetPageWidth(long double width) {
  SetMediaBoxNumber(2, width);
}
void TPdfCanvas::SetPageHeight(long double height) {
  SetMediaBoxNumber(3, height);
}

void TPdfCanvas::SetMediaBoxNumber(std::size_t index, long double value) {
  if (!page_) throw EPdfInvalidOperation("the canvas has no page.");
  TPdfArray* mediaBox = page_->PdfArrayByName("MediaBox");
  if (!mediaBox || mediaBox->ItemCount() <= index) return;
  if (auto* number = dynamic_cast<TPdfNumber*>(mediaBox->Items(index))) number->SetValue(value);
}

void TPdfCanvas::Reset() {
  page_ = nullptr;
  contents_ = nullptr;
  attr_ = TPdfCanvasAttribute();
}

TPdfDictionary& TPdfCanvas::Resources(std::string_view kind) {
  TPdfDictionary* resources = page_->PdfDictionaryByName("Resources");
  TPdfDictionary* dictionary = resources ? resources->PdfDictionaryByName(kind) : nullptr;
  if (!dictionary) throw EPdfInvalidOperation("the page has no resources.");
  return *dictionary;
}

}  // namespace kyrovane
