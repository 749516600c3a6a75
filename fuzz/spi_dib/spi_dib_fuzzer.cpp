// Feeds arbitrary blocks to the checks of what a decoder plug-in hands over: the first two
// bytes give the length of the info block, the rest is the rows block. A picture the checks
// let through must read as a BMP file or be refused with EInvalidGraphic; anything else, a
// crash or a sanitizer report is a finding.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "pdf/picture/BmpReader.h"
#include "plugins/DibImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::span<const uint8_t> input(data + 2, size - 2);
  const std::size_t infoSize = std::min<std::size_t>(data[0] | data[1] << 8, input.size());
  const std::optional<kyrovane::TDibImage> dib =
      kyrovane::TakeDib(input.first(infoSize), input.subspan(infoSize));
  if (!dib) return 0;
  try {
    kyrovane::TBitmap bitmap = kyrovane::ReadBmp(dib->Bmp);
    bitmap.Pixel(bitmap.Width() - 1, bitmap.Height() - 1);
  } catch (const kyrovane::EInvalidGraphic&) {
  }
  return 0;
}
