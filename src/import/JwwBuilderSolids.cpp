// Solids: filled quadrilaterals and filled arcs.

#include "app/settings/Units.h"
#include "cad/CadGeometry.h"
#include "cad/CadPolyLine.h"
#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"

namespace kyrovane::jwwbuild {
namespace {

using namespace jwwunit;

// Pen 10 gives a solid the colour stored with it.
constexpr uint16_t kOwnColorPen = 10;
constexpr long double kOutlineWidth = 0.01L;  // mm

}  // namespace

void TJwwBuilder::BuildSolids() {
  for (const CDataSolid& rec : jww_.JwwSolids) {
    if (const std::optional<TTarget> target = TopLevel(rec.Head)) ConvertSolid(rec, *target);
  }
}

void TJwwBuilder::ConvertSolid(const CDataSolid& rec, const TTarget& target) {
  const auto& v = rec.Values;
  const bool early = head_.SolidsFirst != 0;
  TCad_Entity* solid = nullptr;
  if (rec.Head.LineType >= kSolidArcLineType) {
    // Values: centre x, y, radius, flatness, tilt, start and sweep (radians).
    TCad_Arc& arc = early ? Adopt(target, TCad_Arc::CreatePass2(nullptr, *target.Layer))
                          : Create<TCad_Arc>(target);
    arc.Center = At(v[0], v[1], target.Offset);
    arc.Radii = {v[2], v[2] * v[3], 0};
    arc.AxisAngle = Deg(v[4]);
    SetArcAngles(arc, v[5], v[6]);
    arc.Filled = 1;
    solid = &arc;
  } else {
    const char* name = target.Member ? "Block" : "Solid";
    TCad_PolyLine& polyline =
        early ? Adopt(target, TCad_PolyLine::CreatePass2(nullptr, *target.Layer, name))
              : Create<TCad_PolyLine>(target, name);
    polyline.Filled = 1;
    polyline.Closed = 1;
    for (int corner = 0; corner < 4; ++corner) {
      TCad_Vertex& vertex =
          *polyline.GetVertex(polyline.AddVertex(std::make_unique<TCad_Vertex>(nullptr)));
      vertex.Point = At(v[2 * corner], v[2 * corner + 1], target.Offset);
    }
    solid = &polyline;
  }
  // Top-level solids always show their colour; block members only when colouring by pen.
  if (!target.Member || env_.UseColor) {
    if (Greyed(rec.Head)) {
      solid->Color = Palette(env_.GrayLayerColor);
    } else if (rec.Head.PenColor == kOwnColorPen) {
      solid->Color = static_cast<int32_t>(rec.Color);
    } else {
      solid->Color = PenColor(rec.Head.PenColor);
    }
  }
  solid->SetLineType("1");
  solid->LineWidth = MmToPoint(kOutlineWidth);
}

}  // namespace kyrovane::jwwbuild
