#include "import/JwkBuilder.h"

#include <cmath>
#include <string>

#include "app/settings/ConversionContext.h"
#include "cad/CadText.h"
#include "import/JwcShapes.h"
#include "import/TextVariables.h"
#include "import/jwkunit.h"

namespace kyrovane {
namespace {

// Sizes of the text types of parts files, mm; index = the text's type.
struct TTextSize {
  long double Width, Height, Spacing;
};
constexpr TTextSize kTextSizes[] = {
    {3.5L, 3.5L, 0},    {3.0L, 3.0L, 0},    {2.5L, 2.5L, 0},      {3.5L, 3.5L, 0},
    {4.0L, 4.0L, 0.5L}, {5.0L, 5.0L, 0.5L}, {6.0L, 6.0L, 1.0L},   {7.0L, 7.0L, 1.0L},
    {4.0L, 8.0L, 0.5L}, {9.0L, 9.0L, 1.0L}, {10.0L, 10.0L, 1.0L},
};
constexpr int kTextTypes = sizeof kTextSizes / sizeof kTextSizes[0];

// The type of a text; types beyond the table are the first.
int TextTypeOf(const TMoji2& text) {
  return text.TextType < kTextTypes ? text.TextType : 1;
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
      [&](const TMoji2& text) { return kTextSizes[TextTypeOf(text)].Height * scale; });
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
    const TTextSize& size = kTextSizes[type];
    // Parts files keep no editing time.
    shapes.AddText(rec, ReplaceTextVariables(rec.Text, Context, 0, TextClock), type, size.Height,
                   std::nearbyint(size.Width * 100 / size.Height), size.Spacing);
  }
}

}  // namespace kyrovane
