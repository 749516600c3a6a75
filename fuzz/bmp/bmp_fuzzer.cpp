// Feeds arbitrary bytes to the BMP reader: it must decode them or refuse them with
// EInvalidGraphic; any other exception, crash or sanitizer report is a finding.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "pdf/picture/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    kyrovane::TBitmap bitmap =
        kyrovane::ReadBmp(std::string_view(reinterpret_cast<const char*>(data), size));
    // Touch the corners, so that a bitmap smaller than it claims shows up.
    if (!bitmap.Empty()) {
      bitmap.Pixel(0, 0);
      bitmap.Pixel(bitmap.Width() - 1, bitmap.Height() - 1);
    }
  } catch (const kyrovane::EInvalidGraphic&) {
  }
  return 0;
}
