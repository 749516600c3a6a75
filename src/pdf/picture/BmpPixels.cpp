#include "pdf/picture/BmpFormat.h"

namespace kyrovane::bmp {
namespace {

uint8_t Scaled(uint32_t value, const TChannel& channel) {
  if (channel.max == 0) return 0;
  uint32_t v = (value & channel.mask) >> channel.shift;
  if (channel.max == 255) return static_cast<uint8_t>(v);
  return static_cast<uint8_t>((uint64_t{v} * 255 + channel.max / 2) / channel.max);
}

void Put(uint8_t* dst, int x, TRGB color) {
  dst[3 * x] = color.R;
  dst[3 * x + 1] = color.G;
  dst[3 * x + 2] = color.B;
}

void DecodeRow(const uint8_t* src, const TLayout& layout, uint8_t* dst) {
  const int width = layout.width;
  switch (layout.bitCount) {
    case 1:
      for (int x = 0; x < width; ++x) {
        Put(dst, x, layout.palette[(src[x >> 3] >> (7 - (x & 7))) & 1]);
      }
      break;
    case 4:
      for (int x = 0; x < width; ++x) {
        Put(dst, x, layout.palette[(x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4]);
      }
      break;
    case 8:
      for (int x = 0; x < width; ++x) Put(dst, x, layout.palette[src[x]]);
      break;
    case 16:
      for (int x = 0; x < width; ++x) {
        uint32_t v = src[2 * x] | (uint32_t{src[2 * x + 1]} << 8);
        Put(dst, x,
            TRGB{Scaled(v, layout.channels[0]), Scaled(v, layout.channels[1]),
                 Scaled(v, layout.channels[2])});
      }
      break;
    case 24:
      for (int x = 0; x < width; ++x) Put(dst, x, TRGB{src[3 * x + 2], src[3 * x + 1], src[3 * x]});
      break;
    case 32:
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = src + 4 * x;
        uint32_t v = p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
        Put(dst, x,
            TRGB{Scaled(v, layout.channels[0]), Scaled(v, layout.channels[1]),
                 Scaled(v, layout.channels[2])});
      }
      break;
  }
}

// Walks RLE8 or RLE4 data. Coordinates count from the bottom row; pixels beyond the right
// edge are dropped, and the walk ends at the end-of-picture code or above the top row.
class TRleDecoder {
 public:
  TRleDecoder(std::string_view data, const TLayout& layout, TBitmap& bitmap)
      : data_(data), layout_(layout), bitmap_(bitmap), rle4_(layout.coding == TCoding::Rle4) {}

  void Run() {
    while (y_ < layout_.height) {
      const uint8_t count = Next(), value = Next();
      if (count > 0) {
        for (int i = 0; i < count; ++i) Emit(rle4_ ? ((i & 1) ? value & 0x0F : value >> 4) : value);
        continue;
      }
      switch (value) {
        case 0:  // end of line
          x_ = 0;
          ++y_;
          break;
        case 1:  // end of picture
          return;
        case 2: {  // move right and up
          const uint8_t dx = Next(), dy = Next();
          x_ += dx;
          y_ += dy;
          break;
        }
        default:
          Absolute(value);
          break;
      }
    }
  }

 private:
  uint8_t Next() {
    if (pos_ >= data_.size()) throw EInvalidGraphic("BMP: truncated compressed pixel data");
    return static_cast<uint8_t>(data_[pos_++]);
  }

  // `count` pixels stored as they are, padded to a whole number of 16-bit words.
  void Absolute(int count) {
    const int bytes = rle4_ ? (count + 1) / 2 : count;
    uint8_t packed = 0;
    for (int i = 0; i < count; ++i) {
      if (!rle4_) {
        Emit(Next());
      } else if ((i & 1) == 0) {
        packed = Next();
        Emit(packed >> 4);
      } else {
        Emit(packed & 0x0F);
      }
    }
    if (bytes & 1) Next();
  }

  void Emit(int index) {
    if (x_ < layout_.width) {
      uint8_t* row = bitmap_.ScanLine(layout_.height - 1 - static_cast<int>(y_));
      Put(row, static_cast<int>(x_), layout_.palette[index]);
    }
    ++x_;
  }

  std::string_view data_;
  const TLayout& layout_;
  TBitmap& bitmap_;
  const bool rle4_;
  std::size_t pos_ = 0;
  int64_t x_ = 0;
  int64_t y_ = 0;
};

}  // namespace

void DecodeRows(std::string_view file, const TLayout& layout, TBitmap& bitmap) {
  const auto* data = reinterpret_cast<const uint8_t*>(file.data()) + layout.pixelOffset;
  for (int row = 0; row < layout.height; ++row) {
    const int y = layout.topDown ? row : layout.height - 1 - row;
    DecodeRow(data + static_cast<std::size_t>(row) * layout.rowStride, layout, bitmap.ScanLine(y));
  }
}

void DecodeRle(std::string_view file, const TLayout& layout, TBitmap& bitmap) {
  for (int y = 0; y < layout.height; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < layout.width; ++x) Put(row, x, layout.palette[0]);
  }
  TRleDecoder(file.substr(layout.pixelOffset, layout.dataSize), layout, bitmap).Run();
}

}  // namespace kyrovane::bmp
