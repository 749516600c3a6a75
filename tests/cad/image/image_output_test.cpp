// What the image entity writes into the PDF: the placement operators, one image object per
// picture, the images as the PDF readers list and render them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "cad/CadGeometry.h"
#include "cad/CadInsert.h"
#include "cad/image/image_fixture.h"
#include "cad/pdf_probe.h"
#include "pdf/pdf_test_support.h"
#include "pdf/picture/jpeg_samples.h"
#include "text/cp932.h"

namespace kyrovane::test {
namespace {

constexpr TRGB kRed{220, 20, 30};
constexpr TRGB kBlue{10, 40, 230};

// The operators that place one picture drawn at (x, y) with the size w x h points, turned by
// the rotation matrix (c, s, -s, c) written as the text `rotation`; `size` is "w 0 0 h".
std::string Placement(const std::string& translation, const std::string& rotation,
                      const std::string& size, const std::string& name) {
  return "q\n1 0 0 1 " + translation + " cm\n" + rotation + " 0 0 cm\nq\n" + size + " 0 0 cm\n/" +
         name + " Do\nQ\nQ\n";
}

// The colour of the render at (x, y) points from the lower left of the page.
void ExpectColor(const TRaster& raster, int x, int y, TRGB expected, int tolerance,
                 const std::string& what) {
  ASSERT_GT(raster.height, y);
  const std::array<int, 3> got = raster.Pixel(x, raster.height - 1 - y);
  EXPECT_NEAR(got[0], expected.R, tolerance) << what << " at " << x << "," << y;
  EXPECT_NEAR(got[1], expected.G, tolerance) << what << " at " << x << "," << y;
  EXPECT_NEAR(got[2], expected.B, tolerance) << what << " at " << x << "," << y;
}

TEST(ImageOutput, PlacementIsWrappedInSaveAndRestore) {
  ImageScene scene;
  scene.WritePicture("plan.bmp", Bmp24(4, 2, kRed));
  scene.AddImage("plan.bmp", 25.4L, 25.4L, 50.8L, 25.4L);
  const std::string body = scene.PageBody();
  EXPECT_NE(body.find(Placement("72 72", "1 0 0 1", "144 0 0 72", "Im1")), std::string::npos)
      << body;
}

TEST(ImageOutput, AnglesAddUpFromImageInsertAndLayerAndScalesMultiply) {
  ImageScene scene;
  scene.WritePicture("plan.bmp", Bmp24(4, 2, kRed));
  TCad_Block& block = *scene.page.GetBlock(scene.page.AddBlock("B", scene.layer));
  scene.AddImage("plan.bmp", 0, 0, 25.4L, 25.4L, 0, &block).Angle = 90;
  auto insert = std::make_unique<TCad_Insert>(nullptr, *scene.layer);
  insert->SetBlock(&block);
  insert->Position = {25.4L, 0, 0};
  insert->Scale = {2, 0.5L, 1};
  insert->Angle = 30;
  scene.layer->Add(std::move(insert));
  scene.layer->Scale = {0.5L, 0.5L, 1};
  const std::string body = scene.PageBody();
  EXPECT_NE(body.find(Placement("36 0", "-0.5 0.866 -0.866 -0.5", "72 0 0 18", "Im1")),
            std::string::npos)
      << body;
}

// pdfimages lists every drawn image; a picture drawn twice at its own pixels is one object.
TEST(ImageOutput, PdfReadersListTheResampledSizesColourSpacesAndSharedObjects) {
  ImageScene scene;
  scene.WritePicture("plan.bmp", Bmp24(400, 300, kRed));
  const std::string photo = RgbJpeg(48, 32);
  scene.WritePicture("photo.jpg", photo);
  scene.AddImage("plan.bmp", 0, 0, 100, 75, 1);
  scene.AddImage("plan.bmp", 0, 0, 100, 75, 0);
  scene.AddImage("PLAN.BMP", 0, 0, 200, 50, 1);
  scene.AddImage("photo.jpg", 10, 10, 40, 30, 1);
  scene.AddImage("Plan.bmp", 60, 50, 80, 10);  // not resampled: the same pixels again
  scene.AddImage("photo.jpg", 10, 80, 30, 10);
  for (const TJpegSample& sample : JpegSamples()) {
    if (sample.name == "gray.jpg" || sample.name == "cmyk-adobe.jpg") {
      scene.WritePicture(sample.name, sample.bytes);
      scene.AddImage(sample.name, 0, 0, 100, 50, 1);
    }
  }
  EXPECT_NE(scene.Print().find(photo), std::string::npos);
  struct Listed {
    int width, height;
    const char* color;
    const char* encoding;
    std::size_t sameObjectAs;
  };
  const Listed expected[] = {
      {283, 213, "rgb", "image", 0}, {400, 300, "rgb", "image", 1}, {567, 142, "rgb", "image", 2},
      {48, 32, "rgb", "jpeg", 3},    {400, 300, "rgb", "image", 1}, {48, 32, "rgb", "jpeg", 3},
      {16, 8, "gray", "jpeg", 6},    {16, 8, "cmyk", "jpeg", 7},
  };
  const std::vector<ListedImage> images = PdfImagesList(scene.pdfPath);
  ASSERT_EQ(images.size(), std::size(expected));
  for (std::size_t i = 0; i < images.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(images[i].width, expected[i].width);
    EXPECT_EQ(images[i].height, expected[i].height);
    EXPECT_EQ(images[i].color, expected[i].color);
    EXPECT_EQ(images[i].encoding, expected[i].encoding);
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_EQ(images[i].object == images[j].object, expected[i].sameObjectAs == j) << j;
    }
  }
  // The JPEG is embedded byte for byte.
  const CommandResult extract =
      test::Run("pdfimages -j -f 1 " + ShellQuote(scene.pdfPath.string()) + " " +
                ShellQuote((scene.dir / "out").string()));
  ASSERT_EQ(extract.exitCode, 0) << extract.err;
  EXPECT_EQ(ReadFile(scene.dir / "out-003.jpg"), photo);
}

TEST(ImageOutput, TheDrawingsOfAListSharePicturesAndANewConversionNamesThemAfresh) {
  ImageScene scene;
  scene.WritePicture("logo.bmp", Bmp24(8, 8, kRed));
  scene.WritePicture("other.bmp", Bmp24(8, 8, kBlue));
  auto newDrawing = [&scene] {
    scene.layer = scene.page.GetLayer(scene.page.AddLayer("0"));
    scene.layer->Scale = {1, 1, 1};
  };
  scene.AddImage("logo.bmp", 10, 10, 20, 20);
  scene.page.Printer->BeginDoc();
  scene.page.PrintPages(0, 1);
  scene.page.Clear();
  newDrawing();
  scene.AddImage("other.bmp", 10, 10, 20, 20);
  scene.AddImage("logo.bmp", 40, 10, 20, 20);
  scene.page.Printer->NewPage();
  scene.page.PrintPages(0, 1);
  std::ostringstream out;
  scene.page.Printer->EndDoc(out);
  WriteFile(scene.pdfPath, out.str());
  ExpectReadersAccept(scene.pdfPath);
  const std::vector<ListedImage> images = PdfImagesList(scene.pdfPath);
  ASSERT_EQ(images.size(), 3u);
  EXPECT_EQ(images[0].object, images[2].object);
  EXPECT_NE(images[0].object, images[1].object);

  scene.page.Reset();
  newDrawing();
  scene.AddImage("other.bmp", 10, 10, 20, 20);
  EXPECT_NE(scene.PageBody().find("/Im1 Do"), std::string::npos);
}

// Names with blanks, brackets and Japanese characters pass every reader; pictures of one
// name in two folders stay apart.
TEST(ImageOutput, PicturesAreFoundAndKeptApartByTheirWholePath) {
  ImageScene scene;
  const std::vector<std::pair<std::string, TRGB>> files = {
      {"my logo (1) [v2].bmp", kRed},
      {"図面/写真 表%#.bmp", kBlue},
      {"x/a<b>{c}.BMP", TRGB{20, 200, 40}},
      {"a\\logo.bmp", kRed},
      {"b\\logo.bmp", kBlue},
  };
  const auto left = [](std::size_t i) { return 10 + 40 * (i % 3); };
  const auto bottom = [](std::size_t i) { return 10 + 40 * (i / 3); };
  for (std::size_t i = 0; i < files.size(); ++i) {
    std::string file = files[i].first;
    std::replace(file.begin(), file.end(), '\\', '/');
    scene.WritePicture(file, Bmp24(8, 8, files[i].second));
    scene.AddImage(cp932::FromUtf8(files[i].first), left(i), bottom(i), 25.4L, 25.4L);
  }
  scene.WritePicture("photo (2).jpg", RgbJpeg(16, 8));
  scene.AddImage(cp932::FromUtf8("photo (2).jpg"), 10, 80, 50.8L, 25.4L);
  EXPECT_EQ(CountOperator(scene.PageBody(), "Do"), 6);
  ExpectReadersAccept(scene.pdfPath);
  const TRaster raster = RenderFirstPage(scene.pdfPath, TRenderer::Poppler);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const int x = static_cast<int>(std::lround((left(i) + 12.7L) / 25.4L * 72));
    const int y = static_cast<int>(std::lround((bottom(i) + 12.7L) / 25.4L * 72));
    ExpectColor(raster, x, y, files[i].second, 2, files[i].first);
  }
}

