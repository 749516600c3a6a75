// Pictures placed by "^@BM" texts: size, position, pass and where the file is found.

#include <gtest/gtest.h>

#include "app/settings/Units.h"
#include "cad/CadImage.h"
#include "jww_build_fixture.h"
#include "pdf/picture/bmp_builder.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;

class JwwPictures : public ::testing::Test {
 protected:
  JwwPictures() {
    fs::create_directories(dir / "img");
    WriteFile(dir / "img" / "site.bmp", RedPixelBmp());
    WriteFile(dir / "pic.bmp", RedPixelBmp());
    build.context.CurrentFileName = (dir / "a.jww").string();
  }
  TempDir dir;
  JwwBuild build;
};

TEST_F(JwwPictures, APictureTextPlacesThePictureFileAtItsSize) {
  build.Add(Text("^@BMimg\\site.bmp,100,50", 10, 20, 10, 30));
  build.Build();
  const TCad_Image& image = Item<TCad_Image>(build.Layer(0), 0);
  EXPECT_EQ(image.FileName, "img\\site.bmp");
  EXPECT_EQ(image.Path, fs::canonical(dir / "img" / "site.bmp"));
  EXPECT_EQ(image.Width, 100);
  EXPECT_EQ(image.Height, 50);
  EXPECT_THAT(image.Position, IsPoint(10 + kHalfX, 20 + kHalfY));
  EXPECT_EQ(image.Angle, 90);
  EXPECT_EQ(image.Resample, 1);
  EXPECT_EQ(image.Pass, 1);
}

TEST_F(JwwPictures, APathOfAnotherMachineIsLookedUpInTheDrawingsFolder) {
  build.env.PictureCompression = false;
  build.Add(Text("^@BMD:\\photos\\PIC.BMP,30,20", 0, 0, 1, 0));
  build.Build();
  const TCad_Image& image = Item<TCad_Image>(build.Layer(0), 0);
  EXPECT_EQ(image.FileName, "D:\\photos\\PIC.BMP");
  EXPECT_EQ(image.Path, fs::canonical(dir / "pic.bmp"));
  EXPECT_EQ(image.Resample, 0);
}

TEST_F(JwwPictures, SolidsFirstDrawsPicturesInTheEarlyPass) {
  build.head.SolidsFirst = 1;
  build.Add(Text("^@BMpic.bmp,3,2", 0, 0, 1, 0));
  build.Block(0, {Text("^@BMpic.bmp,3,2", 5, 6, 6, 6)});
  build.Build();
  EXPECT_EQ(Item<TCad_Image>(build.Layer(0), 0).Pass, 2);
  const TCad_Image& member = Item<TCad_Image>(build.BlockNamed("0"), 0);
  EXPECT_EQ(member.Pass, 2);
  EXPECT_EQ(member.Visible, 1);
  EXPECT_THAT(member.Position, IsPoint(5, 6));
}

TEST_F(JwwPictures, OnlyTextsThatBeginWithTheMarkerAndGiveASizeArePictures) {
  build.Add(Text("see ^@BMpic.bmp,3,2", 0, 0, 1, 0));
  build.Add(Text("^@BMpic.bmp,wide,2", 0, 0, 1, 0));
  build.Build();
  ASSERT_EQ(build.Layer(0).Count(), 1);
  EXPECT_EQ(Item<TCad_Text>(build.Layer(0), 0).Text, "see ^@BMpic.bmp,3,2");
}

TEST_F(JwwPictures, PicturesCountInTheExtentsWithTheirSize) {
  build.Add(Text("^@BMpic.bmp,30,20", 10, 5, 11, 5));
  build.Add(Text("^@BMpic.bmp,x,20", 100, 100, 101, 100));  // no picture: not measured
  build.Build(true);
  // From (10, 5) to (40, 25) mm.
  EXPECT_EQ(build.page.PageWidth, std::nearbyint(MmToPoint(30)));
  EXPECT_EQ(build.page.PageHeight, std::nearbyint(MmToPoint(20)));
}

}  // namespace
}  // namespace kyrovane::test
