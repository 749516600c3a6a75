// Area-averaging resampling: the weights of partly covered pixels, sizes and bounds.

#include <gtest/gtest.h>

#include <stdexcept>

#include "cad/BitmapUtils.h"

namespace kyrovane::test {
namespace {

TBitmap Filled(int width, int height, TRGB color) {
  TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, color);
  }
  return bitmap;
}

TEST(ResampleBitmap, EdgePixelsWeighJustUnderOne) {
  // Weights 0.999999, 0.999999 and 0.999999 squared; the sum divided by 3 rounds to 90.
  TBitmap source(3, 1);
  source.SetPixel(0, 0, {0, 0, 0});
  source.SetPixel(1, 0, {90, 1, 255});
  source.SetPixel(2, 0, {180, 2, 255});
  const TBitmap result = ResampleBitmap(source, 1, 1);
  ASSERT_EQ(result.Width(), 1);
  ASSERT_EQ(result.Height(), 1);
  // Green: (1 + 2 x 0.999999) x 0.999999 / 3 rounds to 1, blue 509.999 / 3 to 170.
  EXPECT_EQ(result.Pixel(0, 0), (TRGB{90, 1, 170}));
  EXPECT_EQ(source.Pixel(2, 0), (TRGB{180, 2, 255})) << "the source is not changed";
}

TEST(ResampleBitmap, AveragesBlocksAndSplitsPixelsAtFractionalEdges) {
  TBitmap source(4, 2);
  const uint8_t values[2][4] = {{0, 100, 200, 40}, {20, 60, 0, 80}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) source.SetPixel(x, y, {values[y][x], 0, 0});
  }
  const TBitmap halves = ResampleBitmap(source, 2, 1);
  EXPECT_EQ(halves.Pixel(0, 0).R, 45);  // (0 + 100 + 20 + 60) / 4
  EXPECT_EQ(halves.Pixel(1, 0).R, 80);  // (200 + 40 + 0 + 80) / 4

  // Three columns over four: the middle one takes half of pixels 1 and 2 of each row.
  const TBitmap thirds = ResampleBitmap(source, 3, 2);
  EXPECT_EQ(thirds.Pixel(1, 0).R, 150);  // (100 x 0.666 + 200 x 0.666) / 1.333
  EXPECT_EQ(thirds.Pixel(0, 1).R, 30);   // (20 + 60 x 0.333) / 1.333
}

TEST(ResampleBitmap, FlatPicturesStayFlatAtAnySize) {
  // The resampling cases of the picture entity: shrinking, and growing in one direction.
  const TBitmap white = Filled(400, 300, {255, 255, 255});
  const TBitmap grey = Filled(400, 300, {17, 128, 254});
  for (const auto& [w, h] : {std::pair{283, 213}, {567, 142}, {1, 1}, {399, 299}, {7, 600}}) {
    const TBitmap a = ResampleBitmap(white, w, h);
    const TBitmap b = ResampleBitmap(grey, w, h);
    ASSERT_EQ(a.Width(), w);
    ASSERT_EQ(a.Height(), h);
    for (int y = 0; y < h; y += 7) {
      for (int x = 0; x < w; x += 5) {
        ASSERT_EQ(a.Pixel(x, y), (TRGB{255, 255, 255})) << w << "x" << h << " at " << x << "," << y;
        ASSERT_EQ(b.Pixel(x, y), (TRGB{17, 128, 254})) << w << "x" << h << " at " << x << "," << y;
      }
    }
  }
}

TEST(ResampleBitmap, SizesOutsideTheUsualRange) {
  const TBitmap source = Filled(4, 4, {1, 2, 3});
  EXPECT_TRUE(ResampleBitmap(source, 0, 3).Empty());
  EXPECT_TRUE(ResampleBitmap(source, 3, -1).Empty());
  EXPECT_THROW(ResampleBitmap(source, 70000, 1), EInvalidGraphic);
  EXPECT_THROW(ResampleBitmap(source, 20000, 20000), EInvalidGraphic);
  EXPECT_THROW(ResampleBitmap(TBitmap(), 1, 1), std::invalid_argument);
}

}  // namespace
}  // namespace kyrovane::test
