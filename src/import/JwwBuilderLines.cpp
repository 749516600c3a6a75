// Lines, curve chains, random (zig-zag) lines and arcs.

#include <string>
#include <vector>

#include "cad/CadGeometry.h"
#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"

namespace kyrovane::jwwbuild {
namespace {

using namespace jwwunit;

bool IsRandom(int lineType) {
  return lineType >= kFirstRandomLineType && lineType <= kLastRandomLineType;
}

int LayerIndex(const JWWEntityHead& head) {
  return head.LayerGroup * 16 + head.Layer;
}

}  // namespace

// Consecutive lines of one curve group on one layer are joined into a chain when curves are
// smoothed or the lines are random lines. A chain runs through the start points of its lines
// and the end point of its last line, taking that line's layer, pen and line type.
void TJwwBuilder::BuildLines() {
  bool active = false;
  uint32_t currentGroup = 0;
  int currentLayer = 0;
  std::vector<TPoint3> points;
  // The chain closes with its last line. Lines that are not drawn at all (line type 9) are
  // neither part of a chain nor end one.
  const CDataSen* last = nullptr;
  for (const CDataSen& rec : jww_.JwwLines) {
    if (rec.Head.LineType == kHiddenLineType) continue;
    const bool member = rec.Head.CurveGroup != 0 && (env_.UseSpline || IsRandom(rec.Head.LineType));
    if (!member) {
      currentGroup = 0;
      if (active) CloseChain(points, *last);
      active = false;
      if (const std::optional<TTarget> target = TopLevel(rec.Head)) ConvertLine(rec, *target);
      continue;
    }
    if (!active) points.clear();
    active = true;
    const TPoint3 start = At(rec.X1, rec.Y1, halfSheet_);
    if (rec.Head.CurveGroup != currentGroup || LayerIndex(rec.Head) != currentLayer) {
      if (!points.empty()) CloseChain(points, *last);
      currentGroup = rec.Head.CurveGroup;
      currentLayer = LayerIndex(rec.Head);
      points.clear();
    }
    points.push_back(start);
    last = &rec;
  }
  if (active && !points.empty()) CloseChain(points, *last);
}

void TJwwBuilder::CloseChain(std::span<const TPoint3> chain, const CDataSen& last) {
  const std::optional<TTarget> target = TopLevel(last.Head);
  if (!target) return;
  std::vector<TPoint3> points(chain.begin(), chain.end());
  points.push_back(At(last.X2, last.Y2, halfSheet_));
  if (const std::optional<TZigZag> zigzag = ZigZagOf(head_, env_, last.Head.LineType)) {
    if (const auto vertices = ChainZigZag(points, *zigzag, teeth_)) {
      AddCurve(*vertices, last.Head, *target);
      return;
    }
  }
  // A curve never draws its first vertex: the chain starts at the second.
  points.insert(points.begin(), points.front());
  AddCurve(points, last.Head, *target);
}

void TJwwBuilder::ConvertLine(const CDataSen& rec, const TTarget& target) {
  const TPoint3 p1 = At(rec.X1, rec.Y1, target.Offset);
  const TPoint3 p2 = At(rec.X2, rec.Y2, target.Offset);
  if (const std::optional<TZigZag> zigzag = ZigZagOf(head_, env_, rec.Head.LineType)) {
    const TToothCount count = target.Member ? TToothCount::BlockMember : TToothCount::TopLevel;
    if (const auto vertices = LineZigZag(p1, p2, *zigzag, count, teeth_)) {
      AddCurve(*vertices, rec.Head, target);
      return;
    }
  }
  // P1 takes the record's end point and P2 its start, from which the line is drawn.
  TCad_Line& line = Create<TCad_Line>(target);
  line.P1 = p2;
  line.P2 = p1;
  ApplyPen(line, rec.Head);
}

void TJwwBuilder::BuildArcs() {
  for (const CDataEnko& rec : jww_.JwwArcs) {
    if (rec.Head.LineType == kHiddenLineType) continue;
    if (const std::optional<TTarget> target = TopLevel(rec.Head)) ConvertArc(rec, *target);
  }
}

void TJwwBuilder::ConvertArc(const CDataEnko& rec, const TTarget& target) {
  const TPoint3 centre = At(rec.CenterX, rec.CenterY, target.Offset);
  if (const std::optional<TZigZag> zigzag = ZigZagOf(head_, env_, rec.Head.LineType)) {
    const TToothCount count = target.Member ? TToothCount::BlockMember : TToothCount::TopLevel;
    if (const auto vertices = ArcZigZag(rec, centre, *zigzag, count, teeth_)) {
      AddCurve(*vertices, rec.Head, target);
      return;
    }
  }
  // The full-circle flag is not needed: a whole turn gives the angles 0 and 360.
  TCad_Arc& arc = Create<TCad_Arc>(target);
  arc.Center = centre;
  arc.Radii = {rec.Radius, rec.Radius * rec.Flatness, 0};
  SetArcAngles(arc, rec.StartAngle, rec.ArcAngle);
  arc.AxisAngle = Deg(rec.TiltAngle);
  ApplyPen(arc, rec.Head);
}

void SetArcAngles(TCad_Arc& arc, long double start, long double sweep) {
  const long double from = sweep >= 0 ? start : start + sweep;
  const long double to = sweep >= 0 ? start + sweep : start;
  arc.StartAngle = Deg(from);
  arc.EndAngle = Deg(to);
  if (arc.StartAngle < 0) {
    arc.StartAngle += 360;
    arc.EndAngle += 360;
  }
}

}  // namespace kyrovane::jwwbuild
