// Loading pictures into the image entity: which class reads which file, the size step with
// and without resampling, the plug-in seam, and pictures that cannot be read.

#include <gtest/gtest.h>

#include <cmath>

#include "cad/PluginPictures.h"
#include "cad/image/image_fixture.h"
#include "pdf/picture/jpeg_samples.h"

namespace kyrovane::test {
namespace {

// Installs a plug-in loader for one test and removes it afterwards.
class ScopedPluginLoader {
 public:
  explicit ScopedPluginLoader(TPluginPictureLoader loader) {
    SetPluginPictureLoader(std::move(loader));
  }
  ~ScopedPluginLoader() { SetPluginPictureLoader(nullptr); }
};

bool IsEmpty(const TCad_Image& image) {
  return !image.Jpeg && !image.DrawBitmap;
}

TEST(ImageLoad, BitmapsAreResampledOnlyWhenAskedAndWhenTheyHaveMorePixelsThanPoints) {
  ImageScene scene;
  scene.WritePicture("plan.Bmp", Bmp24(400, 300, TRGB{10, 20, 30}));
  struct Case {
    long double w, h;
    std::uint8_t resample;
    int pixelsW, pixelsH;
  };
  // 100 x 75 mm is 283.46 x 212.60 points, 200 x 50 mm 566.93 x 141.73 points: once the
  // height is shrunk, the width goes to the drawn size too. A drawn size beyond the bounds
  // never grows the bitmap, and one that is no number resamples nothing.
  for (const Case& c :
       {Case{100, 75, 1, 283, 213}, Case{100, 75, 0, 400, 300}, Case{200, 50, 1, 567, 142},
        Case{150, 110, 1, 400, 300}, Case{0.1L, 0.1L, 1, 1, 1}, Case{-100, 75, 1, 283, 213},
        Case{10, 1e9L, 1, 28, 300}, Case{1e30L, 50, 1, 400, 142},
        Case{std::nanl(""), 50, 1, 400, 300}}) {
    SCOPED_TRACE(std::to_string(static_cast<double>(c.w)) + " x " +
                 std::to_string(static_cast<double>(c.h)));
    TCad_Image& image = scene.AddImage("PLAN.BMP", 0, 0, c.w, c.h, c.resample);
    ASSERT_TRUE(image.DrawBitmap);
    EXPECT_EQ(image.DrawBitmap->Width(), c.pixelsW);
    EXPECT_EQ(image.DrawBitmap->Height(), c.pixelsH);
    EXPECT_EQ(image.DrawBitmap->Pixel(0, 0), (TRGB{10, 20, 30}));
    EXPECT_FALSE(image.Jpeg);
    EXPECT_EQ(image.FileName, "PLAN.BMP");
    EXPECT_EQ(image.Path, std::filesystem::canonical(scene.dir / "plan.Bmp"));
  }
}

TEST(ImageLoad, OtherFormatsGoThroughThePluginLoader) {
  ImageScene scene;
  const std::filesystem::path jpeg = scene.WritePicture("photo.jpeg", RgbJpeg(16, 8));
  scene.WritePicture("scan.png", "not decoded here");

  // Without plug-ins nothing decodes them: not even a JPEG with another extension.
  EXPECT_THROW(LoadPluginPicture(jpeg), EInvalidGraphic);
  EXPECT_TRUE(IsEmpty(scene.AddImage("photo.jpeg", 0, 0, 10, 10)));
  EXPECT_TRUE(IsEmpty(scene.AddImage("scan.png", 0, 0, 10, 10)));

  std::vector<std::filesystem::path> asked;
  ScopedPluginLoader loader([&asked](const std::filesystem::path& file) {
    asked.push_back(file);
    if (file.extension() == ".png") throw EInvalidGraphic("could not decode");
    return TBitmap(40, 30);
  });
  scene.page.Reset();  // a new conversion, with the loader
  scene.layer = scene.page.GetLayer(scene.page.AddLayer("0"));
  TCad_Image& decoded = scene.AddImage("PHOTO.JPEG", 0, 0, 5, 5, 1);
  EXPECT_FALSE(decoded.Jpeg);
  ASSERT_TRUE(decoded.DrawBitmap);
  EXPECT_EQ(decoded.DrawBitmap->Width(), 14) << "plug-in pictures are resampled like bitmaps";
  EXPECT_EQ(decoded.DrawBitmap->Height(), 14);
  EXPECT_TRUE(IsEmpty(scene.AddImage("scan.png", 0, 0, 10, 10)));
  // Each file is decoded once, however often it is placed.
  scene.AddImage("photo.jpeg", 0, 0, 50, 50);
  scene.AddImage("scan.png", 0, 0, 10, 10);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], std::filesystem::canonical(jpeg));
}

