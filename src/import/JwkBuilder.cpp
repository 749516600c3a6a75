#include "import/JwkBuilder.h"

#include <cmath>
#include <string>

#include "app/settings/ConversionContext.h"
#include "cad/CadExport.h"
#include "cad/CadText.h"
#include "import/JwcShapes.h"
#include "import/TextVariables.h"
#include "import/jwkunit.h"

namespace kyrovane {
namespace {

// The type of a text; types beyond the table are the first.
int TextTypeOf(const TMoji2& text) {
  return text.TextType < kJwcTextTypes ? text.TextType : 1;
}

// A parts file with nothing in it gets an A4 page, points.
constexpr int kEmptyPageWidth = 842;
constexpr int kEmptyPageHeight = 596;

}  // namespace

void BuildJwkDrawing(TCad_Page& CadPage, const JwkData& Jwk, const REnvironment& Env,
                     const ConversionContext& Context, const Clock& TextClock) {
  CadPage.Output.OutputScale = 1;
  const long double scale = SoundScale(Jwk.JwkHeader.Scale);
  const TExtents extents = jwcbuild::MeasureExtents(
      Jwk.JwkLines, Jwk.JwkArcs, Jwk.JwkPoints, Jwk.JwkTexts,
      [&](const TMoji2& text) { return kJwcTextSizes[TextTypeOf(text)].Height * scale; });
  const TPoint3 origin = extents.Counted() ? TPoint3{-extents.MinX, -extents.MinY, 0} : TPoint3{};
  AddNumberedLayers(CadPage, Env, origin, 1 / scale, [](int) { return true; });
  if (extents.Counted()) {
    SetPageToExtents(CadPage, extents, 1 / scale);
  } else {
    CadPage.PageWidth = kEmptyPageWidth;
    CadPage.PageHeight = kEmptyPageHeight;
  }
  AddStandardLineTypes(CadPage, Env);

  jwcbuild::TShapeBuilder shapes(CadPage, Env, {});
  shapes.AddLines(Jwk.JwkLines);
  shapes.AddArcs(Jwk.JwkArcs);
  shapes.AddPoints(Jwk.JwkPoints);
  for (const TMoji2& rec : Jwk.JwkTexts) {
    const int type = TextTypeOf(rec);
    const TJwcTextSize& size = kJwcTextSizes[type];
    // Parts files keep no editing time.
    shapes.AddText(rec, ReplaceTextVariables(rec.Text, Context, 0, TextClock), type, size.Height,
                   std::nearbyint(size.Width * 100 / size.Height), size.Spacing);
  }
}

}  // namespace kyrovane
