#pragma once

// The parts of the BMP reader: the layout of a file, read and checked from its headers, and
// the pixel decoders that fill a bitmap from it. Only BmpReader.cpp and its parts use this.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pdf/picture/Bitmap.h"

namespace kyrovane::bmp {

enum class TCoding { Rgb, Rle8, Rle4, BitFields };

// One colour channel of a 16- or 32-bit pixel: its bits, where they start, its largest value.
struct TChannel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
};

struct TLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bitCount = 0;
  TCoding coding = TCoding::Rgb;
  std::array<TChannel, 3> channels{};  // red, green, blue
  std::array<TRGB, 256> palette{};     // black where the file gives no colour
  std::size_t pixelOffset = 0;
  // Uncompressed: the bytes of one stored row. Compressed: the bytes of compressed data.
  std::size_t rowStride = 0;
  std::size_t dataSize = 0;
};

// Reads and checks the headers and the colour table; every offset and size in the result lies
// within `file`, and the picture size is within the picture bounds.
TLayout ReadLayout(std::string_view file);

// Decode the pixels described by `layout` into `bitmap`, which has the layout's size.
void DecodeRows(std::string_view file, const TLayout& layout, TBitmap& bitmap);
void DecodeRle(std::string_view file, const TLayout& layout, TBitmap& bitmap);

}  // namespace kyrovane::bmp
