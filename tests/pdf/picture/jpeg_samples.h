#pragma once

// JPEG files for the picture tests, written with libjpeg: gray, RGB (coded as YCbCr or as
// RGB), CMYK with and without the Adobe marker, YCCK, progressive. Each picture is 16 × 8
// pixels: a left and a right half of one colour each, so that every 8 × 8 block is flat and
// decodes to its colour within a small tolerance.

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "pdf/picture/Bitmap.h"
#include "pdf/picture/JpegImage.h"

namespace kyrovane::test {

struct TJpegSample {
  std::string name;
  std::string bytes;
  TJpegInfo info;           // what the probe must report
  std::array<TRGB, 2> rgb;  // the left and right halves after decoding
};

std::vector<TJpegSample> JpegSamples();

// Test names and failure reports show the sample by its name.
inline void PrintTo(const TJpegSample& sample, std::ostream* out) {
  *out << sample.name;
}

// A flat-halves picture of the given size in RGB, for tests that need other sizes.
std::string RgbJpeg(int width, int height, bool progressive = false);

// 32 × 16 pixels with 2 × 2 chroma sampling and a restart marker after every row of blocks;
// left half (30, 160, 90), right half white.
std::string SubsampledJpeg();

// A progressive picture with one scan for the DC coefficients of all components and one for
// each AC coefficient of each component: 64 scans for gray, 190 for colour.
std::string ManyScansJpeg(int components);

// Two components of no known colour space.
std::string TwoComponentJpeg();

// The picture with another size declared in its frame header (SOF0 or SOF2).
std::string WithSize(std::string jpeg, int width, int height);

}  // namespace kyrovane::test
