#pragma once

// The drawing interface of the current page: each call appends one content-stream operator,
// ending with a single LF, to the contents of the page the document made current. The canvas
// keeps the text state so that unchanged state is not written again, adds fonts and image
// objects to the page's resources on first use, and measures text.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "pdf/PdfColor.h"
#include "pdf/PdfFonts.h"

namespace kyrovane {

class TPdfDictionary;
class TPdfDoc;
class TPdfStream;

// "r g b", red first, each component /255 to three decimals rounded half up.
std::string ColorToPdfRGB(TColor color);

class TPdfCanvasAttribute {
 public:
  long double WordSpace() const { return wordSpace_; }
  // A negative word space raises EPdfInvalidValue "invalid word space".
  void SetWordSpace(long double value);
  long double CharSpace() const { return charSpace_; }
  void SetCharSpace(long double value) { charSpace_ = value; }
  long double FontSize() const { return fontSize_; }
  // A negative size raises EPdfInvalidValue "invalid font size".
  void SetFontSize(long double value);
  TPdfFont* Font() const { return font_; }
  void SetFont(TPdfFont* font) { font_ = font; }
  std::uint16_t HorizontalScaling() const { return horizontalScaling_; }
  void SetHorizontalScaling(std::uint16_t percent) { horizontalScaling_ = percent; }

  // Width of the text in points with this state; the character spacing after the last
  // character is not counted.
  long double TextWidth(std::string_view text) const;

 private:
  long double wordSpace_ = 0;
  long double charSpace_ = 0;
  long double fontSize_ = 0;
  TPdfFont* font_ = nullptr;
  std::uint16_t horizontalScaling_ = 0;
};

class TPdfCanvas {
 public:
  // A canvas of the document, without a page until the document adds one.
  explicit TPdfCanvas(TPdfDoc* doc) : doc_(doc) {}
  TPdfCanvas(const TPdfCanvas&) = delete;
  TPdfCanvas& operator=(const TPdfCanvas&) = delete;

  // Operators; every one needs a current page (EPdfInvalidOperation otherwise).
  void GSave();
  void GRestore();
  void Concat(long double a, long double b, long double c, long double d, long double e,
              long double f);
  void SetLineCap(int cap);
  // "[v1 v2 ] phase d"; an empty pattern or one starting with 0 is solid: "[] phase d".
  void SetDash(std::span<const long double> values, long double phase);
  void SetLineWidth(long double width);
  void MoveTo(long double x, long double y);
  void LineTo(long double x, long double y);
  void CurveToC(long double x1, long double y1, long double x2, long double y2, long double x3,
                long double y3);
  void Rectangle(long double x, long double y, long double width, long double height);
  void Stroke();
  void Fill();
  void FillStroke();
  void BeginText();
  void EndText();
  void SetTextRise(long double rise);
  void SetTextMatrix(long double a, long double b, long double c, long double d, long double x,
                     long double y);
  void MoveToNextLine();
  // Resource name with its slash, for example "/F0".
  void SetFontAndSize(std::string_view name, long double size);
  // Text with double-byte characters is written as hexadecimal bytes, other text as a literal.
  // With a font that writes blanks as moves (see TPdfFont::BlankMove), a text with blanks is
  // written with "TJ", the blanks as the numbers that move as far.
  void ShowText(std::string_view text);
  void ExecuteXObject(std::string_view name);
  void SetRGBFillColor(TColor color);
  void SetRGBStrokeColor(TColor color);

  // Text state: written only when it changes, and only while there is a page.
  void SetCharSpace(long double value);
  void SetHorizontalScaling(std::uint16_t percent);
  // Selects a font by registered name, creating it in the document on first use. The size is
  // taken as its magnitude: a mirrored (negative) size from a drawing never stops the output.
  void SetFont(const std::string& name, long double size);

  // Draws a registered image object into the rectangle, between q and Q.
  void DrawXObject(const std::string& name, long double x, long double y, long double width,
                   long double height);
  long double TextWidth(std::string_view text) const { return attr_.TextWidth(text); }

  // Makes the page current: the text state of the page that is left is kept on it (never
  // written), and the new page starts with the default font "Arial" at size 10.
  void SetPage(TPdfDictionary& page);
  // Replace the width or height in the current page's MediaBox.
  void SetPageWidth(long double width);
  void SetPageHeight(long double height);
  // Forgets the page and the text state; the document calls it when it is freed.
  void Reset();

  TPdfDoc* Doc() const { return doc_; }
  TPdfDictionary* Page() const { return page_; }
  TPdfStream* Contents() const { return contents_; }
  TPdfCanvasAttribute& Attr() { return attr_; }
  const TPdfCanvasAttribute& Attr() const { return attr_; }

 private:
  void Write(std::string_view text);
  void ShowTextWithBlankMoves(std::string_view text, const TPdfFont::TBlankMove& move);
  // Writes the numbers, each followed by a space, then the operator.
  void WriteNumbers(std::initializer_list<long double> values, std::string_view op);
  TPdfDictionary& Resources(std::string_view kind);
  void SetMediaBoxNumber(std::size_t index, long double value);

  TPdfDoc* doc_;
  TPdfDictionary* page_ = nullptr;
  TPdfStream* contents_ = nullptr;
  TPdfCanvasAttribute attr_;
  std::string line_;  // the operator being written, kept to spare an allocation per operator
};

// A canvas without document or page, handed where a canvas argument is needed but nothing is
// drawn.
class TPdfPCanvas : public TPdfCanvas {
 public:
  TPdfPCanvas() : TPdfCanvas(nullptr) {}
};

}  // namespace kyrovane
