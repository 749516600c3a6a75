#include "import/JwBuilderRules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "app/settings/Units.h"
#include "cad/CadPage.h"
#include "cad/CadPolyLine.h"

namespace kyrovane {
namespace {

// Dash and gap lengths of each line type in units of its pattern scale; empty is solid.
const std::vector<long double> kDashes[kStandardLineTypes] = {
    {},                   // 1
    {2},                  // 2
    {4},                  // 3
    {6, 2},               // 4
    {10, 2, 2, 2},        // 5
    {13, 2, 2, 2},        // 6
    {4, 2, 1, 2, 1, 2},   // 7
    {12, 2, 1, 2, 1, 2},  // 8
    {},                   // 9: a fixed length, below
    {},                   // 10
    {},                   // 11
    {},                   // 12
    {},                   // 13
    {},                   // 14
    {},                   // 15
    {10, 2, 2, 2},        // 16
    {12, 2, 1, 2, 1, 2},  // 17
    {12, 2},              // 18
    {12, 2},              // 19
};

constexpr int kFixedLineType = 9;
constexpr long double kFixedDash = 0.5L;  // mm, whatever the pattern scale

constexpr TSheet kA1 = {2384, 1684, 420.5L, 297};

// Sheets that fit the drawing onto A3 or A4.
constexpr int kFitA3 = 3;
constexpr int kFitA4 = 4;

}  // namespace

void AddStandardLineTypes(TCad_Page& CadPage, const REnvironment& Env) {
  for (int t = 1; t <= kStandardLineTypes; ++t) {
    const std::string name = std::to_string(t);
    CadPage.AddLineType(name);
    TCad_Line_Type& lineType = *CadPage.FindLineType(name);
    if (t == kFixedLineType) {
      lineType.AddDash(kFixedDash);
    } else {
      for (const long double length : kDashes[t - 1]) {
        lineType.AddDash(length * Env.LinePatternScale[t]);
      }
    }
    lineType.Phase = 0;
  }
}

TSheet SheetOf(int64_t paperSize) {
  switch (paperSize) {
    case 0:
      return {3368, 2384, 594.5L, 420.5L};
    case 2:
      return {1684, 1192, 297, 210};
    case 3:
      return {1192, 842, 210, 148.5L};
    case 4:
      return {842, 596, 148.5L, 105};
    case 8:
      return {4768, 3368, 841, 594.5L};
    case 9:
      return {6736, 4768, 1189, 841};
    case 10:
      return {9536, 6736, 1682, 1189};
    case 11:
      return {13472, 9536, 2378, 1682};
    default:
      return kA1;
  }
}

void SetSheetPage(TCad_Page& CadPage, const REnvironment& Env, const TSheet& sheet) {
  long double width = sheet.Width;
  long double height = sheet.Height;
  long double& scale = CadPage.Output.OutputScale;
  scale = 1;
  if (Env.HalfScale) {
    scale = 0.5L;
    width *= 0.5L;
    height *= 0.5L;
  }
  if (Env.FitToPaper && Env.PaperMode == kFitA3) {
    scale = 1192 / width;
    width = 1192;
    height = 842;
  } else if (Env.FitToPaper && Env.PaperMode == kFitA4) {
    scale = 842 / width;
    width = 842;
    height = 596;
  }
  CadPage.PageWidth = RoundToInt(width);
  CadPage.PageHeight = RoundToInt(height);
}

long double SoundScale(long double scale) {
  return std::isfinite(scale) && scale > 0 ? scale : 1;
}

int RoundToInt(long double value) {
  const long double rounded = std::nearbyint(value);
  if (std::isnan(rounded)) return 0;
  if (rounded <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (rounded >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(rounded);
}

bool TExtents::Counts(long double v) {
  if (!std::isfinite(v)) return false;
  counted_ = true;
  return true;
}

void TExtents::LowerX(long double v) {
  if (Counts(v)) MinX = std::min(MinX, v);
}

void TExtents::RaiseX(long double v) {
  if (Counts(v)) MaxX = std::max(MaxX, v);
}

void TExtents::LowerY(long double v) {
  if (Counts(v)) MinY = std::min(MinY, v);
}

void TExtents::RaiseY(long double v) {
  if (Counts(v)) MaxY = std::max(MaxY, v);
}

void SetPageToExtents(TCad_Page& CadPage, const TExtents& extents, long double scale) {
  CadPage.PageWidth = RoundToInt(MmToPoint(extents.MaxX * scale - extents.MinX * scale) +
                                 MmToPoint(CadPage.MarginX * 2));
  CadPage.PageHeight = RoundToInt(MmToPoint(extents.MaxY * scale - extents.MinY * scale) +
                                  MmToPoint(CadPage.MarginY * 2));
  CadPage.SizedToDrawing = true;
}

bool ListMasksShow(const ConversionContext& Context, int l) {
  const int g = l / 16;
  return ((Context.ListGroupMask >> g) & 1) && ((Context.ListLayerMask[g] >> (l % 16)) & 1);
}

void AddNumberedLayers(TCad_Page& CadPage, const REnvironment& Env, const TPoint3& origin,
                       long double scale, const std::function<bool(int l)>& visible) {
  for (int l = 0; l < 256; ++l) {
    TCad_Layer& layer = *CadPage.GetLayer(CadPage.AddLayer(std::to_string(l)));
    if (Env.UseLayerColor) layer.Color = ColorIndexToColor(Env.LayerColor[l], Env);
    layer.Origin = origin;
    layer.Scale = {scale, scale, scale};
    layer.Visible = visible(l) ? 1 : 0;
  }
}

int PenIndex(int64_t pen) {
  return decltype(REnvironment::Line)::Contains(pen) ? static_cast<int>(pen) : 1;
}

long double PenWidth(const REnvironment& Env, int64_t pen) {
  return MmToPoint(Env.Line[PenIndex(pen)]);
}

void ApplyPenColor(TCad_Entity& entity, const REnvironment& Env, int64_t pen, bool greyed) {
  if (!Env.UseColor) return;
  entity.Color = ColorIndexToColor(greyed ? Env.GrayLayerColor : Env.LineColor[PenIndex(pen)], Env);
}

void AddVertices(TCad_Curve& curve, std::span<const TPoint3> points) {
  for (const TPoint3& point : points) {
    curve.GetVertex(curve.AddVertex(std::make_unique<TCad_Vertex>(nullptr)))->Point = point;
  }
}

long double DirectionAngle(long double x1, long double y1, long double x2, long double y2) {
  const long double dx = x2 - x1;
  const long double dy = y2 - y1;
  if (dx == 0) return dy > 0 ? 90 : 270;
  if (dy == 0) return dx > 0 ? 0 : 180;
  long double a = Deg(std::atan(dy / dx));
  if (dx < 0) {
    a += 180;
  } else if (dy < 0) {
    a += 360;
  }
  return a;
}

}  // namespace kyrovane
