#include "app/settings/Environment.h"

#include <gtest/gtest.h>

#include "app/settings/ConversionContext.h"

namespace kyrovane {
namespace {

TEST(Environment, StartsAllZeroLikeTheContextBesideIt) {
  const REnvironment env{};
  EXPECT_FALSE(env.UseJwwFont || env.UseGray || env.PictureCompression || env.Save);
  for (long double width : env.Line) EXPECT_EQ(width, 0);
  for (long double scale : env.LinePatternScale) EXPECT_EQ(scale, 0);
  for (int32_t color : env.LayerColor) EXPECT_EQ(color, 0);
  EXPECT_EQ(env.TextFont, "");
  EXPECT_EQ(env.BackGroundColor, 0);

  const ConversionContext context{};
  EXPECT_EQ(context.UseListMasks, 0);
  EXPECT_EQ(context.ListGroupMask, 0);
  for (uint16_t mask : context.ListLayerMask) EXPECT_EQ(mask, 0);
  EXPECT_TRUE(context.CurrentFileName.empty());
}

TEST(Environment, DefaultsAreTheValuesForMissingKeys) {
  const REnvironment env = DefaultEnvironment();
  EXPECT_FALSE(env.Save);
  EXPECT_FALSE(env.PreView);
  EXPECT_FALSE(env.UseColor);
  EXPECT_FALSE(env.UseSpline);
  EXPECT_TRUE(env.UseJwwFont);
  EXPECT_FALSE(env.UseLayerColor);
  EXPECT_TRUE(env.UseGray);
  EXPECT_TRUE(env.PictureCompression);
  EXPECT_FALSE(env.Mode);
  const long double widths[] = {0.1L, 0.15L, 0.2L, 0.3L, 0.4L, 0.5L, 0.5L, 0.5L, 0.5L};
  const int32_t colors[] = {0, 1, 8, 22, 16, 2, 2, 2, 2};
  for (int pen = 1; pen <= 9; ++pen) {
    EXPECT_EQ(env.Line[pen], widths[pen - 1]) << pen;
    EXPECT_EQ(env.LineColor[pen], colors[pen - 1]) << pen;
  }
  EXPECT_EQ(env.BackGroundColor, 21);
  for (TColor color : env.CustomColor) EXPECT_EQ(color, 0u);
  for (int type = 1; type <= 19; ++type) EXPECT_EQ(env.LinePatternScale[type], 1.0L);
  EXPECT_EQ(env.Magnification, 1.0L);
  EXPECT_EQ(env.TextRise, 0);
  EXPECT_EQ(env.LeftMargin, 0);
  EXPECT_EQ(env.BottomMargin, 0);
  EXPECT_EQ(env.RandomWidth, 1.0L);
  for (int32_t color : env.LayerColor) EXPECT_EQ(color, 1);
  EXPECT_EQ(env.GrayLayerColor, 9);
  EXPECT_EQ(env.LastDir, "");
  EXPECT_EQ(env.TextFont, "Gothic");
  EXPECT_EQ(env.PaperMode, 0);
  EXPECT_FALSE(env.FitToPaper);
  EXPECT_FALSE(env.HalfScale);
}

// A record where every field differs from both the defaults and the reset values.
REnvironment Edited() {
  REnvironment env{};
  env.Save = env.PreView = env.UseColor = env.UseSpline = env.UseLayerColor = env.Mode = true;
  env.UseJwwFont = false;
  for (long double& width : env.Line) width = 2.5L;
  for (int32_t& color : env.LineColor) color = 5;
  env.BackGroundColor = 3;
  env.CustomColor.fill(0x123456);
  for (long double& scale : env.LinePatternScale) scale = 3;
  env.Magnification = env.TextRise = env.LeftMargin = env.BottomMargin = env.RandomWidth = 7;
  env.LayerColor.fill(17);
  env.GrayLayerColor = 4;
  env.LastDir = "/plans";
  env.TextFont = "Mincyo";
  env.PaperMode = 4;
  env.FitToPaper = env.HalfScale = true;
  return env;
}

TEST(Environment, ResetRestoresDrawingValuesAndKeepsTheRest) {
  REnvironment env = Edited();
  ResetEnvironment(env);

  // Reset to the defaults:
  const REnvironment defaults = DefaultEnvironment();
  EXPECT_EQ(env.Line, defaults.Line);
  EXPECT_EQ(env.LineColor, defaults.LineColor);
  EXPECT_EQ(env.BackGroundColor, 21);
  EXPECT_EQ(env.GrayLayerColor, 9);
  EXPECT_EQ(env.LinePatternScale, defaults.LinePatternScale);
  EXPECT_EQ(env.Magnification, 1.0L);
  EXPECT_EQ(env.TextRise, 0);
  EXPECT_EQ(env.LeftMargin, 0);
  EXPECT_EQ(env.BottomMargin, 0);
  EXPECT_EQ(env.RandomWidth, 1.0L);
  EXPECT_FALSE(env.UseColor);
  EXPECT_FALSE(env.UseLayerColor);
  EXPECT_FALSE(env.UseSpline);
  EXPECT_TRUE(env.UseGray);
  EXPECT_TRUE(env.PictureCompression);

  // Kept:
  const REnvironment edited = Edited();
  EXPECT_EQ(env.Save, edited.Save);
  EXPECT_EQ(env.PreView, edited.PreView);
  EXPECT_EQ(env.UseJwwFont, edited.UseJwwFont);
  EXPECT_EQ(env.Mode, edited.Mode);
  EXPECT_EQ(env.CustomColor, edited.CustomColor);
  EXPECT_EQ(env.LayerColor, edited.LayerColor);
  EXPECT_EQ(env.LastDir, edited.LastDir);
  EXPECT_EQ(env.TextFont, edited.TextFont);
  EXPECT_EQ(env.PaperMode, edited.PaperMode);
  EXPECT_EQ(env.FitToPaper, edited.FitToPaper);
  EXPECT_EQ(env.HalfScale, edited.HalfScale);
}

TEST(Environment, FontOtherThanTheTwoExactNamesBecomesGothic) {
  for (const char* font : {"gothic", "mincyo", "", "Mincho", "Gothic ", "GothicV"}) {
    REnvironment env{};
    env.TextFont = font;
    ValidateTextFont(env);
    EXPECT_EQ(env.TextFont, "Gothic") << font;
  }
  REnvironment env{};
  env.TextFont = "Mincyo";
  ValidateTextFont(env);
  EXPECT_EQ(env.TextFont, "Mincyo");
}

TEST(Settings, CopiesAreWholeAndIndependent) {
  Settings settings;
  settings.SavedEnv = DefaultEnvironment();
  settings.Env = settings.SavedEnv;
  settings.Env.LayerColor[37] = 17;  // the layer colour dialog edits Env in place
  settings.Env.LastDir = "/elsewhere";
  settings.Env = settings.SavedEnv;  // a cancelled dialog restores Env from the saved copy
  EXPECT_EQ(settings.Env, settings.SavedEnv);
  EXPECT_EQ(settings.Env.LayerColor[37], 1);
  EXPECT_EQ(settings.Env.LastDir, "");
}

}  // namespace
}  // namespace kyrovane
