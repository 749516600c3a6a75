// Picture texts: the picture's path and size.

#include "import/PictureText.h"

#include <gtest/gtest.h>

namespace kyrovane {
namespace {

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

}  // namespace
}  // namespace kyrovane
