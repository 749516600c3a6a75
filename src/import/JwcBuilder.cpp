#include "import/JwcBuilder.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/settings/ConversionContext.h"
#include "cad/CadImage.h"
#include "cad/CadText.h"
#include "import/JwcShapes.h"
#include "import/PictureText.h"
#include "import/TextVariables.h"
#include "import/jwcunit.h"

namespace kyrovane {
namespace {

constexpr uint8_t kVerticalFlag = 0x20;

// The text type of a text; types beyond the table are the first.
const TJwcTextType& TextTypeOf(const JwcData& jwc, const TMoji2& text) {
  return jwc.JwcTextTypes[text.TextType < jwc.JwcTextTypes.size() ? text.TextType : 1];
}

// Width as a percentage of the height, from the two words as signed numbers; a type of no
// height keeps the normal width.
long double HScaleOf(const TJwcTextType& type) {
  const int height = static_cast<int16_t>(type.Height);
  if (height == 0) return 100;
  return static_cast<int16_t>(type.Width) * 100 / height;
}

class TJwcBuilder {
 public:
  TJwcBuilder(TCad_Page& page, const JwcData& jwc, const REnvironment& env,
              const ConversionContext& context, const Clock& clock)
      : page_(page),
        jwc_(jwc),
        env_(env),
        context_(context),
        clock_(clock),
        shapes_(page, env, {.KeepOutFlag = true, .Greyed = [this](int l) {
                              return env_.UseGray && DisplayOnly(l);
                            }}) {}

  void Build(bool AllArea) {
    const TExtents extents = jwcbuild::MeasureExtents(
        jwc_.JwcLines, jwc_.JwcArcs, jwc_.JwcPoints, jwc_.JwcTexts,
        [&](const TMoji2& text) { return TextTypeOf(jwc_, text).Height * 0.1L; });
    SetSheetPage(page_, env_, SheetOf(jwc_.JwcHeader.PaperSize));
    for (int l = 0; l < 256; ++l) {
      if (DisplayOnly(l)) page_.Output.LayerDrawFirst[l] = 1;
    }
    // A drawing with nothing to measure keeps its sheet.
    const bool toExtents = AllArea && extents.Counted();
    const long double scale = SoundScale(jwc_.JwcHeader.Scale);
    AddNumberedLayers(page_, env_, toExtents ? TPoint3{-extents.MinX, -extents.MinY, 0} : TPoint3{},
                      page_.Output.OutputScale * scale, [&](int l) {
                        if (context_.UseListMasks != 0) return ListMasksShow(context_, l);
                        return jwc_.JwcLayers[l].StateB != 0 && jwc_.JwcGroups[l / 16].StateB != 0;
                      });
    // The page follows the drawing at its own scale, whatever the output scale.
    if (toExtents) SetPageToExtents(page_, extents, scale);
    AddStandardLineTypes(page_, env_);
    shapes_.AddLines(jwc_.JwcLines);
    shapes_.AddArcs(jwc_.JwcArcs);
    shapes_.AddPoints(jwc_.JwcPoints);
    for (const TMoji2& text : jwc_.JwcTexts) AddText(text);
  }

 private:
  // Display-only layers, drawn first and, when the settings say so, in grey: those whose group
  // or own first state byte is 0.
  bool DisplayOnly(int l) const {
    return jwc_.JwcGroups[l / 16].StateA == 0 || jwc_.JwcLayers[l].StateA == 0;
  }

  void AddText(const TMoji2& rec) {
    if (rec.Text.starts_with(kPictureMarker)) {
      // A picture whose size is not a number cannot be placed and is left out.
      if (const std::optional<TPictureText> picture = ParsePictureText(rec.Text)) {
        AddPicture(rec, *picture);
      }
      return;
    }
    const TJwcTextType& type = TextTypeOf(jwc_, rec);
    TCad_Text& text = shapes_.AddText(
        rec, ReplaceTextVariables(rec.Text, context_, jwc_.JwcHeader.DrawingTime, clock_),
        type.ColorPen, type.Height * 0.1L, HScaleOf(type), type.Spacing * 0.1L);
    text.Vertical = (rec.Flags & kVerticalFlag) != 0 ? 1 : 0;
  }

  void AddPicture(const TMoji2& rec, const TPictureText& picture) {
    TCad_Layer& layer = shapes_.LayerOf(rec.Layer);
    std::unique_ptr<TCad_Image> owned = TCad_Image::CreatePass2(nullptr, layer);
    TCad_Image& image = *owned;
    layer.Add(std::move(owned));
    image.Angle = DirectionAngle(rec.X, rec.Y, rec.X2, rec.Y2);
    image.Width = picture.Width;
    image.Height = picture.Height;
    image.Resample = env_.PictureCompression ? 1 : 0;
    // A relative path is the drawing's folder's.
    image.LoadFromFile(picture.Path, std::filesystem::path(context_.CurrentFileName).parent_path());
    image.Position = {rec.X, rec.Y, 0};
  }

  TCad_Page& page_;
  const JwcData& jwc_;
  const REnvironment& env_;
  const ConversionContext& context_;
  const Clock& clock_;
  jwcbuild::TShapeBuilder shapes_;
};

}  // namespace

void BuildJwcDrawing(TCad_Page& CadPage, const JwcData& Jwc, const REnvironment& Env,
                     const ConversionContext& Context, const Clock& TextClock, bool AllArea) {
  TJwcBuilder(CadPage, Jwc, Env, Context, TextClock).Build(AllArea);
}

}  // namespace kyrovane
