#pragma once

// The printer-like drawing component between the drawing model and the PDF document: it begins
// a document, adds pages, draws lines, elliptical arcs and pies, filled ellipses, smoothed curves
// and text runs with special-character escapes, and saves the document into a stream.
// Coordinates are PDF points on the current page (origin lower left, y up); angles are degrees.

#include <array>
#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfCanvas.h"
#include "pdf/PdfDate.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfErrors.h"
#include "pdf/PrinterGeometry.h"

namespace kyrovane {

// A dash pattern: dash and gap lengths in points, and the phase. An empty pattern or one whose
// first length is 0 draws solid.
struct TLineType {
  std::vector<long double> Values;
  long double Phase = 0;
};

// Raised for a call that needs a begun document when none is open.
class EInvalidOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPDFPrinter {
 public:
  static constexpr int kLineTypeCount = 21;

  TPDFPrinter();
  ~TPDFPrinter();
  TPDFPrinter(const TPDFPrinter&) = delete;
  TPDFPrinter& operator=(const TPDFPrinter&) = delete;

  // Kept for the caller; the component itself does not use it.
  std::string FileName = "default.pdf";
  // Document-information fields, written into each document that BeginDoc starts.
  std::string Author;
  std::string Creator;
  std::string Keywords;
  std::string Subject;
  std::string Title;
  TDateTime CreationDate;  // the construction time
  TDateTime ModDate = 0;
  TPdfPageMode PageMode = pmUseNone;
  TPdfCompressionMethod CompressionMethod = cmNone;  // BeginDoc sets cmFlateDecode

  // Text is raised by font size × PdfTextRise. A setting of the conversion: whoever replaces
  // the printer carries it over.
  long double PdfTextRise = 0;

  // Line-type slots 0 … 20 with the presets of the constructor; an index outside raises
  // EPdfInvalidValue.
  void SetLineType(int index, const TLineType& lineType);
  const TLineType& GetLineType(int index) const;

  // Starts a new document with one page of PageWidth × PageHeight, discarding an open one.
  void BeginDoc();
  // Adds a page of PageWidth × PageHeight and makes it current.
  void NewPage();
  // Saves the document into the stream and frees it; EInvalidOperation "document is null.."
  // without one.
  void EndDoc(std::ostream& stream);
  bool HasDoc() const { return Doc != nullptr; }

  TPdfCanvas& GetCanvas();
  TPdfPCanvas& GetPCanvas();
  TPdfDoc& GetDoc();

  // Page size in points for the current page (when a document is open) and every later one.
  int PageWidth() const { return FPageWidth; }
  int PageHeight() const { return FPageHeight; }
  void SetPageWidth(int points);
  void SetPageHeight(int points);

  // A straight line; with stroke false the path stays open for the caller to extend or paint.
  void DrawLine(TPdfCanvas& canvas, TColor color, long double x1, long double y1, long double x2,
                long double y2, float width, const TLineType& lineType, bool stroke);
  // An elliptical arc from startAngle to endAngle (degrees on the unscaled circle, counter-
  // clockwise), tilted by tilt degrees about (cx, cy); a pie joins its ends to the centre and is
  // filled and stroked. Sweeps are bounded to one turn.
  void DrawArc(TPdfCanvas& canvas, TColor color, long double rx, long double ry, long double cx,
               long double cy, long double startAngle, long double endAngle, long double tilt,
               long double width, const TLineType& lineType, bool pie);
  // A filled ellipse (not stroked).
  void DrawFilledCircle(TPdfCanvas& canvas, TColor color, long double rx, long double ry,
                        long double cx, long double cy, long double width,
                        const TLineType& lineType);
  // A smoothed curve on the document's canvas through points[1] … points[count] (points[0] is
  // not read); closed when the first and last point are equal; a straight line from the first
  // to the last point for three points or fewer. A count beyond the array is cut to it; a count
  // below 1 draws nothing.
  void DrawSpline(std::span<const TSplinePoint> points, int count, long double width, TColor color,
                  const TLineType& lineType);
  // One line of Shift-JIS text on the document's canvas at (x, y), turned by angle degrees and
  // raised by size × PdfTextRise; a font name ending in "V" writes vertically, turned 90 degrees
  // more and not raised. With escapes on, "^" and a code letter raise, lower, narrow or
  // overstrike the characters around it; a letter that is no escape is written as it stands.
  // A character the font cannot show is written as the font's stand-in of the same length.
  void TextOut(std::uint16_t horizontalScaling, std::string_view text, long double x, long double y,
               long double charSpace, long double angle, std::string_view fontName,
               long double size, TColor color, bool escapes);

  // Writes the text as runs of double-byte and of single-byte characters, giving single-byte
  // runs half the character spacing.
  static void ShowTextRuns(TPdfCanvas& canvas, std::string_view text, long double charSpace);
  // Characters in the text, a lead byte and its trail byte counting as one.
  static int CountMBCSChars(std::string_view text);

 private:
  std::unique_ptr<TPdfDoc> Doc;
  int FPageWidth = 596;
  int FPageHeight = 842;
  std::array<TLineType, kLineTypeCount> LineTypes;
  long double RiseState = 0;
};

}  // namespace kyrovane
