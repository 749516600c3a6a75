#include "import/JwcShapes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "cad/CadGeometry.h"
#include "cad/CadPolyLine.h"
#include "cad/CadText.h"

namespace kyrovane::jwcbuild {
namespace {

// Bits 6 and 7 of a line's curve-chain byte.
constexpr uint8_t kChainBits = 0xC0;
constexpr uint8_t kChainStart = 0x40;
constexpr uint8_t kChainEnd = 0xC0;
constexpr uint8_t kKeepOutOfChain = 0x40;

// The files keep angles in steps of 1/65536 degree, which are read as singles.
constexpr long double kAngleStep = 1.0L / 65536;

// The end angle of an arc record. A whole turn is stored as S and S + 360, each rounded, so the
// two may lie a little more than 360 degrees apart, and the arc would take only what lies past
// the turn; ends a turn apart within the precision of the stored angles are the whole turn
// from S.
long double EndAngleOf(const TJwcArc& rec) {
  const long double start = rec.StartAngle;
  const long double end = rec.EndAngle;
  const float larger = std::max(std::fabs(rec.StartAngle), std::fabs(rec.EndAngle));
  const long double singleStep =
      std::nextafter(larger, std::numeric_limits<float>::infinity()) - larger;
  if (std::fabs(std::fabs(end - start) - 360) <= singleStep + kAngleStep) return start + 360;
  return end;
}

}  // namespace

TExtents MeasureExtents(std::span<const TJwcLine> lines, std::span<const TJwcArc> arcs,
                        std::span<const TJwcPoint> points, std::span<const TMoji2> texts,
                        const std::function<long double(const TMoji2&)>& halfSize) {
  TExtents box;
  for (const TJwcLine& line : lines) {
    box.Add(line.X1, line.Y1);
    box.Add(line.X2, line.Y2);
  }
  for (const TJwcArc& arc : arcs) {
    box.AddBox(arc.CenterX, arc.CenterY, arc.Radius,
               static_cast<long double>(arc.Radius) * arc.Ratio);
  }
  for (const TJwcPoint& point : points) box.Add(point.X, point.Y);
  for (const TMoji2& text : texts) {
    const long double h = halfSize(text);
    box.AddBox(text.X, text.Y, h, h);
    box.AddBox(text.X2, text.Y2, h, h);
  }
  return box;
}

TCad_Layer& TShapeBuilder::LayerOf(uint8_t layer) const {
  return *page_.FindLayer(std::to_string(layer));
}

template <class T>
T& TShapeBuilder::Create(uint8_t layer) {
  TCad_Layer& target = LayerOf(layer);
  auto entity = std::make_unique<T>(nullptr, target);
  T& result = *entity;
  target.Add(std::move(entity));
  return result;
}

void TShapeBuilder::ApplyPen(TCad_Entity& entity, int pen, int lineType, uint8_t layer) const {
  ApplyPenColor(entity, env_, pen, Greyed(layer));
  entity.SetLineType(std::to_string(lineType));
  entity.LineWidth = PenWidth(env_, pen);
}

// The chain's points are kept in slots from 1 on; slot 0 stays at the origin, a placeholder
// that the curve never draws. A chain is closed by the last line that joined it: lines that
// are not drawn (line type 9) neither join a chain nor end one.
void TShapeBuilder::AddLines(std::span<const TJwcLine> lines) {
  std::vector<TPoint3> slots;
  const TJwcLine* last = nullptr;
  bool inChain = false;
  for (const TJwcLine& rec : lines) {
    if (rec.LineType == kHiddenLineType) continue;
    const uint8_t chain = rec.CurveChain & kChainBits;
    const bool keptOut = rules_.KeepOutFlag && (rec.Flags & kKeepOutOfChain) != 0;
    if (!env_.UseSpline || chain == 0 || keptOut) {
      if (inChain && slots.size() > 1) CloseChain(slots, *last);
      inChain = false;
      AddLine(rec);
      continue;
    }
    if (!inChain || (chain == kChainStart && slots.size() > 1)) {
      if (inChain) CloseChain(slots, *last);
      slots.assign(1, TPoint3{});
      inChain = true;
    }
    slots.push_back({rec.X1, rec.Y1, 0});
    last = &rec;
    if (chain == kChainEnd) {
      CloseChain(slots, rec);
      inChain = false;
    }
  }
  if (inChain && slots.size() > 1) CloseChain(slots, *last);
}

void TShapeBuilder::CloseChain(std::vector<TPoint3>& slots, const TJwcLine& last) {
  slots.push_back({last.X2, last.Y2, 0});
  TCad_Curve& curve = Create<TCad_Curve>(last.Layer);
  AddVertices(curve, slots);
  ApplyPen(curve, last.PenColor, last.LineType, last.Layer);
}

// The line runs from the record's start point, which it holds as P2.
void TShapeBuilder::AddLine(const TJwcLine& rec) {
  TCad_Line& line = Create<TCad_Line>(rec.Layer);
  line.P2 = {rec.X1, rec.Y1, 0};
  line.P1 = {rec.X2, rec.Y2, 0};
  ApplyPen(line, rec.PenColor, rec.LineType, rec.Layer);
}

void TShapeBuilder::AddArcs(std::span<const TJwcArc> arcs) {
  for (const TJwcArc& rec : arcs) {
    if (rec.LineType == kHiddenLineType) continue;
    TCad_Arc& arc = Create<TCad_Arc>(rec.Layer);
    arc.Center = {rec.CenterX, rec.CenterY, 0};
    arc.Radii = {rec.Radius, static_cast<long double>(rec.Radius) * rec.Ratio, 0};
    arc.StartAngle = rec.StartAngle;
    arc.EndAngle = EndAngleOf(rec);
    arc.AxisAngle = rec.AxisAngle;
    ApplyPen(arc, rec.PenColor, rec.LineType, rec.Layer);
  }
}

void TShapeBuilder::AddPoints(std::span<const TJwcPoint> points) {
  for (const TJwcPoint& rec : points) {
    TCad_Point& point = Create<TCad_Point>(rec.Layer);
    point.Position = {rec.X, rec.Y, 0};
    point.SizeFactor = env_.Magnification;
    ApplyPen(point, rec.PenColor, 1, rec.Layer);
  }
}

TCad_Text& TShapeBuilder::AddText(const TMoji2& rec, std::string text, int pen, long double height,
                                  long double hscale, long double spacing) {
  TCad_Text& entity = Create<TCad_Text>(rec.Layer);
  entity.Position = {rec.X, rec.Y, 0};
  ApplyPenColor(entity, env_, pen, Greyed(rec.Layer));
  entity.Height = height;
  entity.HScale = hscale;
  entity.Text = std::move(text);
  entity.Spacing = spacing;
  entity.PaperSized = 1;
  entity.Angle = DirectionAngle(rec.X, rec.Y, rec.X2, rec.Y2);
  return entity;
}

}  // namespace kyrovane::jwcbuild
