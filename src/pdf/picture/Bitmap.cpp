#include "pdf/picture/Bitmap.h"

#include <algorithm>
#include <stdexcept>

#include "pdf/picture/BmpReader.h"

namespace kyrovane {

TBitmap::TBitmap(int width, int height) {
  SetSize(width, height);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  CheckPictureSize(width, height);
  std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
  pixels_.swap(pixels);
  width_ = width;
  height_ = height;
}

void TBitmap::FreeImage() {
  std::vector<uint8_t>().swap(pixels_);
  width_ = 0;
  height_ = 0;
}

uint8_t* TBitmap::ScanLine(int y) {
  return const_cast<uint8_t*>(static_cast<const TBitmap*>(this)->ScanLine(y));
}

const uint8_t* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= height_) throw std::out_of_range("bitmap row out of range");
  return pixels_.data() + static_cast<std::size_t>(y) * width_ * 3;
}

TRGB TBitmap::Pixel(int x, int y) const {
  if (x < 0 || x >= width_) throw std::out_of_range("bitmap column out of range");
  const uint8_t* p = ScanLine(y) + static_cast<std::size_t>(x) * 3;
  return TRGB{p[0], p[1], p[2]};
}

void TBitmap::SetPixel(int x, int y, TRGB color) {
  if (x < 0 || x >= width_) throw std::out_of_range("bitmap column out of range");
  uint8_t* p = ScanLine(y) + static_cast<std::size_t>(x) * 3;
  p[0] = color.R;
  p[1] = color.G;
  p[2] = color.B;
}

void TBitmap::LoadFromStream(std::string_view bytes) {
  *this = ReadBmp(bytes);
}

}  // namespace kyrovane