TEST(ImageOutput, GreyAndCmykJpegsRenderInTheirColours) {
  for (const TJpegSample& sample : JpegSamples()) {
    SCOPED_TRACE(sample.name);
    ImageScene scene;
    scene.WritePicture("p.jpg", sample.bytes);
    scene.AddImage("p.jpg", 0, 0, 25.4L * 4, 25.4L * 2);  // 288 x 144 points
    scene.Print();
    ExpectReadersAccept(scene.pdfPath);
    // The renderer turns inks into light with a model of its own, some tens of steps away from
    // the plain conversion of the samples; inks read the wrong way round would be far more.
    const int tolerance = sample.info.Components == 4 ? 40 : 12;
    for (const TRenderer renderer : kRenderers) {
      const TRaster raster = RenderFirstPage(scene.pdfPath, renderer);
      ExpectColor(raster, 72, 72, sample.rgb[0], tolerance, RendererName(renderer));
      ExpectColor(raster, 216, 72, sample.rgb[1], tolerance, RendererName(renderer));
    }
  }
}

TEST(ImageOutput, RotatedPicturesDoNotShiftWhatIsDrawnAfterThem) {
  ImageScene scene;
  scene.WritePicture("plan.bmp", Bmp24(8, 8, kBlue));
  for (int i = 0; i < 12; ++i)
    scene.AddImage("plan.bmp", 20 + 8.0L * i, 80, 10, 7).Angle = 17.3L + 29 * i;
  // A line 5 points wide along y = 36 points, drawn after every picture.
  scene.AddLine({25.4L, 12.7L, 0}, {127, 12.7L, 0}, 5);
  const std::string body = scene.PageBody();
  EXPECT_EQ(CountOperator(body, "q"), 24);
  EXPECT_EQ(CountOperator(body, "Q"), 24);
  EXPECT_LT(body.rfind("Q\n"), body.find("360 36 m"));
  for (const TRenderer renderer : kRenderers) {
    const TRaster raster = RenderFirstPage(scene.pdfPath, renderer);
    for (int x : {80, 200, 350}) {
      const std::string where = std::string(RendererName(renderer)) + ": ";
      ExpectColor(raster, x, 36, TRGB{0, 0, 0}, 2, where + "on the line");
      ExpectColor(raster, x, 41, TRGB{255, 255, 255}, 2, where + "above the line");
      ExpectColor(raster, x, 31, TRGB{255, 255, 255}, 2, where + "below the line");
    }
  }
}

