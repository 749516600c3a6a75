#include "pdf/PDFPrinter.h"

#include <cmath>
#include <numbers>
#include <string>

#include "pdf/TextEscape.h"
#include "text/cp932.h"

namespace kyrovane {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

TLineType Pattern(std::initializer_list<long double> values) {
  return {values, 0};
}

void SetPen(TPdfCanvas& canvas, long double width, TColor color, const TLineType& lineType) {
  canvas.SetLineWidth(width);
  canvas.SetRGBStrokeColor(color);
  canvas.SetDash(lineType.Values, lineType.Phase);
}

void CurveTo(TPdfCanvas& canvas, const TSplinePoint& c1, const TSplinePoint& c2,
             const TSplinePoint& end) {
  canvas.CurveToC(c1.X, c1.Y, c2.X, c2.Y, end.X, end.Y);
}

// Writes one text run after another while keeping the distance advanced along the baseline, so
// that the text matrix can be set again after each character that an escape moved.
class TextWriter {
 public:
  TextWriter(TPdfCanvas& canvas, long double& riseState, long double x, long double y,
             long double angle, long double charSpace, long double size, long double rise,
             bool vertical)
      : canvas_(canvas),
        riseState_(riseState),
        x_(x),
        y_(y),
        angle_(angle),
        cs_(charSpace),
        size_(size),
        rise_(rise),
        vertical_(vertical) {}

  // The text matrix at the current offset; `half` narrows the characters to half width.
  void Matrix(bool half, long double direction) {
    const long double c = std::cos(angle_);
    const long double s = std::sin(angle_);
    const long double scale = half ? 0.5L : 1;
    canvas_.SetTextMatrix(scale * c, s, -s, scale * c, x_ + off_ * std::cos(direction),
                          y_ + off_ * std::sin(direction));
  }
  void Matrix(bool half) { Matrix(half, angle_); }

  // A stretch of text between escapes. Its first character may carry the rise of an escape
  // before it; the rise is reset after it and the rest is placed anew.
  void WritePiece(std::string_view piece, bool final) {
    if (piece.empty()) {
      canvas_.SetTextRise(rise_);
      return;
    }
    const std::size_t firstLength = cp932::CharLength(piece, 0);
    const std::string_view first = piece.substr(0, firstLength);
    const std::string_view more = piece.substr(firstLength);
    const bool doubleByte = firstLength == 2;
    TPDFPrinter::ShowTextRuns(canvas_, first, cs_);
    off_ += Width(first) + cs_;
    if (!doubleByte) {
      canvas_.SetTextRise(rise_);
    } else {
      if (final || riseState_ != 0) canvas_.SetTextRise(rise_);
      riseState_ = 0;
    }
    if (more.empty()) return;
    long double direction = angle_;
    if (final && vertical_) {
      cs_ = -cs_;
      canvas_.SetTextRise(0);
      direction = angle_ + 3 * kPi / 2;
    }
    canvas_.SetCharSpace(doubleByte ? cs_ : cs_ / 2);
    Matrix(false, direction);
    TPDFPrinter::ShowTextRuns(canvas_, more, cs_);
    if (!final) off_ += Width(more) + TPDFPrinter::CountMBCSChars(more) * cs_;
  }

  void WriteEscape(const TTextEscape& escape, bool escapes) {
    WritePiece(escape.head, false);
    const char code = IsSingleByteCode(escape) ? escape.code[0] : '\0';
    if (!escapes || !IsEscapeLetter(code)) {
      WriteLiterally(escape);
      return;
    }
    const std::string_view prev = escape.prev;
    switch (code) {
      case 'u':
        Raise(prev, size_);
        break;
      case 'd':
        Raise(prev, -0.5L * size_);
        break;
      case 'c':
        Raise(prev, 0.15L * size_);
        break;
      case 'o': {
        const long double d = (Width(prev) - 0.5L * Width(escape.next)) / 2;
        canvas_.SetCharSpace(-d);
        canvas_.ShowText(prev);
        off_ += d;
        Matrix(true);
        SetRaised(0.25L * size_);
        break;
      }
      case 'b':
      case 'B': {
        const long double keep = code == 'b' ? 0.4L : 0.25L;
        const long double w = Width(prev);
        canvas_.SetCharSpace(-w + keep * w);
        canvas_.ShowText(prev);
        off_ += keep * w;
        break;
      }
      case 'n':
      case 'O':
        canvas_.SetCharSpace(-Width(prev));
        canvas_.ShowText(prev);
        break;
      case 'm':
        ShowAndAdvance(prev);
        canvas_.MoveToNextLine();
        break;
      default:  // "1" … "9": the escape itself is dropped
        ShowAndAdvance(prev);
        break;
    }
  }

 private:
  static bool IsEscapeLetter(char code) {
    return std::string_view("udcobBnOm").find(code) != std::string_view::npos ||
           (code >= '1' && code <= '9');
  }

  long double Width(std::string_view text) { return canvas_.TextWidth(text); }

