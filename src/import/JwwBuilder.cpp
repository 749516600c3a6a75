#include "import/JwwBuilder.h"

#include <string>

#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"
#include "import/PictureText.h"

namespace kyrovane {
namespace jwwbuild {
namespace {

using namespace jwwunit;

TExtents MeasureExtents(const JwwData& jww) {
  TExtents box;
  for (const CDataSen& line : jww.JwwLines) {
    box.Add(line.X1, line.Y1);
    box.Add(line.X2, line.Y2);
  }
  for (const CDataEnko& arc : jww.JwwArcs) {
    box.AddBox(arc.CenterX, arc.CenterY, arc.Radius, arc.Radius * arc.Flatness);
  }
  for (const CDataTen& point : jww.JwwPoints) box.Add(point.X, point.Y);
  for (const CDataMoji& text : jww.JwwTexts) {
    if (const std::optional<TPictureText> picture = ParsePictureText(text.Text)) {
      box.Add(text.StartX, text.StartY);
      box.Add(text.StartX + picture->Width, text.StartY + picture->Height);
    } else if (!text.Text.starts_with(kPictureMarker)) {
      const long double h = text.Height;
      box.AddBox(text.StartX, text.StartY, h, h);
      box.AddBox(text.EndX, text.EndY, h, h);
    }
  }
  for (const CDataSolid& solid : jww.JwwSolids) {
    const auto& v = solid.Values;
    box.Add(v[0], v[1]);
    if (solid.Head.LineType >= kSolidArcLineType) {
      box.AddBox(v[0], v[1], v[2], v[2] * v[3]);
    } else {
      box.Add(v[2], v[3]);
      box.Add(v[4], v[5]);
      box.Add(v[6], v[7]);
    }
  }
  return box;
}

}  // namespace

void TJwwBuilder::Build(bool AllArea) {
  const TExtents extents = MeasureExtents(jww_);
  SetSheet();
  MarkDrawFirst();
  // A drawing with nothing to measure keeps its sheet.
  const bool toExtents = AllArea && extents.Counted();
  if (toExtents) halfSheet_ = {};
  AddLayers(toExtents ? TPoint3{-extents.MinX, -extents.MinY, 0} : TPoint3{});
  if (toExtents) SetPageToExtents(page_, extents, page_.Output.OutputScale);
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
  halfSheet_ = {sheet.HalfX, sheet.HalfY, 0};
  SetSheetPage(page_, env_, sheet);
}

void TJwwBuilder::MarkDrawFirst() {
  for (int l = 0; l < 256; ++l) {
    const JWWGroupRecord& group = head_.Groups[l / 16];
    if (group.State == 1 || group.Layers[l % 16].State == 1) page_.Output.LayerDrawFirst[l] = 1;
  }
}

void TJwwBuilder::AddLayers(const TPoint3& origin) {
  AddNumberedLayers(page_, env_, origin, page_.Output.OutputScale, [&](int l) {
    if (context_.UseListMasks != 0) return ListMasksShow(context_, l);
    const JWWGroupRecord& group = head_.Groups[l / 16];
    return group.State != 0 && group.Layers[l % 16].State != 0;
  });
}

}  // namespace jwwbuild

void BuildJwwDrawing(TCad_Page& CadPage, const jwwunit::JwwData& Jww, const REnvironment& Env,
                     const ConversionContext& Context, const Clock& TextClock, bool AllArea) {
  jwwbuild::TJwwBuilder(CadPage, Jww, Env, Context, TextClock).Build(AllArea);
}

}  // namespace kyrovane
