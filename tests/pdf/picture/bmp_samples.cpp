#include "bmp_samples.h"

#include "bmp_builder.h"

namespace kyrovane::test {
namespace {

constexpr TRGB kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255},
    kWhite{255, 255, 255}, kDark{10, 20, 30}, kFirst{1, 2, 3}, kYellow{255, 255, 0};

const std::vector<TRGB> kPalette = {kFirst, kRed, kGreen, kBlue, kWhite, kDark, kBlack, kBlack};

// Five pixels wide, so that every depth needs row padding.
const std::vector<std::vector<int>> kIndexes = {{1, 2, 3, 4, 5}, {0, 1, 0, 1, 0}, {5, 4, 3, 2, 1}};

TPicture Lookup(const std::vector<std::vector<int>>& indexes, const std::vector<TRGB>& palette) {
  TPicture picture;
  for (const auto& row : indexes) {
    picture.emplace_back();
    for (int i : row) picture.back().push_back(palette[i]);
  }
  return picture;
}

std::vector<std::vector<int>> Modulo2(std::vector<std::vector<int>> indexes) {
  for (auto& row : indexes) {
    for (int& i : row) i %= 2;
  }
  return indexes;
}

TBmpSample Indexed(std::string name, uint32_t headerSize, uint16_t bitCount, bool topDown) {
  const auto indexes = bitCount == 1 ? Modulo2(kIndexes) : kIndexes;
  TBmpRecipe recipe;
  recipe.headerSize = headerSize;
  recipe.width = 5;
  recipe.height = topDown ? -3 : 3;
  recipe.bitCount = bitCount;
  recipe.palette.assign(kPalette.begin(), kPalette.begin() + (bitCount == 1 ? 2 : 8));
  if (headerSize == 40) recipe.colorsUsed = static_cast<uint32_t>(recipe.palette.size());
  if (headerSize == 12) recipe.palette.resize(std::size_t{1} << bitCount, kBlack);
  recipe.pixels = PackIndexes(indexes, bitCount, topDown);
  return {std::move(name), BuildBmp(recipe), Lookup(indexes, kPalette)};
}

// 24 bits per pixel, two rows of two: bytes blue, green, red, each row padded to 8 bytes.
TBmpSample TrueColor(std::string name, uint32_t headerSize) {
  TBmpRecipe recipe;
  recipe.headerSize = headerSize;
  recipe.width = 2;
  recipe.height = 2;
  recipe.pixels = std::string("\xFF\x00\x00\xFF\xFF\xFF\x00\x00", 8) +  // bottom: blue, white
                  std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);   // top: red, green
  return {std::move(name), BuildBmp(recipe), {{kRed, kGreen}, {kBlue, kWhite}}};
}

// 16 bits per pixel, one row of three pixels and a two-byte pad.
TBmpSample Rgb555() {
  TBmpRecipe recipe;
  recipe.width = 3;
  recipe.height = 1;
  recipe.bitCount = 16;
  // 0x7C00 full red; 0x4101 = red 16, green 8, blue 1 of 31; 0x03FF green and blue.
  recipe.pixels = std::string("\x00\x7C\x01\x41\xFF\x03\x00\x00", 8);
  return {"rgb555.bmp", BuildBmp(recipe), {{kRed, TRGB{132, 66, 8}, TRGB{0, 255, 255}}}};
}

TBmpSample Rgb565(std::string name, uint32_t headerSize) {
  TBmpRecipe recipe;
  recipe.headerSize = headerSize;
  recipe.width = 2;
  recipe.height = -2;
  recipe.bitCount = 16;
  recipe.compression = 3;
  recipe.masks = {0xF800, 0x07E0, 0x001F};
  // 0xFFE0 yellow, 0x0400 green 32 of 63; 0x001F blue, 0xF81F magenta.
  recipe.pixels = std::string("\xE0\xFF\x00\x04\x1F\x00\x1F\xF8", 8);
  return {
      std::move(name), BuildBmp(recipe), {{kYellow, TRGB{0, 130, 0}}, {kBlue, TRGB{255, 0, 255}}}};
}

// 32 bits per pixel without bit fields: blue, green, red and an ignored fourth byte.
TBmpSample Rgb32() {
  TBmpRecipe recipe;
  recipe.width = 2;
  recipe.height = 1;
  recipe.bitCount = 32;
  recipe.pixels = std::string("\x30\x20\x10\xFF\x00\x00\xFF\x7F", 8);
  return {"rgb32.bmp", BuildBmp(recipe), {{TRGB{0x10, 0x20, 0x30}, kRed}}};
}

