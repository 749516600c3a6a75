#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "pdf/picture/BmpFormat.h"

namespace kyrovane::bmp {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;

// Compression codes of the info headers.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitFields = 3;

[[noreturn]] void Fail(const std::string& what) {
  throw EInvalidGraphic("BMP: " + what);
}

// Little-endian fields at fixed offsets of the file, each checked against its end.
class TFields {
 public:
  explicit TFields(std::string_view file) : file_(file) {}
  uint16_t U16(std::size_t pos) const { return static_cast<uint16_t>(Get(pos, 2)); }
  uint32_t U32(std::size_t pos) const { return Get(pos, 4); }
  int32_t I32(std::size_t pos) const { return static_cast<int32_t>(Get(pos, 4)); }

 private:
  uint32_t Get(std::size_t pos, std::size_t n) const {
    if (pos > file_.size() || n > file_.size() - pos) Fail("truncated header");
    uint32_t value = 0;
    for (std::size_t i = 0; i < n; ++i) {
      value |= static_cast<uint32_t>(static_cast<uint8_t>(file_[pos + i])) << (8 * i);
    }
    return value;
  }
  std::string_view file_;
};

TChannel ChannelOf(uint32_t mask) {
  TChannel channel;
  if (mask == 0) return channel;
  channel.mask = mask;
  channel.shift = std::countr_zero(mask);
  uint32_t bits = mask >> channel.shift;
  if ((bits & (bits + 1)) != 0) Fail("colour mask with gaps");
  channel.max = bits;
  return channel;
}

void SetMasks(TLayout& layout, uint32_t red, uint32_t green, uint32_t blue) {
  layout.channels = {ChannelOf(red), ChannelOf(green), ChannelOf(blue)};
}

bool BitCountFits(TCoding coding, int bits) {
  switch (coding) {
    case TCoding::Rgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case TCoding::Rle8:
      return bits == 8;
    case TCoding::Rle4:
      return bits == 4;
    case TCoding::BitFields:
      return bits == 16 || bits == 32;
  }
  return false;
}

TCoding CodingOf(uint32_t compression) {
  switch (compression) {
    case kBiRgb:
      return TCoding::Rgb;
    case kBiRle8:
      return TCoding::Rle8;
    case kBiRle4:
      return TCoding::Rle4;
    case kBiBitFields:
      return TCoding::BitFields;
  }
  Fail("unsupported compression " + std::to_string(compression));
}

}  // namespace

TLayout ReadLayout(std::string_view file) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') Fail("not a BMP picture");
  TFields fields(file);
  const uint32_t pixelOffsetField = fields.U32(10);
  const uint32_t headerSize = fields.U32(14);
  const bool core = headerSize == kCoreHeaderSize;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124) {
    Fail("unsupported header size " + std::to_string(headerSize));
  }
  if (headerSize > file.size() - kFileHeaderSize) Fail("truncated header");

  TLayout layout;
  int64_t width, height;
  uint32_t compression = kBiRgb, sizeImage = 0, colorsUsed = 0;
  if (core) {
    width = fields.U16(18);
    height = fields.U16(20);
    layout.bitCount = fields.U16(24);
  } else {
    width = fields.I32(18);
    height = fields.I32(22);
    layout.bitCount = fields.U16(28);
    compression = fields.U32(30);
    sizeImage = fields.U32(34);
    colorsUsed = fields.U32(46);
  }
  if (height < 0) {
    layout.topDown = true;
    height = -height;
  }
  if (width <= 0 || height == 0) Fail("picture without pixels");
  CheckPictureSize(width, height);
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);

  layout.coding = CodingOf(compression);
  if (core && (layout.bitCount == 16 || layout.bitCount == 32)) {
    Fail("unsupported bit count " + std::to_string(layout.bitCount));
  }
  if (!BitCountFits(layout.coding, layout.bitCount)) {
    Fail("unsupported bit count " + std::to_string(layout.bitCount) + " for compression " +
         std::to_string(compression));
  }
  const bool compressed = layout.coding == TCoding::Rle8 || layout.coding == TCoding::Rle4;
  if (compressed && layout.topDown) Fail("compressed rows stored top-down");

  std::size_t paletteStart = kFileHeaderSize + headerSize;
  if (layout.coding == TCoding::BitFields) {
    // The plain info header keeps its three masks after itself, the longer headers within.
    std::size_t masks = kFileHeaderSize + 40;
    SetMasks(layout, fields.U32(masks), fields.U32(masks + 4), fields.U32(masks + 8));
    if (headerSize == 40) paletteStart += 12;
  } else if (layout.bitCount == 16) {
    SetMasks(layout, 0x7C00, 0x03E0, 0x001F);
  } else if (layout.bitCount == 32) {
    SetMasks(layout, 0xFF0000, 0x00FF00, 0x0000FF);
  }

  // The colour table: a palette for up to 8 bits per pixel, an unused hint above that.
  const std::size_t entrySize = core ? 3 : 4;
  const uint64_t indexed = layout.bitCount <= 8 ? uint64_t{1} << layout.bitCount : 0;
  const uint64_t tableEntries = colorsUsed != 0 ? colorsUsed : indexed;
  uint64_t paletteEntries = std::min(tableEntries, indexed);
  if (paletteStart > file.size()) Fail("truncated header");
  if (pixelOffsetField != 0) {
    // Some writers store fewer colours than they declare; the pixel offset tells.
    if (pixelOffsetField < paletteStart) Fail("pixel data offset inside the header");
    if (pixelOffsetField > file.size()) Fail("pixel data offset beyond the end of the file");
    layout.pixelOffset = pixelOffsetField;
    paletteEntries =
        std::min<uint64_t>(paletteEntries, (pixelOffsetField - paletteStart) / entrySize);
  } else {
    uint64_t end = paletteStart + tableEntries * entrySize;
    if (end > file.size()) Fail("truncated colour table");
    layout.pixelOffset = static_cast<std::size_t>(end);
  }
  if (indexed != 0 && paletteEntries == 0) Fail("colour table missing");
  if (paletteStart + paletteEntries * entrySize > file.size()) Fail("truncated colour table");
  for (std::size_t i = 0; i < paletteEntries; ++i) {
    const char* entry = file.data() + paletteStart + i * entrySize;
    layout.palette[i] = TRGB{static_cast<uint8_t>(entry[2]), static_cast<uint8_t>(entry[1]),
                             static_cast<uint8_t>(entry[0])};
  }

  const std::size_t available = file.size() - layout.pixelOffset;
  if (compressed) {
    layout.dataSize = sizeImage != 0 ? std::min<std::size_t>(sizeImage, available) : available;
  } else {
    // Both factors are bounded by the picture bounds, so the products fit in 64 bits.
    const uint64_t stride = (static_cast<uint64_t>(width) * layout.bitCount + 31) / 32 * 4;
    if (stride * static_cast<uint64_t>(height) > available) Fail("truncated pixel data");
    layout.rowStride = static_cast<std::size_t>(stride);
    layout.dataSize = static_cast<std::size_t>(stride * height);
  }
  return layout;
}

}  // namespace kyrovane::bmp
