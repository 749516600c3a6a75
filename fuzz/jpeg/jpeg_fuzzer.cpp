// Feeds arbitrary bytes to the JPEG probe and decoder: they must accept them or refuse them
// with EInvalidGraphic; any other exception, crash, exit or sanitizer report is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pdf/picture/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  bool probed = false;
  kyrovane::TJpegInfo info;
  try {
    info = kyrovane::ProbeJpeg(bytes);
    probed = true;
  } catch (const kyrovane::EInvalidGraphic&) {
  }
  try {
    kyrovane::TBitmap bitmap = kyrovane::DecodeJpeg(bytes);
    // Whatever decodes must have probed, to the same size.
    if (!probed || bitmap.Width() != info.Width || bitmap.Height() != info.Height) std::abort();
  } catch (const kyrovane::EInvalidGraphic&) {
  }
  return 0;
}