TBmpSample BitFields32(std::string name, uint32_t headerSize) {
  TBmpRecipe recipe;
  recipe.headerSize = headerSize;
  recipe.width = 2;
  recipe.height = 1;
  recipe.bitCount = 32;
  recipe.compression = 3;
  // Ten bits per channel: red in bits 20-29, green 10-19, blue 0-9.
  recipe.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
  // Pixel 1: red 1023, green 512, blue 0. Pixel 2: red 0, green 0, blue 1023.
  recipe.pixels = std::string("\x00\x00\xF8\x3F\xFF\x03\x00\x00", 8);
  return {std::move(name), BuildBmp(recipe), {{TRGB{255, 128, 0}, kBlue}}};
}

// Without a pixel offset and with fewer colours than the depth allows, the pixels follow
// the declared colours directly.
TBmpSample ShortPaletteNoOffset() {
  TBmpRecipe recipe;
  recipe.width = 5;
  recipe.height = 3;
  recipe.bitCount = 8;
  recipe.palette.assign(kPalette.begin(), kPalette.begin() + 6);
  recipe.colorsUsed = 6;
  recipe.writePixelOffset = false;
  recipe.pixels = PackIndexes(kIndexes, 8);
  return {"pal8-short-no-offset.bmp", BuildBmp(recipe), Lookup(kIndexes, kPalette)};
}

TBmpSample Rle8() {
  TBmpRecipe recipe;
  recipe.width = 5;
  recipe.height = 3;
  recipe.bitCount = 8;
  recipe.compression = 1;
  recipe.palette = kPalette;
  recipe.pixels = std::string(
      "\x03\x01\x02\x02\x00\x00"  // bottom: 3 red, 2 green, end of line
      "\x00\x03\x03\x04\x05\x00"  // middle: blue, white, dark as they are, padded
      "\x00\x02\x01\x01"          // move 1 right, 1 up
      "\x01\x01\x00\x01",         // top: 1 red at x 4, end of picture
      20);
  return {"rle8.bmp",
          BuildBmp(recipe),
          {{kFirst, kFirst, kFirst, kFirst, kRed},
           {kBlue, kWhite, kDark, kFirst, kFirst},
           {kRed, kRed, kRed, kGreen, kGreen}}};
}

TBmpSample Rle4() {
  TBmpRecipe recipe;
  recipe.width = 6;
  recipe.height = 3;
  recipe.bitCount = 4;
  recipe.compression = 2;
  recipe.palette = kPalette;
  recipe.pixels = std::string(
      "\x05\x12\x00\x00"          // bottom: 1 2 1 2 1, end of line
      "\x00\x03\x34\x50\x00\x00"  // middle: 3 4 5 as they are, end of line
      "\x00\x05\x12\x34\x50\x00"  // top: 1 2 3 4 5 as they are, padded
      "\x00\x01",                 // end of picture
      18);
  return {"rle4.bmp",
          BuildBmp(recipe),
          {{kRed, kGreen, kBlue, kWhite, kDark, kFirst},
           {kBlue, kWhite, kDark, kFirst, kFirst, kFirst},
           {kRed, kGreen, kRed, kGreen, kRed, kFirst}}};
}

}  // namespace

std::vector<TBmpSample> BmpSamples() {
  return {
      Indexed("pal1.bmp", 40, 1, false),
      Indexed("pal4.bmp", 40, 4, false),
      Indexed("pal8.bmp", 40, 8, false),
      Indexed("pal8-topdown.bmp", 40, 8, true),
      Indexed("pal4-v5.bmp", 124, 4, false),
      Indexed("core1.bmp", 12, 1, false),
      Indexed("core8.bmp", 12, 8, false),
      ShortPaletteNoOffset(),
      TrueColor("rgb24.bmp", 40),
      TrueColor("core24.bmp", 12),
      TrueColor("rgb24-v2.bmp", 52),
      TrueColor("rgb24-v3.bmp", 56),
      TrueColor("rgb24-v4.bmp", 108),
      Rgb555(),
      Rgb565("rgb565.bmp", 40),
      Rgb565("rgb565-v4.bmp", 108),
      Rgb32(),
      BitFields32("rgb30.bmp", 40),
      BitFields32("rgb30-v5.bmp", 124),
      Rle8(),
      Rle4(),
  };
}

}  // namespace kyrovane::test
