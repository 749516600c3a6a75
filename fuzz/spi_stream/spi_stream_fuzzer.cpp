// Decodes arbitrary bytes through the project's plug-ins (PNG, KYPX and the faulty one) as
// the program decodes a picture: at the start and behind a MacBinary header. The first byte
// picks the name the data goes by and whether the preview is asked for first. The picture
// must decode or be refused with EInvalidGraphic; anything else is a finding.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "plugins/SPIBmp.h"

namespace {

kyrovane::TSPIs& Plugins() {
  static const std::unique_ptr<kyrovane::TSPIs> plugins = [] {
    auto spis = std::make_unique<kyrovane::TSPIs>();
    for (const char* name : {"kypx", "png", "faulty", "letters"}) {
      // Loaded as they are: the build tree may lie where plug-ins are not trusted.
      if (auto spi =
              kyrovane::CreateSPI(std::string(KYROVANE_TEST_PLUGINS) + "/" + name + ".spi")) {
        spis->Add(std::move(spi));
      }
    }
    return spis;
  }();
  return *plugins;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const char* const kNames[] = {"", "p.kypx", "p.png", "p.fault", "p.bmp", "p.def"};
  kyrovane::TSPIs& plugins = Plugins();
  plugins.GraphicPreview = (data[0] & 0x80) != 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  try {
    kyrovane::TSPIBitmap bitmap;
    bitmap.LoadFromStreamWithName(bytes, kNames[(data[0] & 0x7F) % std::size(kNames)]);
    bitmap.Pixel(bitmap.Width() - 1, bitmap.Height() - 1);
  } catch (const kyrovane::EInvalidGraphic&) {
  }
  return 0;
}