  // The character before the caret, then the caret and its code as they stand: escapes off, a
  // letter that is no escape, or a double-byte character after the caret.
  void WriteLiterally(const TTextEscape& escape) {
    TPDFPrinter::ShowTextRuns(canvas_, escape.prev, cs_);
    off_ += Width(escape.prev) + cs_;
    const std::string caretAndCode = "^" + std::string(escape.code);
    TPDFPrinter::ShowTextRuns(canvas_, caretAndCode, cs_);
    off_ += Width(caretAndCode) + 2 * cs_;
  }

  void ShowAndAdvance(std::string_view prev) {
    canvas_.ShowText(prev);
    off_ += Width(prev) + cs_;
  }

  // Writes prev, then sets up the next character at half width, raised by `lift`.
  void Raise(std::string_view prev, long double lift) {
    ShowAndAdvance(prev);
    Matrix(true);
    SetRaised(lift);
  }

  void SetRaised(long double lift) {
    canvas_.SetTextRise(lift + rise_);
    riseState_ = lift;
  }

  TPdfCanvas& canvas_;
  long double& riseState_;
  const long double x_;
  const long double y_;
  const long double angle_;
  long double cs_;
  const long double size_;
  const long double rise_;
  const bool vertical_;
  long double off_ = 0;
};

}  // namespace

TPDFPrinter::TPDFPrinter() : CreationDate(PdfNow()) {
  LineTypes[1] = Pattern({0});
  LineTypes[2] = Pattern({2});
  LineTypes[3] = Pattern({4});
  LineTypes[4] = Pattern({6, 2});
  LineTypes[5] = Pattern({10, 2, 2, 2});
  LineTypes[6] = Pattern({13, 2, 2, 2});
  LineTypes[7] = Pattern({4, 2, 1, 2, 1, 2});
  LineTypes[8] = Pattern({12, 2, 1, 2, 1, 2});
  LineTypes[9] = Pattern({1});
}

TPDFPrinter::~TPDFPrinter() = default;

void TPDFPrinter::SetLineType(int index, const TLineType& lineType) {
  if (index < 0 || index >= kLineTypeCount) throw EPdfInvalidValue("invalid line type index");
  LineTypes[index] = lineType;
}

const TLineType& TPDFPrinter::GetLineType(int index) const {
  if (index < 0 || index >= kLineTypeCount) throw EPdfInvalidValue("invalid line type index");
  return LineTypes[index];
}

void TPDFPrinter::BeginDoc() {
  Doc.reset();
  Doc = std::make_unique<TPdfDoc>();
  CompressionMethod = cmFlateDecode;
  Doc->SetCompressionMethod(CompressionMethod);
  Doc->NewDoc();
  Doc->GetRoot().SetPageMode(PageMode);
  TPdfInfo& info = Doc->GetInfo();
  info.SetAuthor(Author);
  info.SetCreationDate(CreationDate);
  info.SetCreator(Creator);
  info.SetKeywords(Keywords);
  info.SetModDate(ModDate);
  info.SetSubject(Subject);
  info.SetTitle(Title);
  Doc->AddPage();
  Doc->GetCanvas().SetPageWidth(FPageWidth);
  Doc->GetCanvas().SetPageHeight(FPageHeight);
}

void TPDFPrinter::NewPage() {
  GetDoc().AddPage();
  Doc->GetCanvas().SetPageWidth(FPageWidth);
  Doc->GetCanvas().SetPageHeight(FPageHeight);
}

void TPDFPrinter::EndDoc(std::ostream& stream) {
  GetDoc().SaveToStream(stream);
  Doc.reset();
}

TPdfDoc& TPDFPrinter::GetDoc() {
  if (!Doc) throw EInvalidOperation("document is null..");
  return *Doc;
}

TPdfCanvas& TPDFPrinter::GetCanvas() {
  return GetDoc().GetCanvas();
}

TPdfPCanvas& TPDFPrinter::GetPCanvas() {
  return GetDoc().GetPCanvas();
}

void TPDFPrinter::SetPageWidth(int points) {
  FPageWidth = points;
  if (Doc) Doc->GetCanvas().SetPageWidth(points);
}

void TPDFPrinter::SetPageHeight(int points) {
  FPageHeight = points;
  if (Doc) Doc->GetCanvas().SetPageHeight(points);
}

void TPDFPrinter::DrawLine(TPdfCanvas& canvas, TColor color, long double x1, long double y1,
                           long double x2, long double y2, float width, const TLineType& lineType,
                           bool stroke) {
  SetPen(canvas, width, color, lineType);
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
  if (stroke) canvas.Stroke();
}