TEST(ImageLoad, PicturesThatCannotBeReadLeaveTheImageEmpty) {
  ImageScene scene;
  const std::string bmp = Bmp24(64, 64, TRGB{200, 0, 0});
  const std::string jpeg = RgbJpeg(64, 64);
  std::string scrambledJpeg = jpeg;
  for (std::size_t i = jpeg.size() / 2; i < jpeg.size() - 2; i += 3) scrambledJpeg[i] = '\xFF';
  const std::vector<std::pair<std::string, std::string>> files = {
      {"empty.bmp", ""},
      {"truncated.bmp", bmp.substr(0, bmp.size() / 2)},
      {"text.bmp", "this is not a picture"},
      {"jpeg-named.bmp", jpeg},
      {"empty.jpg", ""},
      {"headers-only.jpg", jpeg.substr(0, 700)},
      {"truncated.jpg", jpeg.substr(0, jpeg.size() * 3 / 4)},
      {"scrambled.jpg", scrambledJpeg},
      {"bitmap-named.jpg", bmp},
  };
  for (const auto& [name, bytes] : files) {
    scene.WritePicture(name, bytes);
    TCad_Image& image = scene.AddImage(name, 0, 0, 10, 10, 1);
    EXPECT_TRUE(IsEmpty(image)) << name;
    EXPECT_EQ(image.FileName, name);
  }
  TCad_Image& missing = scene.AddImage("missing.bmp", 0, 0, 10, 10);
  EXPECT_TRUE(IsEmpty(missing));
  EXPECT_TRUE(missing.Path.empty());
}

// Finding a picture passes over pipes; one put in a picture's place after that is refused
// when it is read, by every kind of picture, without waiting for a writer.
TEST(ImageLoad, APipeInAPicturesPlaceIsLeftOutWithoutWaiting) {
  const HangAlarm hangAlarm(30);
  ImageScene scene;
  for (const char* name : {"p.bmp", "p.jpg", "p.png"}) MakePipe(scene.dir / name);
  TCad_PictureStore& pictures = scene.page.Pictures;
  EXPECT_FALSE(pictures.Bitmap(scene.dir / "p.bmp", false));
  EXPECT_FALSE(pictures.Jpeg(scene.dir / "p.jpg"));
  EXPECT_FALSE(pictures.Bitmap(scene.dir / "p.png", true));
}

TEST(ImageLoad, JpgFilesAreKeptAsTheyAreAndLoadingAgainReplacesThePicture) {
  ImageScene scene;
  const std::string data = RgbJpeg(640, 480);
  scene.WritePicture("a.bmp", Bmp24(4, 4, TRGB{1, 1, 1}));
  scene.WritePicture("photo.JPG", data);
  TCad_Image& image = scene.AddImage("a.bmp", 0, 0, 10, 10, 1);
  image.LoadFromFile("photo.jpg", scene.dir.path());
  ASSERT_TRUE(image.Jpeg);
  EXPECT_EQ(image.Jpeg->Data(), data);  // never resampled
  EXPECT_FALSE(image.DrawBitmap);
  image.LoadFromFile("gone.jpg", scene.dir.path());
  EXPECT_TRUE(IsEmpty(image));
}

// Pictures left out are named once each: missing, undecodable, or beyond the memory bound.
TEST(ImageLoad, PicturesLeftOutAreNamedInTheNotices) {
  ImageScene scene;
  scene.WritePicture("big.bmp", Bmp24(100, 100, TRGB{1, 1, 1}));
  scene.WritePicture("small.bmp", Bmp24(10, 10, TRGB{1, 1, 1}));
  scene.WritePicture("broken.bmp", "no picture");
  scene.page.Pictures.SetMemoryLimit(3 * 100 * 100 + 100);
  const TCad_Image& big = scene.AddImage("big.bmp", 0, 0, 100, 100);
  // Placed again, the picture is shared, not decoded and held once more.
  EXPECT_EQ(scene.AddImage("BIG.BMP", 50, 50, 100, 100).DrawBitmap, big.DrawBitmap);
  TCad_Image& small = scene.AddImage("small.bmp", 0, 0, 100, 100);  // does not fit beside it
  for (int i = 0; i < 2; ++i) {
    scene.AddImage("img\\gone.bmp", 0, 0, 10, 10);
    scene.AddImage("broken.bmp", 0, 0, 10, 10);
  }
  EXPECT_TRUE(big.DrawBitmap);
  EXPECT_TRUE(IsEmpty(small));
  const std::string folder = std::filesystem::canonical(scene.dir.path()).string() + "/";
  EXPECT_EQ(
      scene.page.Notices.PicturesLeftOut,
      (std::vector<std::string>{folder + "small.bmp", "img\\gone.bmp", folder + "broken.bmp"}));
  EXPECT_LE(scene.page.Pictures.HeldBytes(), 3u * 100 * 100 + 100);

  // Pictures that no image holds any more give way to new ones.
  scene.page.Clear();
  EXPECT_TRUE(scene.page.Notices.PicturesLeftOut.empty());
  scene.layer = scene.page.GetLayer(scene.page.AddLayer("0"));
  scene.WritePicture("other.bmp", Bmp24(10, 10, TRGB{1, 1, 1}));
  EXPECT_TRUE(scene.AddImage("other.bmp", 0, 0, 100, 100).DrawBitmap);
  EXPECT_EQ(scene.page.Pictures.HeldBytes(), 3u * 10 * 10);
}

}  // namespace
}  // namespace kyrovane::test
