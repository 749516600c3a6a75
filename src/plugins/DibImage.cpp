#include "plugins/DibImage.h"

#include <cstring>

#include "pdf/picture/Graphic.h"
#include "plugins/SpiPlugin.h"

namespace kyrovane {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
// The longest bitmap header there is, and the most colours a colour table holds.
constexpr uint32_t kMaxHeaderSize = 124;
constexpr uint32_t kMaxColors = 256;

void PutU32(std::string& out, std::size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(value >> (8 * i));
}

}  // namespace

std::optional<TDibImage> TakeDib(std::span<const uint8_t> AInfo, std::span<const uint8_t> ABits) {
  SpiBitmapInfoHeader header;
  if (AInfo.size() < sizeof header) return std::nullopt;
  std::memcpy(&header, AInfo.data(), sizeof header);
  const uint16_t bits = header.biBitCount;
  if (header.biSize < sizeof header || header.biSize > kMaxHeaderSize ||
      header.biCompression != 0 || header.biClrUsed > kMaxColors) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return std::nullopt;
  }
  const int64_t width = header.biWidth;
  const int64_t height = header.biHeight < 0 ? -int64_t{header.biHeight} : header.biHeight;
  if (width <= 0 || height == 0 || width > kMaxPictureDimension || height > kMaxPictureDimension ||
      width * height > kMaxPicturePixels) {
    return std::nullopt;
  }

  TDibImage dib;
  dib.Width = header.biWidth;
  dib.Height = header.biHeight;
  dib.BitCount = bits;
  dib.ColorCount = header.biClrUsed != 0 ? header.biClrUsed : bits <= 8 ? 1u << bits : 0;
  const uint64_t infoSize = uint64_t{header.biSize} + 4 * uint64_t{dib.ColorCount};
  const uint64_t imageSize = static_cast<uint64_t>(height) * ((width * bits + 31) / 32 * 4);
  if (infoSize > AInfo.size() || imageSize > ABits.size()) return std::nullopt;
  dib.InfoSize = static_cast<std::size_t>(infoSize);
  dib.ImageSize = static_cast<std::size_t>(imageSize);

  dib.Bmp.assign(kFileHeaderSize, '\0');
  dib.Bmp[0] = 'B';
  dib.Bmp[1] = 'M';
  PutU32(dib.Bmp, 2, static_cast<uint32_t>(kFileHeaderSize + infoSize + imageSize));
  PutU32(dib.Bmp, 10, static_cast<uint32_t>(kFileHeaderSize + infoSize));
  dib.Bmp.append(reinterpret_cast<const char*>(AInfo.data()), dib.InfoSize);
  dib.Bmp.append(reinterpret_cast<const char*>(ABits.data()), dib.ImageSize);
  return dib;
}

}  // namespace kyrovane