TEST(ImageOutput, PicturesThatCannotBeReadAreSkippedAndTheRestIsDrawn) {
  ImageScene scene;
  const std::string bmp = Bmp24(64, 64, kBlue);
  const std::string jpeg = RgbJpeg(64, 64);
  // The kinds of damage are the loading tests' business; one missing and one cut file here.
  scene.WritePicture("truncated.jpg", jpeg.substr(0, jpeg.size() - 300));
  scene.WritePicture("good.bmp", bmp);
  scene.AddImage("missing.bmp", 10, 10, 100, 80);
  scene.AddImage("truncated.jpg", 10, 10, 100, 80);
  scene.AddImage("good.bmp", 25.4L, 25.4L, 25.4L, 25.4L);
  scene.AddLine({0, 88.9L, 0}, {127, 88.9L, 0}, 5);
  EXPECT_EQ(CountOperator(scene.PageBody(), "Do"), 1);
  ExpectReadersAccept(scene.pdfPath);
  const TRaster raster = RenderFirstPage(scene.pdfPath, TRenderer::Poppler);
  ExpectColor(raster, 108, 108, kBlue, 2, "the good picture");
  ExpectColor(raster, 200, 252, TRGB{0, 0, 0}, 2, "the line");
  ExpectColor(raster, 30, 60, TRGB{255, 255, 255}, 2, "where the bad ones would be");
}

TEST(ImageOutput, PassVisibilityAndSizeDecideWhatIsDrawn) {
  ImageScene scene;
  scene.WritePicture("plan.bmp", Bmp24(4, 4, kRed));
  auto early = TCad_Image::CreatePass2(nullptr, *scene.layer);
  early->Width = early->Height = 10;
  early->LoadFromFile("plan.bmp", scene.dir.path());
  scene.AddLine({0, 0, 0}, {10, 10, 0}, 1);
  scene.layer->Add(std::move(early));
  scene.AddImage("plan.bmp", 0, 0, 10, 10).Visible = 0;
  scene.AddImage("plan.bmp", 0, 0, 0, 10);
  scene.AddImage("plan.bmp", 0, 0, std::numeric_limits<long double>::infinity(), 10);
  const std::string body = scene.PageBody();
  EXPECT_EQ(CountOperator(body, "Do"), 1);
  EXPECT_LT(body.find(" Do\n"), body.find(" l\n")) << "the pass-2 picture comes first";
}

}  // namespace
}  // namespace kyrovane::test
