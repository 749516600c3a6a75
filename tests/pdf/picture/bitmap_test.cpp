#include "pdf/picture/Bitmap.h"

#include <gtest/gtest.h>

#include "bmp_samples.h"
#include "picture_expect.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

TEST(TBitmap, TakesASizeInBlackAndNoPixelsForZeroOrNegativeSizes) {
  TBitmap bitmap;
  bitmap.SetSize(3, 2);
  test::ExpectPicture(bitmap, {{{}, {}, {}}, {{}, {}, {}}});
  EXPECT_TRUE(TBitmap(5, 0).Empty());
  TBitmap negative(-4, 7);
  EXPECT_TRUE(negative.Empty());
  EXPECT_EQ(negative.Width(), 0);
}

TEST(TBitmap, RowsAreTopDownRedGreenBlueWithoutPadding) {
  TBitmap bitmap(3, 2);
  bitmap.SetPixel(2, 0, TRGB{1, 2, 3});
  bitmap.SetPixel(0, 1, TRGB{4, 5, 6});
  const uint8_t* top = bitmap.ScanLine(0);
  EXPECT_EQ(top[6], 1);
  EXPECT_EQ(top[7], 2);
  EXPECT_EQ(top[8], 3);
  EXPECT_EQ(bitmap.ScanLine(1), top + 9);
  EXPECT_EQ(bitmap.ScanLine(1)[0], 4);
  EXPECT_EQ(bitmap.Pixel(0, 1), (TRGB{4, 5, 6}));
}

TEST(TBitmap, RefusesAccessOutsideItsPixels) {
  TBitmap bitmap(2, 2);
  EXPECT_THROW(bitmap.ScanLine(2), std::out_of_range);
  EXPECT_THROW(bitmap.ScanLine(-1), std::out_of_range);
  EXPECT_THROW(bitmap.Pixel(2, 0), std::out_of_range);
  EXPECT_THROW(bitmap.SetPixel(-1, 0, {}), std::out_of_range);
}

TEST(TBitmap, RefusesSizesBeyondThePictureBoundsAndKeepsItsPixels) {
  TBitmap bitmap(1, 1);
  bitmap.SetPixel(0, 0, TRGB{9, 9, 9});
  EXPECT_THROW(bitmap.SetSize(65536, 1), EInvalidGraphic);
  EXPECT_THROW(bitmap.SetSize(10001, 10000), EInvalidGraphic);
  EXPECT_EQ(bitmap.Width(), 1);
  EXPECT_EQ(bitmap.Pixel(0, 0), (TRGB{9, 9, 9}));
}

TEST(CheckPictureSize, AllowsUpToTheBoundsAndNoMore) {
  EXPECT_NO_THROW(CheckPictureSize(0, 0));
  EXPECT_NO_THROW(CheckPictureSize(65535, 1525));  // 99,940,875 pixels
  EXPECT_NO_THROW(CheckPictureSize(10000, 10000));
  EXPECT_THROW(CheckPictureSize(10000, 10001), EInvalidGraphic);
  EXPECT_THROW(CheckPictureSize(65536, 1), EInvalidGraphic);
  EXPECT_THROW(CheckPictureSize(1, 65536), EInvalidGraphic);
  EXPECT_THROW(CheckPictureSize(65535, 65535), EInvalidGraphic);
  EXPECT_THROW(CheckPictureSize(INT64_MAX, INT64_MAX), EInvalidGraphic);
  EXPECT_THROW(CheckPictureSize(-1, 5), EInvalidGraphic);
}

TEST(TBitmapLoad, ReadsABmpFileByPathAndRefusesAMissingFileOrADirectory) {
  test::TempDir dir;
  const test::TBmpSample sample = test::BmpSamples().front();
  test::WriteFile(dir / "picture.bmp", sample.bytes);
  TBitmap bitmap;
  bitmap.LoadFromFile(dir / "picture.bmp");
  test::ExpectPicture(bitmap, sample.expected);
  EXPECT_THROW(bitmap.LoadFromFile(dir / "missing.bmp"), EInvalidGraphic);
  EXPECT_THROW(bitmap.LoadFromFile(dir.path()), EInvalidGraphic);
}

TEST(TBitmapLoad, AFailedLoadKeepsThePreviousPicture) {
  TBitmap bitmap(2, 1);
  bitmap.SetPixel(1, 0, TRGB{5, 6, 7});
  EXPECT_THROW(bitmap.LoadFromStream("BM not really"), EInvalidGraphic);
  EXPECT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(bitmap.Pixel(1, 0), (TRGB{5, 6, 7}));
}

}  // namespace
}  // namespace kyrovane
