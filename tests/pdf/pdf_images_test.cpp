// The image creators "Pdf-Bitmap" and "Pdf-Jpeg": the objects they make, and what the readers
// show of them.

#include <gtest/gtest.h>

#include <any>
#include <array>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/PdfClassRegistry.h"
#include "pdf/PdfDoc.h"
#include "pdf/PdfErrors.h"
#include "pdf/PdfXref.h"
#include "pdf/picture/Bitmap.h"
#include "pdf/picture/JpegImage.h"
#include "pdf/picture/bmp_samples.h"
#include "pdf/picture/jpeg_samples.h"
#include "pdf_test_support.h"
#include "printer/pdf_inspection.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

// The samples as the image was given them: bitmaps are compressed while written, JPEG data is
// kept as it is.
std::string RawData(TPdfXObject& image) {
  const std::string encoded = image.EncodedData();
  const TPdfArray* filter = image.Attributes().PdfArrayByName("Filter");
  return filter->FindName("FlateDecode") ? test::Inflate(encoded) : encoded;
}

std::unique_ptr<TPdfXObject> Create(const std::string& creator, TPdfXref& xref,
                                    const std::any& picture) {
  return CreatePdfImageCreator(creator)->CreateImage(xref, picture);
}

std::string ErrorOf(const std::string& creator, const std::any& picture) {
  TPdfXref xref;
  try {
    Create(creator, xref, picture);
  } catch (const EPdfInvalidValue& error) {
    return error.what();
  }
  return "no error";
}

TJPEGImage LoadJpeg(const std::string& bytes) {
  TJPEGImage jpeg;
  jpeg.LoadFromStream(bytes);
  return jpeg;
}

// Three columns and two rows: red, green, blue over white, black, yellow.
TBitmap SixPixels() {
  TBitmap bitmap(3, 2);
  const TRGB colors[2][3] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                             {{255, 255, 255}, {0, 0, 0}, {255, 255, 0}}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) bitmap.SetPixel(x, y, colors[y][x]);
  }
  return bitmap;
}

TEST(PdfBitmapImage, RowsFromTheTopWithoutPadding) {
  const TBitmap bitmap = SixPixels();
  TPdfXref xref;
  auto image = Create("Pdf-Bitmap", xref, static_cast<const TGraphic*>(&bitmap));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->ObjectType(), otDirectObject);
  EXPECT_EQ(RawData(*image), std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF"
                                         "\xFF\xFF\xFF\x00\x00\x00\xFF\xFF\x00",
                                         18));
  EXPECT_EQ(test::Body(image->Attributes()),
            "<<\r\n/Length 0\r\n/Filter [/FlateDecode ]\r\n/Type /XObject\r\n/Subtype /Image\r\n"
            "/Width 3\r\n/Height 2\r\n/BitsPerComponent 8\r\n/ColorSpace /DeviceRGB\r\n>>");
}

TEST(PdfBitmapImage, EverySourceFormatBecomesRgbSamples) {
  for (const test::TBmpSample& sample : test::BmpSamples()) {
    SCOPED_TRACE(sample.name);
    TBitmap bitmap;
    bitmap.LoadFromStream(sample.bytes);
    TPdfXref xref;
    auto image = Create("Pdf-Bitmap", xref, &bitmap);
    std::string expected;
    for (const auto& row : sample.expected) {
      for (const TRGB& pixel : row) {
        expected +=
            {static_cast<char>(pixel.R), static_cast<char>(pixel.G), static_cast<char>(pixel.B)};
      }
    }
    EXPECT_EQ(RawData(*image), expected);
  }
}

TEST(PdfJpegImage, DataUnchangedAndColourSpaceFromTheComponents) {
  for (const test::TJpegSample& sample : test::JpegSamples()) {
    SCOPED_TRACE(sample.name);
    const TJPEGImage jpeg = LoadJpeg(sample.bytes);
    TPdfXref xref;
    auto image = Create("Pdf-Jpeg", xref, &jpeg);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(RawData(*image), sample.bytes);
    const char* space = sample.info.Components == 1   ? "DeviceGray"
                        : sample.info.Components == 3 ? "DeviceRGB"
                                                      : "DeviceCMYK";
    const std::string decode = sample.info.AdobeInverted ? "/Decode [1 0 1 0 1 0 1 0 ]\r\n" : "";
    EXPECT_EQ(test::Body(image->Attributes()),
              std::string("<<\r\n/Length 0\r\n/Filter [/DCTDecode ]\r\n/Type /XObject\r\n"
                          "/Subtype /Image\r\n/ColorSpace /") +
                  space + "\r\n/Width 16\r\n/Height 8\r\n/BitsPerComponent 8\r\n" + decode + ">>");
  }
}

