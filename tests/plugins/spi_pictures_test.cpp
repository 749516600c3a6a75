// Pictures decoded through the plug-ins: every bit depth, PNG, pictures behind a MacBinary
// header, which class reads which file, previews, the progress reports, and plug-ins that
// misbehave.

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>

#include "pdf/picture/bmp_builder.h"
#include "pdf/printer/raster_image.h"
#include "plugins/SPIBmp.h"
#include "plugins/plugin_fixture.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr TRGB kRed{255, 0, 0};
constexpr TRGB kBlue{0, 0, 255};
constexpr TRGB kGreen{0, 255, 0};

// The plug-ins of the program's folder, loaded for one test.
class PluginPictures : public ::testing::Test {
 protected:
  PluginPictures() { spis.Search((TestPluginFolder() / "*.spi").string()); }

  TBitmap Load(const std::string& name, const std::string& bytes) {
    WriteFile(dir / name, bytes);
    TSPIBitmap bitmap;
    bitmap.OnProgress = [this](TProgressStage stage, int percent, const std::string& text) {
      reports.push_back(std::to_string(static_cast<int>(stage)) + " " + std::to_string(percent) +
                        " " + text);
    };
    bitmap.LoadFromFile(dir / name);
    return bitmap;
  }
  TInSPI& Plugin(const std::string& name) {
    return dynamic_cast<TInSPI&>(spis.Items(spis.IndexOfFileName(TestPlugin(name))));
  }

  TSPIs spis;
  TempDir dir;
  std::vector<std::string> reports;
};

void ExpectPixels(const TBitmap& bitmap, int width, const std::vector<TRGB>& pixels) {
  ASSERT_EQ(bitmap.Width(), width);
  ASSERT_EQ(bitmap.Height() * width, static_cast<int>(pixels.size()));
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    EXPECT_EQ(bitmap.Pixel(static_cast<int>(i) % width, static_cast<int>(i) / width), pixels[i])
        << "pixel " << i;
  }
}

TEST_F(PluginPictures, EveryBitDepthDecodesToItsPixels) {
  const std::vector<TRGB> two = {kRed, kBlue};
  std::vector<TRGB> sixteen(16), many(200);
  for (int i = 0; i < 16; ++i) sixteen[i] = TRGB{static_cast<uint8_t>(16 * i), 7, 9};
  for (int i = 0; i < 200; ++i) many[i] = TRGB{1, static_cast<uint8_t>(i), 2};
  struct Case {
    int width, bits;
    std::vector<TRGB> colors;  // the table
    std::string rows;
    std::vector<TRGB> pixels;
  };
  // Rows of odd lengths leave padding in the bitmap; a full table leaves its count at 0.
  const Case cases[] = {
      {9,
       1,
       two,
       "\xA5\x80\x00\x00"s,
       {kBlue, kRed, kBlue, kRed, kRed, kBlue, kRed, kBlue, kBlue,  //
        kRed, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kRed}},
      {3,
       4,
       sixteen,
       "\x0F\x70\x12\x30"s,
       {sixteen[0], sixteen[15], sixteen[7], sixteen[1], sixteen[2], sixteen[3]}},
      {3, 4, two, "\x01\x00\x10\x10"s, {kRed, kBlue, kRed, kBlue, kRed, kBlue}},
      {2, 8, many, "\x00\xC7\x05\x06"s, {many[0], many[199], many[5], many[6]}},
      {1, 24, {}, "\xFF\x00\x00\x00\xFF\x00"s, {kRed, kGreen}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bits);
    const int height = static_cast<int>(c.pixels.size()) / c.width;
    ExpectPixels(Load("p.kypx", Kypx(c.width, height, c.bits, c.colors, c.rows)), c.width,
                 c.pixels);
  }
}

TEST_F(PluginPictures, PngPicturesDecodeWithLibpng) {
  RasterImage image{3, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90}};
  WritePng(image, dir / "p.png");
  TSPIBitmap bitmap;
  bitmap.LoadFromFile(dir / "p.png");
  ExpectPixels(bitmap, 3, {kRed, kGreen, kBlue, {10, 20, 30}, {40, 50, 60}, {70, 80, 90}});
}

