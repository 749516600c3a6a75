#include "app/settings/Environment.h"

namespace kyrovane {
namespace {

constexpr long double kPenWidths[9] = {0.1L, 0.15L, 0.2L, 0.3L, 0.4L, 0.5L, 0.5L, 0.5L, 0.5L};
constexpr int32_t kPenColors[9] = {0, 1, 8, 22, 16, 2, 2, 2, 2};
constexpr int32_t kWhite = 21;
constexpr int32_t kBlack = 1;
constexpr int32_t kLtGray = 9;

// The values that defaults and reset share.
void SetDrawingValues(REnvironment& env) {
  env.UseColor = false;
  env.UseSpline = false;
  env.UseLayerColor = false;
  env.UseGray = true;
  env.PictureCompression = true;
  for (int pen = 1; pen <= 9; ++pen) {
    env.Line[pen] = kPenWidths[pen - 1];
    env.LineColor[pen] = kPenColors[pen - 1];
  }
  env.BackGroundColor = kWhite;
  for (long double& scale : env.LinePatternScale) scale = 1.0L;
  env.Magnification = 1.0L;
  env.TextRise = 0;
  env.LeftMargin = 0;
  env.BottomMargin = 0;
  env.RandomWidth = 1.0L;
  env.GrayLayerColor = kLtGray;
}

}  // namespace

REnvironment DefaultEnvironment() {
  REnvironment env;
  SetDrawingValues(env);
  env.UseJwwFont = true;
  env.LayerColor.fill(kBlack);
  env.TextFont = "Gothic";
  return env;
}

void ResetEnvironment(REnvironment& env) {
  SetDrawingValues(env);
}

void ValidateTextFont(REnvironment& env) {
  if (env.TextFont != "Gothic" && env.TextFont != "Mincyo") env.TextFont = "Gothic";
}

bool SameStoredSettings(const REnvironment& a, const REnvironment& b) {
  REnvironment stored = b;
  stored.PaperMode = a.PaperMode;
  stored.FitToPaper = a.FitToPaper;
  stored.HalfScale = a.HalfScale;
  return stored == a;
}

}  // namespace kyrovane
