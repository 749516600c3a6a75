// Picture texts and where their files are found.

#include "import/PictureText.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

TEST(PictureText, MarkerPathWidthAndHeight) {
  const auto picture = ParsePictureText("^@BMimg\\site.bmp,100,50");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Path, "img\\site.bmp");
  EXPECT_EQ(picture->Width, 100);
  EXPECT_EQ(picture->Height, 50);
  const auto spaced = ParsePictureText("^@BMD:\\pic.jpg, 30.5 ,+2e1");
  ASSERT_TRUE(spaced);
  EXPECT_EQ(spaced->Path, "D:\\pic.jpg");
  EXPECT_EQ(spaced->Width, 30.5L);
  EXPECT_EQ(spaced->Height, 20);
}

TEST(PictureText, TextsThatAreNoPlaceablePicture) {
  for (const char* text :
       {"plain", "x^@BMa.bmp,1,2", "^@BMa.bmp", "^@BMa.bmp,1", "^@BMa.bmp,1,", "^@BMa.bmp,,2",
        "^@BMa.bmp,1,2,3", "^@BMa.bmp,1x,2", "^@BMa.bmp,inf,2", "^@BMa.bmp,1,nan"}) {
    EXPECT_FALSE(ParsePictureText(text)) << text;
  }
}

class PicturePathTest : public ::testing::Test {
 protected:
  PicturePathTest() {
    fs::create_directories(dir.path() / "plans" / "Img");
    test::WriteFile(dir.path() / "plans" / "Img" / "Site.BMP", "picture");
    test::WriteFile(dir.path() / "plans" / "pic.jpg", "picture");
    test::WriteFile(dir.path() / "plans" / "\xe8\xa1\xa8.bmp", "picture");  // 表
    drawing = (dir.path() / "plans" / "a.jww").string();
  }
  test::TempDir dir;
  std::string drawing;
};

TEST_F(PicturePathTest, RelativePathsStartInTheDrawingsFolderWhateverTheCase) {
  EXPECT_EQ(ResolvePicturePath("img\\site.bmp", drawing), dir.path() / "plans/Img/Site.BMP");
  EXPECT_EQ(ResolvePicturePath("\\IMG\\SITE.bmp", drawing), dir.path() / "plans/Img/Site.BMP");
}

TEST_F(PicturePathTest, PathsOfAnotherMachineAreLookedUpInTheDrawingsFolder) {
  EXPECT_EQ(ResolvePicturePath("D:\\pic.jpg", drawing), dir.path() / "plans/pic.jpg");
  EXPECT_EQ(ResolvePicturePath("C:\\photos\\PIC.JPG", drawing), dir.path() / "plans/pic.jpg");
}

TEST_F(PicturePathTest, DoubleByteNamesEndingInTheBackslashByteStayWhole) {
  // 表 is 0x95 0x5C in code page 932: its second byte is no folder separator.
  EXPECT_EQ(ResolvePicturePath("\x95\x5c.bmp", drawing), dir.path() / "plans/\xe8\xa1\xa8.bmp");
}

TEST_F(PicturePathTest, APictureFoundNowhereKeepsItsPathAndFoldersAreNoPictures) {
  EXPECT_EQ(ResolvePicturePath("missing.bmp", drawing), dir.path() / "plans/missing.bmp");
  EXPECT_EQ(ResolvePicturePath("img", drawing), dir.path() / "plans/img");
}

}  // namespace
}  // namespace kyrovane
