// Points, texts, pictures and dimensions.

#include <cmath>
#include <string>
#include <string_view>

#include "cad/CadGeometry.h"
#include "cad/CadText.h"
#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"
#include "import/PictureText.h"
#include "text/cp932.h"

namespace kyrovane::jwwbuild {
namespace {

using namespace jwwunit;

// "明朝" in code page 932: the drawing's fonts of that name are drawn in Mincho.
constexpr std::string_view kMincho = "\x96\xbe\x92\xa9";
constexpr uint16_t kVerticalFlag = 0x20;

// Whether part occurs in text beginning at a character of it.
bool ContainsChars(std::string_view text, std::string_view part) {
  for (std::size_t pos = 0; pos < text.size(); pos += cp932::CharLength(text, pos)) {
    if (text.substr(pos).starts_with(part)) return true;
  }
  return false;
}

// Width as a percentage of the height; a text of no height keeps its normal width.
long double HScaleOf(const CDataMoji& rec) {
  const long double scale = rec.Width * 100.0L / rec.Height;
  return rec.Height != 0 && std::isfinite(scale) ? scale : 100;
}

}  // namespace

void TJwwBuilder::BuildPoints() {
  for (const CDataTen& rec : jww_.JwwPoints) {
    if (const std::optional<TTarget> target = TopLevel(rec.Head)) ConvertPoint(rec, *target);
  }
}

void TJwwBuilder::ConvertPoint(const CDataTen& rec, const TTarget& target) {
  // Temporary points are construction aids that the drawing's author never prints.
  if (rec.Temporary != 0) return;
  TCad_Point& point = Create<TCad_Point>(target);
  point.Position = At(rec.X, rec.Y, target.Offset);
  point.SizeFactor = env_.Magnification;
  ApplyPenColor(point, rec.Head, rec.Head.PenColor);
  point.SetLineType("1");
  point.LineWidth = PenWidth(rec.Head.PenColor);
}

void TJwwBuilder::BuildTexts() {
  for (const CDataMoji& rec : jww_.JwwTexts) {
    if (const std::optional<TTarget> target = TopLevel(rec.Head)) ConvertText(rec, *target);
  }
}

void TJwwBuilder::ConvertText(const CDataMoji& rec, const TTarget& target) {
  if (rec.Text.starts_with(kPictureMarker)) {
    // A picture whose size is not a number cannot be placed and is left out.
    if (const std::optional<TPictureText> picture = ParsePictureText(rec.Text)) {
      AddPicture(rec, *picture, target);
    }
    return;
  }
  TCad_Text& text = Create<TCad_Text>(target);
  ApplyPenColor(text, rec.Head, rec.Head.PenColor);
  // Top-level texts take the spacing of their text type, block members their own.
  FillText(text, rec, target.Member ? rec.Spacing : TextTypeSpacing(rec), target);
}

void TJwwBuilder::FillText(TCad_Text& text, const CDataMoji& rec, long double spacing,
                           const TTarget& target) {
  text.Position = At(rec.StartX, rec.StartY, target.Offset);
  if (env_.UseJwwFont) text.FontName = ContainsChars(rec.FontName, kMincho) ? "Mincyo" : "Gothic";
  text.Height = rec.Height;
  text.HScale = HScaleOf(rec);
  text.Text = ReplaceTextVariablesJww(rec.Text, context_, head_.DrawingTime, clock_);
  text.Spacing = spacing;
  text.PaperSized = 1;
  text.Angle = DirectionAngle(rec.StartX, rec.StartY, rec.EndX, rec.EndY);
  text.Vertical = (rec.Head.Flags & kVerticalFlag) != 0 ? 1 : 0;
}

void TJwwBuilder::BuildDims() {
  for (const CDataSunpou& rec : jww_.JwwDims) {
    if (const std::optional<TTarget> target = TopLevel(rec.Head)) ConvertDim(rec, *target);
  }
}

// A dimension is its line and its text, both on the dimension's layer and greyed with it.
void TJwwBuilder::ConvertDim(const CDataSunpou& rec, const TTarget& target) {
  if (target.Member || rec.Line.Head.LineType != kHiddenLineType) {
    TCad_Line& line = Create<TCad_Line>(target);
    ApplyPenColor(line, rec.Head, rec.Line.Head.PenColor);
    line.P2 = At(rec.Line.X1, rec.Line.Y1, target.Offset);
    line.P1 = At(rec.Line.X2, rec.Line.Y2, target.Offset);
    line.SetLineType(std::to_string(rec.Line.Head.LineType));
    line.LineWidth = PenWidth(rec.Line.Head.PenColor);
  }
  // At the top level the text takes the line's pen and its own spacing, in a block its own
  // pen and the spacing of its text type.
  TCad_Text& text = Create<TCad_Text>(target);
  ApplyPenColor(text, rec.Head, target.Member ? rec.Text.Head.PenColor : rec.Line.Head.PenColor);
  FillText(text, rec.Text, target.Member ? TextTypeSpacing(rec.Text) : rec.Text.Spacing, target);
}

}  // namespace kyrovane::jwwbuild
