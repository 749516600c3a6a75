#include "app/settings/Palette.h"

#include <gtest/gtest.h>

#include <climits>

#include "app/settings/Environment.h"

namespace kyrovane {
namespace {

TEST(Palette, FixedColoursHaveRedInTheLowByte) {
  const REnvironment env{};
  EXPECT_EQ(ColorIndexToColor(0, env), 0xFFFF00u);   // Aqua
  EXPECT_EQ(ColorIndexToColor(1, env), 0x000000u);   // Black
  EXPECT_EQ(ColorIndexToColor(2, env), 0xFF0000u);   // Blue
  EXPECT_EQ(ColorIndexToColor(3, env), 0xF0FBFFu);   // Cream
  EXPECT_EQ(ColorIndexToColor(11, env), 0xA4A0A0u);  // MedGray
  EXPECT_EQ(ColorIndexToColor(15, env), 0x0080FFu);  // Orange
  EXPECT_EQ(ColorIndexToColor(17, env), 0x0000FFu);  // Red
  EXPECT_EQ(ColorIndexToColor(19, env), 0xF0CAA6u);  // SkyBlue
  EXPECT_EQ(ColorIndexToColor(21, env), 0xFFFFFFu);  // White
  EXPECT_EQ(ColorIndexToColor(22, env), 0x00FFFFu);  // Yellow
}

TEST(Palette, NamedTwinsShareTheirValue) {
  const REnvironment env{};
  EXPECT_EQ(ColorIndexToColor(4, env), ColorIndexToColor(6, env));   // DkGray, Gray
  EXPECT_EQ(ColorIndexToColor(9, env), ColorIndexToColor(18, env));  // LtGray, Silver
}

TEST(Palette, CustomColoursComeFromTheGivenRecordAndOthersAreBlack) {
  REnvironment env{};
  for (int i = 0; i < 8; ++i) env.CustomColor[i] = 0x010203u * (i + 1);
  EXPECT_EQ(ColorIndexToColor(23, env), 0x010203u);
  EXPECT_EQ(ColorIndexToColor(30, env), 0x010203u * 8);
  for (int32_t index : {31, 32, -1, INT_MIN, INT_MAX}) {
    EXPECT_EQ(ColorIndexToColor(index, env), 0u) << index;
  }
}

TEST(Palette, NamesFollowTheColourBoxes) {
  EXPECT_EQ(PaletteColorName(0), "Aqua");
  EXPECT_EQ(PaletteColorName(12), "MoneyGreen");
  EXPECT_EQ(PaletteColorName(22), "Yellow");
  EXPECT_EQ(PaletteColorName(23), "カスタム色１");
  EXPECT_EQ(PaletteColorName(30), "カスタム色８");
  EXPECT_EQ(PaletteColorName(31), "");
  EXPECT_EQ(PaletteColorName(-1), "");
}

}  // namespace
}  // namespace kyrovane
