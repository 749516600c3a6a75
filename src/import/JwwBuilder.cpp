#include "import/JwwBuilder.h"

#include <string>

#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"
#include "import/JwwExtents.h"

namespace kyrovane {
namespace jwwbuild {

using namespace jwwunit;

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
