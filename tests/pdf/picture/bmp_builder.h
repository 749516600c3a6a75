#pragma once

// Builds BMP file images for the picture tests: the headers from a few fields, the pixel
// data either given as stored bytes (for compressed and hand-made data) or packed from a grid
// of palette indexes or colours.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "pdf/picture/Bitmap.h"
#include "support/byte_writer.h"

namespace kyrovane::test {

struct TBmpRecipe {
  uint32_t headerSize = 40;  // 12 (OS/2 core), 40, 52, 56, 108 or 124
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top-down
  uint16_t bitCount = 24;
  uint32_t compression = 0;
  std::vector<TRGB> palette;
  uint32_t colorsUsed = 0;
  std::array<uint32_t, 3> masks{};  // red, green, blue; written for compression 3
  bool writePixelOffset = true;     // false: the offset field is left 0
  std::string pixels;               // the stored pixel data
};

inline std::string BuildBmp(const TBmpRecipe& recipe) {
  const bool core = recipe.headerSize == 12;
  ByteWriter out;
  out.Bytes("BM").U32(0).U32(0).U32(0);  // file size and pixel offset patched below
  out.U32(recipe.headerSize);
  if (core) {
    out.U16(static_cast<uint16_t>(recipe.width)).U16(static_cast<uint16_t>(recipe.height));
    out.U16(1).U16(recipe.bitCount);
  } else {
    out.I32(recipe.width).I32(recipe.height).U16(1).U16(recipe.bitCount).U32(recipe.compression);
    out.U32(static_cast<uint32_t>(recipe.pixels.size())).I32(2835).I32(2835);
    out.U32(recipe.colorsUsed).U32(0);
    const std::size_t extra = recipe.headerSize - 40;
    if (recipe.compression == 3 || extra > 0) {
      // The plain header keeps its masks after itself, the longer ones within.
      for (uint32_t mask : recipe.masks) out.U32(mask);
      if (extra > 12) out.Zeros(extra - 12);
    }
  }
  for (const TRGB& c : recipe.palette) {
    out.U8(c.B).U8(c.G).U8(c.R);
    if (!core) out.U8(0);
  }
  const std::size_t pixelOffset = out.Size();
  out.Bytes(recipe.pixels);
  out.PatchU32(2, static_cast<uint32_t>(out.Size()));
  out.PatchU32(10, recipe.writePixelOffset ? static_cast<uint32_t>(pixelOffset) : 0);
  return out.Data();
}

// An RLE8 picture of the given size with a palette of black, red and green, and the given
// compressed data.
inline TBmpRecipe Rle8Recipe(int32_t width, int32_t height, std::string data) {
  TBmpRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  recipe.bitCount = 8;
  recipe.compression = 1;
  recipe.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}};
  recipe.pixels = std::move(data);
  return recipe;
}

// A 24-bit BMP file of one red pixel.
inline std::string RedPixelBmp() {
  TBmpRecipe recipe;
  recipe.width = 1;
  recipe.height = 1;
  recipe.pixels = std::string("\0\0\xff\0", 4);
  return BuildBmp(recipe);
}

// Packs rows of palette indexes (top row first) at 1, 4 or 8 bits per pixel, each stored
// row padded to four bytes, bottom-up unless `topDown`.
inline std::string PackIndexes(const std::vector<std::vector<int>>& rows, int bitCount,
                               bool topDown = false) {
  std::string out;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto& row = rows[topDown ? r : rows.size() - 1 - r];
    std::string packed((row.size() * bitCount + 31) / 32 * 4, '\0');
    for (std::size_t x = 0; x < row.size(); ++x) {
      const std::size_t bit = x * bitCount;
      const int shift = 8 - bitCount - static_cast<int>(bit % 8);
      packed[bit / 8] = static_cast<char>(packed[bit / 8] | (row[x] << shift));
    }
    out += packed;
  }
  return out;
}

}  // namespace kyrovane::test
