// Pictures whose declared size is beyond the bounds are refused before their pixel memory is
// allocated. The allocation probe records the largest
// single request, which the bitmap's pixel buffer would be.

#include <gtest/gtest.h>

#include "support/allocation_probe.h"

#include "bmp_builder.h"
#include "jpeg_samples.h"
#include "pdf/picture/BmpReader.h"
#include "pdf/picture/JpegImage.h"

namespace kyrovane {
namespace {

constexpr std::size_t kSmall = 1 << 20;

// A picture of the given size whose data ends at once.
std::string RleBmp(int32_t width, int32_t height) {
  return test::BuildBmp(test::Rle8Recipe(width, height, std::string("\x00\x01", 2)));
}

// Runs `action`, which must throw EInvalidGraphic, and returns the largest allocation it made.
template <typename Action>
std::size_t LargestAllocationOfRefusal(Action action) {
  test::ResetLargestAllocation();
  EXPECT_THROW(action(), EInvalidGraphic);
  return test::LargestAllocation();
}

TEST(PictureLimits, TheTrackerSeesAnAcceptedPicturesPixels) {
  test::ResetLargestAllocation();
  TBitmap bitmap = ReadBmp(RleBmp(2000, 2000));
  EXPECT_GE(test::LargestAllocation(), std::size_t{2000} * 2000 * 3);
}

TEST(PictureLimits, HugeBmpIsRefusedBeforeAllocating) {
  const std::string tooMany = RleBmp(20000, 20000), tooWide = RleBmp(70000, 2);
  EXPECT_LT(LargestAllocationOfRefusal([&] { ReadBmp(tooMany); }), kSmall);
  EXPECT_LT(LargestAllocationOfRefusal([&] { ReadBmp(tooWide); }), kSmall);
  TBitmap bitmap;
  EXPECT_LT(LargestAllocationOfRefusal([&] { bitmap.LoadFromStream(tooMany); }), kSmall);
  EXPECT_LT(LargestAllocationOfRefusal([&] { bitmap.SetSize(65535, 65535); }), kSmall);
}

TEST(PictureLimits, HugeJpegIsRefusedBeforeAllocating) {
  // A progressive picture would have libjpeg allocate coefficients for every pixel at the
  // start of decoding; the refusal comes before that.
  const std::string jpeg = test::WithSize(test::RgbJpeg(16, 16, true), 40000, 40000);
  EXPECT_LT(LargestAllocationOfRefusal([&] { DecodeJpeg(jpeg); }), kSmall);
  TJPEGImage image;
  EXPECT_LT(LargestAllocationOfRefusal([&] { image.LoadFromStream(jpeg); }), kSmall);
}

}  // namespace
}  // namespace kyrovane
