#pragma once

// Comparison of decoded bitmaps with the pictures the tests expect.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <vector>

#include "pdf/picture/Bitmap.h"

namespace kyrovane {

inline std::ostream& operator<<(std::ostream& out, const TRGB& c) {
  return out << "(" << int{c.R} << ", " << int{c.G} << ", " << int{c.B} << ")";
}

namespace test {

// Every pixel equal to `expected` (rows from the top) within `tolerance` per channel.
inline void ExpectPicture(const TBitmap& bitmap, const std::vector<std::vector<TRGB>>& expected,
                          int tolerance = 0) {
  ASSERT_EQ(bitmap.Height(), static_cast<int>(expected.size()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    ASSERT_EQ(bitmap.Width(), static_cast<int>(expected[y].size()));
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TRGB got = bitmap.Pixel(x, y), want = expected[y][x];
      EXPECT_TRUE(std::abs(got.R - want.R) <= tolerance && std::abs(got.G - want.G) <= tolerance &&
                  std::abs(got.B - want.B) <= tolerance)
          << "pixel (" << x << ", " << y << ") is " << got << ", expected " << want;
    }
  }
}

}  // namespace test
}  // namespace kyrovane
