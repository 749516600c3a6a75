// The bitmap a plug-in hands over: the sizes read from its header, and headers that describe
// more than the blocks hold.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "plugins/DibImage.h"
#include "plugins/spi/plugin_common.h"

namespace kyrovane::test {
namespace {

// A bitmap header followed by `colorBytes` of colours.
std::vector<uint8_t> Info(int32_t width, int32_t height, uint16_t bits, uint32_t colorsUsed,
                          std::size_t colorBytes) {
  const SpiBitmapInfoHeader header = DibHeader(width, height, bits, colorsUsed);
  std::vector<uint8_t> info(sizeof header + colorBytes);
  std::memcpy(info.data(), &header, sizeof header);
  return info;
}

TEST(DibImage, SizesComeFromTheHeaderAndTheColourTable) {
  struct Case {
    int32_t width, height;
    uint16_t bits;
    uint32_t colorsUsed;
    std::size_t infoSize, imageSize;
  };
  for (const Case& c :
       {Case{3, 2, 24, 0, 40, 24}, Case{33, 1, 1, 0, 48, 8}, Case{3, -2, 4, 0, 104, 8},
        Case{5, 1, 8, 3, 52, 8}, Case{1, 1, 32, 0, 40, 4}}) {
    const std::vector<uint8_t> info = Info(c.width, c.height, c.bits, c.colorsUsed, 1024);
    const std::vector<uint8_t> bits(c.imageSize, 0x55);
    const std::optional<TDibImage> dib = TakeDib(info, bits);
    ASSERT_TRUE(dib) << c.bits;
    EXPECT_EQ(dib->InfoSize, c.infoSize);
    EXPECT_EQ(dib->ImageSize, c.imageSize);
    EXPECT_EQ(dib->Height, c.height);
    ASSERT_EQ(dib->Bmp.size(), 14 + c.infoSize + c.imageSize);
    EXPECT_EQ(dib->Bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<uint8_t>(dib->Bmp[10]), 14 + c.infoSize);
    EXPECT_EQ(dib->Bmp.back(), 0x55);
  }
}

// Blocks that hold less than their header claims are refused in the faulty plug-in's tests.
TEST(DibImage, HeaderFieldsBeyondTheirBoundsAreRefused) {
  const std::vector<uint8_t> rows(64);
  const std::vector<uint8_t> good = Info(8, 8, 8, 0, 1024);
  ASSERT_TRUE(TakeDib(good, rows));
  // At their offsets: header size, width, height, bit count, compression, colours.
  const std::pair<std::size_t, uint32_t> fields[] = {{0, 39},         {0, 125}, {4, 0},
                                                     {4, 0x80000000}, {8, 0},   {8, 0x80000000},
                                                     {14, 2},         {16, 1},  {32, 257}};
  for (const auto& [at, value] : fields) {
    std::vector<uint8_t> info = good;
    std::memcpy(info.data() + at, &value, sizeof value);
    EXPECT_FALSE(TakeDib(info, rows)) << at << " " << value;
  }
  EXPECT_FALSE(TakeDib(Info(20000, 20000, 1, 0, 8), rows)) << "pixels beyond the bounds";
}

}  // namespace
}  // namespace kyrovane::test
