#pragma once

// A bitmap held in memory with 24 bits per pixel. Every picture that becomes a bitmap (BMP
// files of any pixel format, decoded JPEG pictures) is converted to this one format when it
// is read, so a bitmap is always ready to be written out or resampled row by row.

#include <cstdint>
#include <string_view>
#include <vector>

#include "pdf/picture/Graphic.h"

namespace kyrovane {

struct TRGB {
  uint8_t R = 0;
  uint8_t G = 0;
  uint8_t B = 0;
  friend bool operator==(const TRGB&, const TRGB&) = default;
};

class TBitmap : public TGraphic {
 public:
  TBitmap() = default;
  // A black bitmap of the given size (see SetSize).
  TBitmap(int width, int height);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  bool Empty() const override { return width_ == 0 || height_ == 0; }

  // Resizes to a black bitmap. A negative size counts as 0 and gives an empty bitmap; a size
  // beyond the picture bounds throws EInvalidGraphic and leaves the bitmap as it was.
  void SetSize(int width, int height);

  // Releases the pixel memory; the bitmap becomes empty.
  void FreeImage();

  // Row `y` (0 = top) as Width() pixels of three bytes each, red, green, blue, with no padding.
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;

  TRGB Pixel(int x, int y) const;
  void SetPixel(int x, int y, TRGB color);

  // Reads a BMP file image; see ReadBmp.
  void LoadFromStream(std::string_view bytes) override;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> pixels_;
};

}  // namespace kyrovane