void TPDFPrinter::DrawArc(TPdfCanvas& canvas, TColor color, long double rx, long double ry,
                          long double cx, long double cy, long double startAngle,
                          long double endAngle, long double tilt, long double width,
                          const TLineType& lineType, bool pie) {
  const std::vector<TSplinePoint> points = ArcPoints(rx, ry, cx, cy, startAngle, endAngle, tilt);
  canvas.SetLineWidth(width);
  canvas.SetRGBStrokeColor(color);
  canvas.SetRGBFillColor(color);
  canvas.SetDash(lineType.Values, lineType.Phase);
  if (pie) {
    canvas.MoveTo(cx, cy);
    canvas.LineTo(points[0].X, points[0].Y);
  } else {
    canvas.MoveTo(points[0].X, points[0].Y);
  }
  for (std::size_t i = 0; i + 3 < points.size(); i += 3) {
    CurveTo(canvas, points[i + 1], points[i + 2], points[i + 3]);
  }
  if (pie) {
    canvas.LineTo(cx, cy);
    canvas.FillStroke();
  } else {
    canvas.Stroke();
  }
}

void TPDFPrinter::DrawFilledCircle(TPdfCanvas& canvas, TColor color, long double rx, long double ry,
                                   long double cx, long double cy, long double width,
                                   const TLineType& lineType) {
  const auto points = FilledCirclePoints(rx, ry, cx, cy);
  canvas.SetLineWidth(width);
  canvas.SetRGBStrokeColor(color);
  canvas.SetRGBFillColor(color);
  canvas.SetDash(lineType.Values, lineType.Phase);
  canvas.MoveTo(points[0].X, points[0].Y);
  for (std::size_t i = 0; i + 3 < points.size(); i += 3) {
    CurveTo(canvas, points[i + 1], points[i + 2], points[i + 3]);
  }
  canvas.Fill();
}

void TPDFPrinter::DrawSpline(std::span<const TSplinePoint> points, int count, long double width,
                             TColor color, const TLineType& lineType) {
  TPdfCanvas& canvas = GetCanvas();
  if (count < 1 || points.empty()) return;
  if (static_cast<std::size_t>(count) >= points.size()) count = static_cast<int>(points.size()) - 1;
  if (count < 1) return;
  SetPen(canvas, width, color, lineType);
  if (count <= 3) {
    canvas.MoveTo(points[1].X, points[1].Y);
    canvas.LineTo(points[count].X, points[count].Y);
    canvas.Stroke();
    return;
  }
  const std::vector<TSplinePoint> p = ExtendSplinePoints(points, count);
  canvas.MoveTo(p[1].X, p[1].Y);
  for (int k = 1; k < count; ++k) {
    const TSplineControls controls = CalcSplineControlPoints(p[k - 1], p[k], p[k + 1], p[k + 2]);
    CurveTo(canvas, controls.C1, controls.C2, p[k + 1]);
  }
  canvas.Stroke();
}

void TPDFPrinter::TextOut(std::uint16_t horizontalScaling, std::string_view text, long double x,
                          long double y, long double charSpace, long double angle,
                          std::string_view fontName, long double size, TColor color, bool escapes) {
  TPdfCanvas& canvas = GetCanvas();
  const bool vertical = !fontName.empty() && fontName.back() == 'V';
  const long double rise = size * PdfTextRise;
  canvas.SetRGBStrokeColor(color);
  canvas.SetRGBFillColor(color);
  canvas.BeginText();
  long double a = 2 * kPi * angle / 360;
  if (!std::isfinite(a)) a = 0;
  canvas.SetTextRise(rise);
  if (vertical) {
    a += kPi / 2;
    canvas.SetTextRise(0);
  }
  canvas.SetHorizontalScaling(horizontalScaling);
  canvas.SetFont(std::string(fontName), size);
  const std::string showable = canvas.Attr().Font()->ShowableText(text);
  TextWriter writer(canvas, RiseState, x, y, a, charSpace, size, rise, vertical);
  writer.Matrix(false);
  RiseState = 0;
  canvas.SetCharSpace(charSpace);

  std::string_view rest = showable;
  while (auto escape = FindTextEscape(rest)) {
    writer.WriteEscape(*escape, escapes);
    rest = rest.substr(static_cast<std::size_t>(escape->next.data() - rest.data()));
  }
  if (!rest.empty()) writer.WritePiece(rest, true);
  canvas.EndText();
}

void TPDFPrinter::ShowTextRuns(TPdfCanvas& canvas, std::string_view text, long double charSpace) {
  std::size_t runStart = 0;
  while (runStart < text.size()) {
    const bool doubleByte = cp932::CharLength(text, runStart) == 2;
    std::size_t runEnd = runStart;
    while (runEnd < text.size() && (cp932::CharLength(text, runEnd) == 2) == doubleByte) {
      runEnd += cp932::CharLength(text, runEnd);
    }
    canvas.SetCharSpace(doubleByte ? charSpace : charSpace / 2);
    canvas.ShowText(text.substr(runStart, runEnd - runStart));
    runStart = runEnd;
  }
}

int TPDFPrinter::CountMBCSChars(std::string_view text) {
  return static_cast<int>(cp932::CountChars(text));
}

}  // namespace kyrovane
