#include "pdf/picture/BmpReader.h"

#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "bmp_samples.h"
#include "picture_expect.h"

namespace kyrovane {
namespace {

using test::BuildBmp;
using test::Rle8Recipe;
using test::TBmpRecipe;

class BmpSampleTest : public testing::TestWithParam<test::TBmpSample> {};

TEST_P(BmpSampleTest, DecodesToTheExpectedPixels) {
  test::ExpectPicture(ReadBmp(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Variants, BmpSampleTest, testing::ValuesIn(test::BmpSamples()),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

TEST(BmpPixels, PackedIndexesStartAtTheHighBits) {
  TBmpRecipe recipe;
  recipe.width = 3;
  recipe.height = 1;
  recipe.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  recipe.bitCount = 1;
  recipe.pixels = std::string("\xA0\x00\x00\x00", 4);  // 1 0 1
  test::ExpectPicture(ReadBmp(BuildBmp(recipe)), {{{255, 0, 0}, {}, {255, 0, 0}}});
  recipe.bitCount = 4;
  recipe.pixels = std::string("\x12\x30\x00\x00", 4);  // 1 2 3
  test::ExpectPicture(ReadBmp(BuildBmp(recipe)), {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}});
}

TEST(BmpRle, WalksOfTheCodes) {
  const struct {
    const char* what;
    int width, height;
    std::string data;
    test::TPicture expected;
  } cases[] = {
      // Bottom row: a run of 7 green in a row of 3, end of line; top row: one red.
      {"drops pixels beyond the right edge instead of wrapping",
       3,
       2,
       std::string("\x07\x02\x00\x00\x01\x01\x00\x01", 8),
       {{{255, 0, 0}, {}, {}}, {{0, 255, 0}, {0, 255, 0}, {0, 255, 0}}}},
      {"ends at the top row without an end code",
       1,
       2,
       std::string("\x01\x01\x00\x00\x01\x02\x00\x00", 8),
       {{{0, 255, 0}}, {{255, 0, 0}}}},
      {"a move above the top row ends the walk",
       2,
       2,
       std::string("\x01\x01\x00\x02\x05\x09", 6),
       {{{}, {}}, {{255, 0, 0}, {}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::ExpectPicture(ReadBmp(BuildBmp(Rle8Recipe(c.width, c.height, c.data))), c.expected);
  }
}

TEST(BmpRle, CompressedSizeLimitsTheDataRead) {
  // The declared compressed size stops before the end code that follows in the file.
  TBmpRecipe recipe = Rle8Recipe(1, 1, std::string("\x01\x01\x00\x01", 4));
  std::string file = BuildBmp(recipe);
  file[34] = 2;  // biSizeImage
  EXPECT_THROW(ReadBmp(file), EInvalidGraphic);
}

TEST(BmpRefusal, NamesWhatIsWrong) {
  auto message = [](const std::string& file) {
    try {
      ReadBmp(file);
    } catch (const EInvalidGraphic& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  TBmpRecipe good;
  good.width = 1;
  good.height = 1;
  good.pixels = std::string(4, '\0');

  EXPECT_EQ(message("GIF89a"), "BMP: not a BMP picture");
  TBmpRecipe recipe = good;
  recipe.headerSize = 64;  // OS/2 2.x
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: unsupported header size 64");
  recipe = good;
  recipe.compression = 4;  // JPEG inside
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: unsupported compression 4");
  recipe = good;
  recipe.bitCount = 2;
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: unsupported bit count 2 for compression 0");
  recipe = good;
  recipe.compression = 1;  // RLE8 needs 8 bits per pixel
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: unsupported bit count 24 for compression 1");
  recipe = Rle8Recipe(1, -1, std::string("\x00\x01", 2));
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: compressed rows stored top-down");
  recipe = good;
  recipe.width = 0;
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: picture without pixels");
  recipe = good;
  recipe.width = -3;
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: picture without pixels");
  recipe = good;
  recipe.height = 0;
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: picture without pixels");
  recipe = good;
  recipe.bitCount = 16;
  recipe.compression = 3;
  recipe.masks = {0xF00F, 0x0F00, 0x00F0};
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: colour mask with gaps");
  recipe = good;
  recipe.bitCount = 8;  // and no colour table
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: colour table missing");
  recipe = good;
  recipe.pixels.pop_back();
  EXPECT_EQ(message(BuildBmp(recipe)), "BMP: truncated pixel data");

  std::string file = BuildBmp(good);
  file[10] = 20;  // pixel offset inside the info header
  EXPECT_EQ(message(file), "BMP: pixel data offset inside the header");
  file[10] = 0;
  file[11] = 1;  // 256, beyond the end
  EXPECT_EQ(message(file), "BMP: pixel data offset beyond the end of the file");
}

// Sizes beyond the bounds are refused from the header alone; compressed data, which a few
// bytes can declare for any size, shows that nothing depends on the pixel data being there.
TEST(BmpRefusal, HugeDeclaredSizesBeforeLookingAtPixels) {
  auto refused = [](int32_t width, int32_t height, uint16_t bitCount, uint32_t compression) {
    TBmpRecipe recipe = Rle8Recipe(width, height, std::string("\x00\x01", 2));
    recipe.bitCount = bitCount;
    recipe.compression = compression;
    try {
      ReadBmp(BuildBmp(recipe));
    } catch (const EInvalidGraphic& e) {
      return std::string(e.what()).find("picture") != std::string::npos &&
             std::string(e.what()).find("too") != std::string::npos;
    }
    return false;
  };
  EXPECT_TRUE(refused(65536, 1, 8, 1));
  EXPECT_TRUE(refused(1, 65536, 8, 1));
  EXPECT_TRUE(refused(20000, 20000, 8, 1));
  EXPECT_TRUE(refused(65535, 65535, 8, 1));
  EXPECT_TRUE(refused(0x7FFFFFFF, 1, 32, 0));  // the row size would overflow 32 bits
  EXPECT_TRUE(refused(1, INT32_MIN, 24, 0));   // a top-down height that cannot be negated
  EXPECT_TRUE(refused(0x40000001, 4, 32, 0));  // width × 32 bits wraps to a small row
}

}  // namespace
}  // namespace kyrovane