TEST(PdfImageCreators, TakeOnlyTheirOwnPictures) {
  TBitmap bitmap(2, 2);
  const TJPEGImage jpeg = LoadJpeg(test::RgbJpeg(8, 8));
  EXPECT_EQ(ErrorOf("Pdf-Bitmap", &jpeg), "only bitmap is allowed.");
  EXPECT_EQ(ErrorOf("Pdf-Bitmap", 42), "only bitmap is allowed.");
  EXPECT_EQ(ErrorOf("Pdf-Bitmap", std::any()), "only bitmap is allowed.");
  EXPECT_EQ(ErrorOf("Pdf-Bitmap", static_cast<TBitmap*>(nullptr)), "only bitmap is allowed.");
  EXPECT_EQ(ErrorOf("Pdf-Jpeg", &bitmap), "only jpeg image is allowed.");
  EXPECT_EQ(ErrorOf("Pdf-Jpeg", std::string("\xFF\xD8")), "only jpeg image is allowed.");
  // Pictures without pixels would make images of no size.
  TBitmap empty;
  EXPECT_EQ(ErrorOf("Pdf-Bitmap", &empty), "empty bitmap is not allowed.");
  TJPEGImage noJpeg;
  EXPECT_EQ(ErrorOf("Pdf-Jpeg", &noJpeg), "empty jpeg image is not allowed.");
}

TEST(PdfImageCreators, AFailedPictureAddsNothingToTheDocument) {
  test::ScopedPdfClock clock;
  TPdfDoc doc;
  doc.NewDoc();
  doc.AddPage();
  const int objects = doc.GetXref().ItemCount();
  TBitmap bitmap(1, 1);
  EXPECT_THROW(doc.AddXObject("picture", &bitmap, "Pdf-Jpeg"), EPdfInvalidValue);
  EXPECT_THROW(doc.AddXObject("picture", &bitmap, "Pdf-Png"), EClassNotFound);
  EXPECT_EQ(doc.GetXObject("picture"), nullptr);
  EXPECT_EQ(doc.GetXref().ItemCount(), objects);

  // Once the name is taken the picture is not looked at, whatever it is.
  doc.AddXObject("picture", &bitmap, "Pdf-Bitmap");
  EXPECT_NO_THROW(doc.AddXObject("picture", 42, "Pdf-Bitmap"));
  EXPECT_EQ(doc.GetXref().ItemCount(), objects + 1);
}

// One page: the six-pixel bitmap drawn 60 × 40 points at the top, and below it, one under the
// other, each JPEG sample drawn 32 × 16 points.
class PdfImagePage : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_.SetDefaultPageWidth(kWidth);
    doc_.SetDefaultPageHeight(kHeight);
    doc_.SetCompressionMethod(cmFlateDecode);
    doc_.NewDoc();
    doc_.AddPage();
    TPdfCanvas& canvas = doc_.GetCanvas();
    doc_.AddXObject("bitmap", &bitmap_, "Pdf-Bitmap");
    canvas.DrawXObject("bitmap", 0, kHeight - 40, 60, 40);
    for (std::size_t i = 0; i < samples_.size(); ++i) {
      jpegs_.push_back(LoadJpeg(samples_[i].bytes));
    }
    for (std::size_t i = 0; i < samples_.size(); ++i) {
      doc_.AddXObject(samples_[i].name, &jpegs_[i], "Pdf-Jpeg");
      canvas.DrawXObject(samples_[i].name, 0, kHeight - 40 - 16 * static_cast<int>(i + 1), 32, 16);
    }
    test::SaveToFile(doc_, file_);
  }

  // Top of the picture of sample i on the rendered page.
  static int SampleTop(std::size_t i) { return 40 + 16 * static_cast<int>(i); }

  static constexpr int kWidth = 60;
  static constexpr int kHeight = 40 + 16 * 7;
  test::ScopedPdfClock clock_;
  test::TempDir dir_;
  std::filesystem::path file_ = dir_ / "images.pdf";
  TBitmap bitmap_ = SixPixels();
  std::vector<test::TJpegSample> samples_ = test::JpegSamples();
  std::vector<TJPEGImage> jpegs_;
  TPdfDoc doc_;
};

TEST_F(PdfImagePage, ReadersAcceptIt) {
  ASSERT_EQ(samples_.size(), 7u);
  test::ExpectReadersAccept(file_);
}

