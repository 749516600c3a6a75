// Pictures that declare a huge size, and drawn sizes that would grow a bitmap beyond the
// bounds, cost no large allocation. The allocation probe
// records the largest single request.

#include <gtest/gtest.h>

#include "support/allocation_probe.h"

#include "cad/image/image_fixture.h"
#include "pdf/picture/bmp_builder.h"
#include "pdf/picture/jpeg_samples.h"

namespace kyrovane::test {
namespace {

constexpr std::size_t kSmall = 1 << 20;

// A BMP that declares width x height pixels of RLE8 data and ends its data at once.
std::string HugeBmp(int32_t width, int32_t height) {
  TBmpRecipe recipe;
  recipe.width = width;
  recipe.height = height;
  recipe.bitCount = 8;
  recipe.compression = 1;
  recipe.palette = {{0, 0, 0}};
  recipe.pixels = std::string("\x00\x01", 2);
  return BuildBmp(recipe);
}

// A small JPEG whose frame header declares 65500 x 65500 pixels.
std::string HugeJpeg() {
  std::string jpeg = RgbJpeg(16, 8);
  const std::size_t frame = jpeg.find("\xFF\xC0");
  jpeg.replace(frame + 5, 4, "\xFF\xDC\xFF\xDC");
  return jpeg;
}

TEST(ImageLimits, HugeDeclaredSizesAreRefusedBeforeAnyPixelBuffer) {
  ImageScene scene;
  scene.WritePicture("huge.bmp", HugeBmp(60000, 60000));
  scene.WritePicture("wide.bmp", HugeBmp(2000000000, 1));
  scene.WritePicture("huge.jpg", HugeJpeg());
  for (const char* name : {"huge.bmp", "wide.bmp", "huge.jpg"}) {
    test::ResetLargestAllocation();
    TCad_Image& image = scene.AddImage(name, 0, 0, 100, 100, 1);
    EXPECT_LT(test::LargestAllocation(), kSmall) << name;
    EXPECT_TRUE(!image.DrawBitmap && !image.Jpeg) << name;
  }
}

TEST(ImageLimits, AHostileDrawnSizeDoesNotGrowTheBitmap) {
  ImageScene scene;
  scene.WritePicture("plan.bmp", Bmp24(200, 100, TRGB{1, 2, 3}));
  test::ResetLargestAllocation();
  TCad_Image& image = scene.AddImage("plan.bmp", 0, 0, 1, 1e12L, 1);
  EXPECT_LT(test::LargestAllocation(), kSmall);
  ASSERT_TRUE(image.DrawBitmap);
  EXPECT_EQ(image.DrawBitmap->Width(), 3);
  EXPECT_EQ(image.DrawBitmap->Height(), 100);
}

}  // namespace
}  // namespace kyrovane::test
