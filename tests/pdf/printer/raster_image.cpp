#include "raster_image.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <sstream>

#include "support/test_support.h"

namespace kyrovane::test {

RasterImage ReadPpm(const std::filesystem::path& path) {
  const std::string bytes = ReadFile(path);
  std::istringstream header(bytes);
  std::string magic;
  int maxValue = 0;
  RasterImage image;
  header >> magic >> image.width >> image.height >> maxValue;
  const std::size_t size = 3 * static_cast<std::size_t>(image.width) * image.height;
  const std::size_t dataStart = static_cast<std::size_t>(header.tellg()) + 1;
  if (magic != "P6" || maxValue != 255 || bytes.size() != dataStart + size) {
    ADD_FAILURE() << path << " is no 8-bit binary PPM";
    return {};
  }
  image.rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(dataStart), bytes.end());
  return image;
}

RasterImage ReadPng(const std::filesystem::path& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) {
    ADD_FAILURE() << "cannot read " << path << ": " << png.message;
    return {};
  }
  png.format = PNG_FORMAT_RGB;
  RasterImage image{static_cast<int>(png.width), static_cast<int>(png.height), {}};
  image.rgb.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr)) {
    ADD_FAILURE() << "cannot decode " << path << ": " << png.message;
    return {};
  }
  return image;
}

void WritePng(const RasterImage& image, const std::filesystem::path& path) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&png, path.c_str(), 0, image.rgb.data(), 0, nullptr)) {
    ADD_FAILURE() << "cannot write " << path << ": " << png.message;
  }
}

double DifferingPixelShare(const RasterImage& a, const RasterImage& b, int threshold) {
  if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size() || a.rgb.empty()) {
    return 1;
  }
  std::size_t differing = 0;
  for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
    for (std::size_t c = 0; c < 3; ++c) {
      if (std::abs(int{a.rgb[i + c]} - int{b.rgb[i + c]}) > threshold) {
        ++differing;
        break;
      }
    }
  }
  return static_cast<double>(differing) / static_cast<double>(a.rgb.size() / 3);
}

}  // namespace kyrovane::test
