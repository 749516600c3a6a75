// Damaged BMP files: every cut and every single-byte change of the sample files either
// decodes or is refused with EInvalidGraphic; nothing crashes or reads outside the file
// (the sanitizer build checks the latter).

#include <gtest/gtest.h>

#include "bmp_samples.h"
#include "pdf/picture/BmpReader.h"

namespace kyrovane {
namespace {

TEST(BmpDamage, EveryTruncationIsRefused) {
  for (const test::TBmpSample& sample : test::BmpSamples()) {
    for (std::size_t size = 0; size < sample.bytes.size(); ++size) {
      EXPECT_THROW(ReadBmp(std::string_view(sample.bytes).substr(0, size)), EInvalidGraphic)
          << sample.name << " cut to " << size << " bytes";
    }
  }
}

TEST(BmpDamage, EverySingleByteChangeDecodesOrIsRefused) {
  for (const test::TBmpSample& sample : test::BmpSamples()) {
    for (std::size_t pos = 0; pos < sample.bytes.size(); ++pos) {
      for (uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
        std::string damaged = sample.bytes;
        damaged[pos] = static_cast<char>(value);
        try {
          TBitmap bitmap = ReadBmp(damaged);
          EXPECT_FALSE(bitmap.Empty()) << sample.name << " byte " << pos;
        } catch (const EInvalidGraphic&) {
        }
      }
    }
  }
}

}  // namespace
}  // namespace kyrovane
