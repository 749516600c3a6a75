// Damaged and hostile JPEG data: refused with EInvalidGraphic, never a crash, an exit from
// libjpeg, or a message printed by it.

#include <gtest/gtest.h>

#include "jpeg_samples.h"
#include "pdf/picture/JpegImage.h"

namespace kyrovane {
namespace {

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInvalidGraphic& e) {
    return e.what();
  }
  return "accepted";
}

// The end of the first scan header: what the probe needs to see.
std::size_t HeadersEnd(const std::string& jpeg) {
  std::size_t sos = jpeg.find("\xFF\xDA");
  EXPECT_NE(sos, std::string::npos);
  return sos + 2 + (static_cast<uint8_t>(jpeg[sos + 2]) << 8 | static_cast<uint8_t>(jpeg[sos + 3]));
}

TEST(JpegDamage, EveryTruncationFailsToDecode) {
  for (const test::TJpegSample& sample : test::JpegSamples()) {
    for (std::size_t size = 0; size < sample.bytes.size(); ++size) {
      EXPECT_THROW(DecodeJpeg(std::string_view(sample.bytes).substr(0, size)), EInvalidGraphic)
          << sample.name << " cut to " << size << " bytes";
    }
  }
}

TEST(JpegDamage, TruncatedHeadersFailToProbe) {
  for (const test::TJpegSample& sample : test::JpegSamples()) {
    const std::size_t end = HeadersEnd(sample.bytes);
    for (std::size_t size = 0; size < end; ++size) {
      EXPECT_THROW(ProbeJpeg(std::string_view(sample.bytes).substr(0, size)), EInvalidGraphic)
          << sample.name << " cut to " << size << " bytes";
    }
    EXPECT_NO_THROW(ProbeJpeg(std::string_view(sample.bytes).substr(0, end))) << sample.name;
  }
}

TEST(JpegDamage, ATruncatedFileSaysSo) {
  const std::string jpeg = test::JpegSamples()[1].bytes;
  EXPECT_EQ(MessageOf([&] { DecodeJpeg(jpeg.substr(0, jpeg.size() - 2)); }),
            "JPEG: Premature end of JPEG file");
}

TEST(JpegDamage, EverySingleByteChangeDecodesOrIsRefused) {
  for (const test::TJpegSample& sample : test::JpegSamples()) {
    for (std::size_t pos = 0; pos < sample.bytes.size(); ++pos) {
      for (uint8_t value : {0x00, 0x01, 0x7F, 0xFF}) {
        std::string damaged = sample.bytes;
        damaged[pos] = static_cast<char>(value);
        try {
          ProbeJpeg(damaged);
          EXPECT_FALSE(DecodeJpeg(damaged).Empty());
        } catch (const EInvalidGraphic&) {
        }
      }
    }
  }
}

TEST(JpegDamage, HarmlessOdditiesAreAcceptedAndErrorsRefusedWithoutAWord) {
  // Stray bytes before the first scan make libjpeg warn; the picture is still whole.
  std::string jpeg = test::JpegSamples()[1].bytes;
  jpeg.insert(jpeg.find("\xFF\xDA"), "junk");
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  EXPECT_NO_THROW(DecodeJpeg(jpeg));
  EXPECT_NO_THROW(ProbeJpeg(jpeg));
  EXPECT_THROW(DecodeJpeg("\xFF\xD8\xFF\xD9"), EInvalidGraphic);  // errors are quiet too
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(JpegRefusal, NamesWhatIsWrong) {
  EXPECT_EQ(MessageOf([] { ProbeJpeg(""); }), "JPEG: empty data");
  EXPECT_EQ(MessageOf([] { ProbeJpeg("GIF89a"); }), "JPEG: Not a JPEG file: starts with 0x47 0x49");
  EXPECT_EQ(MessageOf([] { ProbeJpeg(test::TwoComponentJpeg()); }),
            "JPEG: unsupported colour space with 2 components");
  EXPECT_EQ(MessageOf([] { DecodeJpeg(test::TwoComponentJpeg()); }),
            "JPEG: unsupported colour space with 2 components");
}

TEST(JpegRefusal, HugeDeclaredSizes) {
  const std::string small = test::RgbJpeg(16, 16);
  // 65500 is also libjpeg's own largest dimension.
  for (auto [w, h] : {std::pair{20000, 20000}, {65500, 1527}, {1527, 65500}}) {
    const std::string huge = test::WithSize(small, w, h);
    const std::string message =
        "picture has too many pixels: " + std::to_string(w) + " x " + std::to_string(h);
    EXPECT_EQ(MessageOf([&] { ProbeJpeg(huge); }), message);
    EXPECT_EQ(MessageOf([&] { DecodeJpeg(huge); }), message);
    TJPEGImage image;
    EXPECT_THROW(image.LoadFromStream(huge), EInvalidGraphic);
  }
  EXPECT_EQ(MessageOf([&] { ProbeJpeg(test::WithSize(small, 65535, 100)); }),
            "JPEG: Maximum supported image dimension is 65500 pixels");
  EXPECT_EQ(ProbeJpeg(test::WithSize(small, 65500, 1526)).Width, 65500);
}

TEST(JpegRefusal, TooManyScans) {
  EXPECT_NO_THROW(DecodeJpeg(test::ManyScansJpeg(1)));
  EXPECT_EQ(MessageOf([] { DecodeJpeg(test::ManyScansJpeg(3)); }), "JPEG: more than 100 scans");
}

}  // namespace
}  // namespace kyrovane
