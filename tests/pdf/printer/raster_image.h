#pragma once

// Raster images for comparing page renders: the PPM files pdftoppm writes and PNG files.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kyrovane::test {

struct RasterImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows from the top, three bytes per pixel
};

// A binary PPM (P6) with 8-bit samples. Fails the current test on anything else.
RasterImage ReadPpm(const std::filesystem::path& path);
// Any PNG, converted to 8-bit RGB.
RasterImage ReadPng(const std::filesystem::path& path);
void WritePng(const RasterImage& image, const std::filesystem::path& path);

// Share of the pixels whose colour differs by more than `threshold` in any channel; 1 when the
// sizes differ.
double DifferingPixelShare(const RasterImage& a, const RasterImage& b, int threshold);

}  // namespace kyrovane::test
