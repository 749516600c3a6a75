// Pictures that declare a huge size, picture files beyond the size limit, and drawn sizes that
// would grow a bitmap beyond the bounds, cost no large allocation. The allocation probe records
// the largest single request.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

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

bool IsEmpty(const TCad_Image& image) {
  return !image.DrawBitmap && !image.Jpeg;
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
    EXPECT_TRUE(IsEmpty(image)) << name;
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

// A picture file larger than the limit is left out, and named in the notices, before any of it
// is read, whatever kind of picture it is: read in part, its start would be drawn. One exactly
// at the limit is read whole. The files are sparse, and the probe refuses the memory that a
// whole read asks for, so that no run allocates it.
TEST(ImageLimits, PictureFilesOverTheSizeLimitAreRefusedBeforeTheyAreRead) {
  ImageScene scene;
  const std::string bmp = Bmp24(4, 4, TRGB{1, 2, 3});
  const std::pair<std::string, std::string> kinds[] = {
      {"bmp", bmp},
      {"jpg", RgbJpeg(16, 8)},
      {"png", bmp},  // read for the plug-ins; a bitmap in it is decoded without them
  };
  const std::string folder = std::filesystem::canonical(scene.dir.path()).string() + "/";
  const RefusedAllocations refused(64 * kSmall);
  for (const auto& [extension, bytes] : kinds) {
    const std::string small = "small." + extension;
    scene.WritePicture(small, bytes);
    EXPECT_FALSE(IsEmpty(scene.AddImage(small, 0, 0, 10, 10))) << small;

    const std::string over = "over." + extension;
    std::filesystem::resize_file(scene.WritePicture(over, bytes), kMaxPictureFileSize + 1);
    ResetLargestAllocation();
    EXPECT_TRUE(IsEmpty(scene.AddImage(over, 0, 0, 10, 10))) << over;
    EXPECT_LT(LargestAllocation(), kSmall) << over;
    EXPECT_EQ(scene.page.Notices.PicturesLeftOut.back(), folder + over);

    const std::string atLimit = "limit." + extension;
    std::filesystem::resize_file(scene.WritePicture(atLimit, bytes), kMaxPictureFileSize);
    ResetLargestAllocation();
    scene.AddImage(atLimit, 0, 0, 10, 10);
    EXPECT_GE(LargestAllocation(), kMaxPictureFileSize) << atLimit;
  }
}

}  // namespace
}  // namespace kyrovane::test