TEST_F(PluginPictures, APictureBehindAMacBinaryHeaderDecodesAt128Bytes) {
  const std::string picture = Kypx(1, 1, 24, {}, "\x00\xFF\x00"s);
  const std::string mac = std::string(128, 'M') + picture;
  ExpectPixels(Load("mac.kypx", mac), 1, {kGreen});
  TSPIBitmap stream;
  stream.LoadFromStreamWithName(mac, "mac.kypx");
  ExpectPixels(stream, 1, {kGreen});
  // Data shorter than the header is not offered at 128 bytes.
  EXPECT_THROW(stream.LoadFromStream(mac.substr(0, 100)), EInvalidGraphic);

  spis.MacBinary = false;
  EXPECT_THROW(Load("mac.kypx", mac), EInvalidGraphic);
  EXPECT_THROW(stream.LoadFromStream(mac), EInvalidGraphic);
  stream.LoadFromStream(picture);
  ExpectPixels(stream, 1, {kGreen});
}

TEST_F(PluginPictures, BmpFilesAreReadPlainFirstAndOtherFilesThroughThePluginsFirst) {
  const std::string bmp = RedPixelBmp();
  const std::string kypx = Kypx(1, 1, 24, {}, "\x00\x00\xFF"s);
  const std::string seeking = "1 1 Seeking enabled Susie Plugins";
  struct Case {
    const char* name;
    const std::string& bytes;
    TRGB pixel;
    bool shownToPlugins;
  };
  for (const Case& c : {Case{"a.BMP", bmp, kRed, false}, Case{"b.bmp", kypx, kBlue, true},
                        Case{"c.kypx", kypx, kBlue, true}, Case{"d.png", bmp, kRed, true}}) {
    reports.clear();
    ExpectPixels(Load(c.name, c.bytes), 1, {c.pixel});
    EXPECT_EQ(std::ranges::count(reports, seeking), c.shownToPlugins ? 1 : 0) << c.name;
  }
  EXPECT_EQ(MessageOf([this] { Load("e.png", "neither"); }), "Susie Plugins could not decode");
}

TEST_F(PluginPictures, ThePreviewComesFirstWhenAskedAndADecoderWithoutOneStillDecodes) {
  const std::string preview = "FAULTv";
  ExpectPixels(Load("p.fault", preview), 2, {kRed, kBlue});
  spis.GraphicPreview = true;
  ExpectPixels(Load("p.fault", preview), 1, {kGreen});
  ExpectPixels(Load("p.kypx", Kypx(1, 1, 24, {}, "\xFF\x00\x00"s)), 1, {kRed});
  spis.GraphicForcedLoader = &Plugin("png");
  EXPECT_THROW(Load("p.fault", preview), EInvalidGraphic);
}

TEST_F(PluginPictures, ProgressIsReportedFrom2To99WhateverThePluginCounts) {
  Load("p.kypx", Kypx(1, 2, 24, {}, std::string(6, '\0')));
  EXPECT_EQ(reports, (std::vector<std::string>{
                         "0 0 Loading Graphic by Susie Plugin", "1 1 Seeking enabled Susie Plugins",
                         "1 1 Loading by [kypx.spi]", "1 51 ", "1 99 ", "2 100 Loaded Graphic"}));
  reports.clear();
  // 1 of 0, 0 of 0, -5 of -1, 2147483647 of 1; a report for another caller is not passed on.
  Load("p.fault", "FAULTz");
  const std::vector<std::string> running(reports.begin() + 3, reports.end() - 1);
  EXPECT_EQ(running, (std::vector<std::string>{"1 2 ", "1 2 ", "1 2 ", "1 99 "}));
}

TEST_F(PluginPictures, APluginThatMisbehavesNeverHarmsTheProgram) {
  void* faulty = dlopen(TestPlugin("faulty").c_str(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_TRUE(faulty);
  const auto liveBlocks = reinterpret_cast<int32_t (*)()>(dlsym(faulty, "FaultyLiveBlocks"));
  const auto dirtyRecords = reinterpret_cast<int32_t (*)()>(dlsym(faulty, "FaultyDirtyRecords"));
  // Header shorter than a header, header or colours beyond the block, rows fewer than
  // claimed, a size beyond the bounds, a block without memory, a failure after the blocks
  // were stored: all refused. The same block twice is freed once; a failed information call
  // decides nothing.
  for (const char mode : std::string("hscbwnp")) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(MessageOf([&] { Load("p.fault", std::string("FAULT") + mode); }),
              "Susie Plugins could not decode");
    EXPECT_EQ(liveBlocks(), 0);
  }
  for (const char mode : std::string("dig")) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(Load("p.fault", std::string("FAULT") + mode).Width(), 2);
    EXPECT_EQ(liveBlocks(), 0);
  }
  EXPECT_EQ(dirtyRecords(), 0);
  dlclose(faulty);
}

}  // namespace
}  // namespace kyrovane::test
