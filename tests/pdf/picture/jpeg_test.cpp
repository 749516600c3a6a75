#include "pdf/picture/JpegImage.h"

#include <gtest/gtest.h>

#include "jpeg_samples.h"
#include "picture_expect.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

class JpegSampleTest : public testing::TestWithParam<test::TJpegSample> {};

TEST_P(JpegSampleTest, ProbeReportsSizeAndColourSpace) {
  const TJpegInfo info = ProbeJpeg(GetParam().bytes);
  const TJpegInfo& want = GetParam().info;
  EXPECT_EQ(info.Width, want.Width);
  EXPECT_EQ(info.Height, want.Height);
  EXPECT_EQ(info.Components, want.Components);
  EXPECT_EQ(info.ColorSpace, want.ColorSpace);
  EXPECT_EQ(info.AdobeInverted, want.AdobeInverted);
  EXPECT_EQ(info.Progressive, want.Progressive);
}

TEST_P(JpegSampleTest, DecodesToRgb) {
  const TBitmap bitmap = DecodeJpeg(GetParam().bytes);
  const auto [left, right] = GetParam().rgb;
  std::vector<TRGB> row(8, left);
  row.resize(16, right);
  test::ExpectPicture(bitmap, std::vector<std::vector<TRGB>>(8, row), 3);
}

INSTANTIATE_TEST_SUITE_P(ColourSpaces, JpegSampleTest, testing::ValuesIn(test::JpegSamples()),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

TEST(JpegDecode, OddSizesKeepEveryPixel) {
  const TBitmap bitmap = DecodeJpeg(test::RgbJpeg(13, 5));
  EXPECT_EQ(bitmap.Width(), 13);
  EXPECT_EQ(bitmap.Height(), 5);
}

TEST(JpegDecode, UpsamplesChromaAndFollowsRestartMarkers) {
  const TBitmap bitmap = DecodeJpeg(test::SubsampledJpeg());
  ASSERT_EQ(bitmap.Width(), 32);
  ASSERT_EQ(bitmap.Height(), 16);
  // Smooth upsampling blends the colours next to the middle; compare the columns beside it.
  TBitmap halves(28, 16);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 14; ++x) {
      halves.SetPixel(x, y, bitmap.Pixel(x, y));
      halves.SetPixel(14 + x, y, bitmap.Pixel(18 + x, y));
    }
  }
  std::vector<TRGB> row(14, TRGB{30, 160, 90});
  row.resize(28, TRGB{250, 250, 250});
  test::ExpectPicture(halves, std::vector<std::vector<TRGB>>(16, row), 4);
}

TEST(TJPEGImage, LoadsFromAFileAndAFailedLoadKeepsThePreviousPicture) {
  test::TempDir dir;
  const std::string bytes = test::JpegSamples().front().bytes;
  test::WriteFile(dir / "a.jpg", bytes);
  TJPEGImage image;
  EXPECT_TRUE(image.Empty());
  image.LoadFromFile(dir / "a.jpg");
  EXPECT_EQ(image.Data(), bytes);
  EXPECT_THROW(image.LoadFromFile(dir / "b.jpg"), EInvalidGraphic);
  EXPECT_THROW(image.LoadFromStream("not a jpeg"), EInvalidGraphic);
  EXPECT_EQ(image.Data(), bytes);
  EXPECT_EQ(image.Width(), 16);
}

}  // namespace
}  // namespace kyrovane
