// Finding the files that drawings' Windows picture paths name.

#include <gtest/gtest.h>

#include "cad/PicturePath.h"
#include "support/test_support.h"
#include "text/cp932.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;

class PicturePath : public ::testing::Test {
 protected:
  fs::path Make(const std::string& relative) {
    const fs::path file = dir / relative;
    fs::create_directories(file.parent_path());
    WriteFile(file, "x");
    return fs::canonical(file);
  }
  std::optional<fs::path> Find(const std::string& utf8Path, const fs::path& folder) {
    return FindPictureFile(cp932::FromUtf8(utf8Path), folder, listings);
  }

  TempDir dir;
  TFolderListings listings;
};

TEST_F(PicturePath, NamesMatchWithoutRegardToCaseExactFirst) {
  const fs::path upper = Make("Img/SITE.BMP");
  EXPECT_EQ(Find("img\\site.bmp", dir.path()), upper);
  EXPECT_EQ(Find("IMG\\Site.Bmp", dir.path()), upper);

  const fs::path lower = Make("Img/site.bmp");
  EXPECT_EQ(Find("img\\site.bmp", dir.path()), lower);
  EXPECT_EQ(Find("IMG\\SITE.BMP", dir.path()), upper);
  EXPECT_EQ(Find("img\\Site.bmp", dir.path()), upper) << "the first of two in byte order";
}

// Many pictures looked up in a folder of thousands of files list it once: the listing is
// kept, so a file that appears later is found by another search only.
TEST_F(PicturePath, AFolderIsListedOnceForManyLookups) {
  const fs::path first = Make("a.bmp");
  EXPECT_EQ(Find("A.BMP", dir.path()), first);
  Make("b.bmp");
  EXPECT_EQ(Find("B.BMP", dir.path()), std::nullopt);
  TFolderListings fresh;
  EXPECT_EQ(FindPictureFile("B.BMP", dir.path(), fresh), fs::canonical(dir / "b.bmp"));
}

// Relative paths start in the drawing's folder; paths from other machines are looked up
// there too, by their last parts.
TEST_F(PicturePath, RelativeAndForeignPathsAreLookedUpInTheDrawingsFolder) {
  const fs::path site = Make("img/site.bmp");
  const fs::path nested = Make("photos/site.jpg");
  const fs::path beside = Make("logo.jpg");
  const std::pair<std::string, fs::path> cases[] = {
      {"img\\site.bmp", site},
      {"img/site.bmp", site},
      {".\\img\\..\\img\\site.bmp", site},
      {"D:\\work\\photos\\site.jpg", nested},
      {"d:\\Photos\\SITE.JPG", nested},
      {"C:\\plans\\\\img\\logo.jpg", beside},
      {"\\\\server\\share\\logo.jpg", beside},
      {"/no/such/folder/logo.jpg", beside},
      {"sub\\logo.jpg", beside},
  };
  for (const auto& [path, file] : cases) EXPECT_EQ(Find(path, dir.path()), file) << path;
  EXPECT_EQ(Find((dir / "img/site.bmp").string(), "/nowhere"), site) << "absolute, as written";
}

TEST_F(PicturePath, JapaneseNamesAreConvertedBeforeTheSeparatorsAreSplit) {
  // The second byte of 表 in CP932 is 0x5C, a backslash.
  const fs::path file = Make("図面/表 (1) [案].jpg");
  const std::string cp932Path = cp932::FromUtf8("図面\\表 (1) [案].jpg");
  ASSERT_NE(cp932Path.find("\x95\x5C"), std::string::npos);
  EXPECT_EQ(FindPictureFile(cp932Path, dir.path(), listings), file);
}

TEST_F(PicturePath, WhatIsNotAFileIsNotFound) {
  Make("img/site.bmp");
  fs::create_directories(dir / "folder.jpg");
  EXPECT_EQ(Find("missing.bmp", dir.path()), std::nullopt);
  EXPECT_EQ(Find("img\\missing.bmp", dir.path()), std::nullopt);
  EXPECT_EQ(Find("folder.jpg", dir.path()), std::nullopt);
  EXPECT_EQ(Find("img", dir.path()), std::nullopt);
  EXPECT_EQ(Find("img\\", dir.path()), std::nullopt);
  EXPECT_EQ(Find("", dir.path()), std::nullopt);
  EXPECT_EQ(Find("D:\\site.bmp", fs::path()), std::nullopt) << "nowhere to look";
  EXPECT_EQ(FindPictureFile(std::string("img\\site.bmp\0.txt", 17), dir.path(), listings),
            std::nullopt);
}

}  // namespace
}  // namespace kyrovane::test