TEST_F(PdfImagePage, PdfimagesListsSizesColoursAndEncodings) {
  test::CommandResult list = test::Run("pdfimages -list " + test::ShellQuote(file_.string()));
  ASSERT_EQ(list.exitCode, 0) << list.err;
  std::vector<std::string> rows;  // "width height color comp bpc enc"
  std::istringstream lines(list.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string page, num, type, width, height, color, comp, bpc, enc;
    words >> page >> num >> type >> width >> height >> color >> comp >> bpc >> enc;
    if (type == "image")
      rows.push_back(width + " " + height + " " + color + " " + comp + " " + bpc + " " + enc);
  }
  ASSERT_EQ(rows.size(), 1 + samples_.size()) << list.out;
  EXPECT_EQ(rows[0], "3 2 rgb 3 8 image");
  for (std::size_t i = 0; i < samples_.size(); ++i) {
    const int components = samples_[i].info.Components;
    const char* color = components == 1 ? "gray" : components == 3 ? "rgb" : "cmyk";
    EXPECT_EQ(rows[i + 1],
              "16 8 " + std::string(color) + " " + std::to_string(components) + " 8 jpeg")
        << samples_[i].name;
  }
}

TEST_F(PdfImagePage, JpegStreamsAreTheFilesByteForByte) {
  for (const test::TJpegSample& sample : samples_) {
    const TPdfXObject* image = doc_.GetXObject(sample.name);
    ASSERT_NE(image, nullptr) << sample.name;
    test::CommandResult raw =
        test::Run("qpdf --show-object=" + std::to_string(image->ObjectNumber()) +
                  " --raw-stream-data " + test::ShellQuote(file_.string()));
    ASSERT_EQ(raw.exitCode, 0) << raw.err;
    EXPECT_TRUE(raw.out == sample.bytes) << sample.name;
  }
}

bool Near(std::array<int, 3> actual, TRGB expected, int tolerance) {
  return std::abs(actual[0] - expected.R) <= tolerance &&
         std::abs(actual[1] - expected.G) <= tolerance &&
         std::abs(actual[2] - expected.B) <= tolerance;
}

// Every renderer shows the bitmap pixels in place. Gray and RGB pictures show their colours;
// the CMYK ones, inverted or not, all show the same two inks, so they must agree with each
// other (how a renderer turns ink into RGB is its own affair).
TEST_F(PdfImagePage, EveryRendererShowsTheColoursInPlace) {
  using Rgb = std::array<int, 3>;
  for (test::TRenderer renderer : test::kRenderers) {
    SCOPED_TRACE(test::RendererName(renderer));
    const test::TRaster page = test::RenderFirstPage(file_, renderer);
    ASSERT_EQ(page.width, kWidth);
    ASSERT_EQ(page.height, kHeight);
    // Each bitmap pixel covers 20 × 20 points; look at the middle of each.
    EXPECT_EQ(page.Pixel(10, 10), (Rgb{255, 0, 0}));
    EXPECT_EQ(page.Pixel(30, 10), (Rgb{0, 255, 0}));
    EXPECT_EQ(page.Pixel(50, 10), (Rgb{0, 0, 255}));
    EXPECT_EQ(page.Pixel(10, 30), (Rgb{255, 255, 255}));
    EXPECT_EQ(page.Pixel(30, 30), (Rgb{0, 0, 0}));
    EXPECT_EQ(page.Pixel(50, 30), (Rgb{255, 255, 0}));
    std::vector<std::array<Rgb, 2>> cmyk;
    for (std::size_t i = 0; i < samples_.size(); ++i) {
      SCOPED_TRACE(samples_[i].name);
      const int y = SampleTop(i) + 8;
      const std::array<Rgb, 2> halves = {page.Pixel(8, y), page.Pixel(24, y)};
      if (samples_[i].info.Components == 4) {
        cmyk.push_back(halves);
        // Without the right Decode array the inverted pictures come out as negatives.
        EXPECT_LT(halves[0][0], 160);
        EXPECT_GT(halves[1][0], 160);
        EXPECT_LT(halves[1][1], 100);
        continue;
      }
      for (int half = 0; half < 2; ++half) {
        EXPECT_TRUE(Near(halves[half], samples_[i].rgb[half], 12))
            << halves[half][0] << " " << halves[half][1] << " " << halves[half][2];
      }
    }
    ASSERT_EQ(cmyk.size(), 3u);
    for (std::size_t k = 1; k < cmyk.size(); ++k) {
      for (int half = 0; half < 2; ++half) {
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(cmyk[k][half][c], cmyk[0][half][c], 12);
      }
    }
  }
}

}  // namespace
}  // namespace kyrovane
