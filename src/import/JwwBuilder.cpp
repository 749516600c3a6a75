#include "import/JwwBuilder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "app/settings/Units.h"
#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"
#include "import/JwwExtents.h"

namespace kyrovane {
namespace jwwbuild {
namespace {

using namespace jwwunit;

// One row of the sheet table: size in points and half-sheet offset in mm.
struct TSheet {
  long double Width, Height, HalfX, HalfY;
};

constexpr TSheet kA1 = {2384, 1684, 420.5L, 297};

TSheet SheetOf(uint32_t paperSize) {
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

// Sheets that fit the drawing onto A3 or A4.
constexpr int kFitA3 = 3;
constexpr int kFitA4 = 4;

}  // namespace

void TJwwBuilder::Build(bool AllArea) {
  const TDrawingExtents extents = MeasureExtents(jww_);
  SetSheet();
  MarkDrawFirst();
  // A drawing with nothing to measure keeps its sheet.
  const bool toExtents = AllArea && extents.Counted;
  if (toExtents) halfSheet_ = {};
  AddLayers(toExtents ? TPoint3{-extents.MinX, -extents.MinY, 0} : TPoint3{});
  if (toExtents) {
    const long double scale = page_.Output.OutputScale;
    SizePageToDrawing(page_, extents.MaxX * scale - extents.MinX * scale,
                      extents.MaxY * scale - extents.MinY * scale);
  }
  AddStandardLineTypes(page_, env_);
  BuildLines();
  BuildArcs();
  BuildPoints();
  BuildTexts();
  BuildDims();
  BuildSolids();
  BuildBlocks();
  BuildInserts();
}

void TJwwBuilder::SetSheet() {
  const TSheet sheet = SheetOf(head_.PaperSize);
  long double width = sheet.Width;
  long double height = sheet.Height;
  halfSheet_ = {sheet.HalfX, sheet.HalfY, 0};
  long double& scale = page_.Output.OutputScale;
  scale = 1;
  if (env_.HalfScale) {
    scale = 0.5L;
    width *= 0.5L;
    height *= 0.5L;
  }
  if (env_.FitToPaper && env_.PaperMode == kFitA3) {
    scale = 1192 / width;
    width = 1192;
    height = 842;
  } else if (env_.FitToPaper && env_.PaperMode == kFitA4) {
    scale = 842 / width;
    width = 842;
    height = 596;
  }
  page_.PageWidth = RoundToInt(width);
  page_.PageHeight = RoundToInt(height);
}

void TJwwBuilder::MarkDrawFirst() {
  for (int l = 0; l < 256; ++l) {
    const JWWGroupRecord& group = head_.Groups[l / 16];
    if (group.State == 1 || group.Layers[l % 16].State == 1) page_.Output.LayerDrawFirst[l] = 1;
  }
}

void TJwwBuilder::AddLayers(const TPoint3& origin) {
  const long double scale = page_.Output.OutputScale;
  for (int l = 0; l < 256; ++l) {
    const int g = l / 16;
    const int k = l % 16;
    TCad_Layer& layer = *page_.GetLayer(page_.AddLayer(std::to_string(l)));
    if (env_.UseLayerColor) layer.Color = ColorIndexToColor(env_.LayerColor[l], env_);
    layer.Origin = origin;
    layer.Scale = {scale, scale, scale};
    if (context_.UseListMasks != 0) {
      layer.Visible = ((context_.ListGroupMask >> g) & 1) && ((context_.ListLayerMask[g] >> k) & 1);
    } else {
      const JWWGroupRecord& group = head_.Groups[g];
      layer.Visible = group.State != 0 && group.Layers[k].State != 0;
    }
  }
}

}  // namespace jwwbuild

void BuildJwwDrawing(TCad_Page& CadPage, const jwwunit::JwwData& Jww, const REnvironment& Env,
                     const ConversionContext& Context, const Clock& TextClock, bool AllArea) {
  jwwbuild::TJwwBuilder(CadPage, Jww, Env, Context, TextClock).Build(AllArea);
}

}  // namespace kyrovane
