#include "jpeg_samples.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace kyrovane::test {
namespace {

struct TEncoding {
  int width = 16;
  int height = 8;
  int components = 3;
  J_COLOR_SPACE input = JCS_RGB;
  J_COLOR_SPACE stored = JCS_YCbCr;
  bool adobeMarker = true;  // CMYK only; libjpeg's default for CMYK and YCCK
  bool progressive = false;
  bool subsampled = false;  // libjpeg's default 2 × 2 chroma sampling instead of none
  int restartRows = 0;
  std::vector<jpeg_scan_info> scans;           // a progression of its own instead of libjpeg's
  std::array<std::vector<uint8_t>, 2> halves;  // the samples of one pixel of each half
};

void FailEncoding(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, message);
  std::fprintf(stderr, "test JPEG encoding failed: %s\n", message);
  std::abort();
}

std::string Encode(const TEncoding& e) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  errors.error_exit = FailEncoding;
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = e.width;
  cinfo.image_height = e.height;
  cinfo.input_components = e.components;
  cinfo.in_color_space = e.input;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, e.stored);
  if (e.components == 4) cinfo.write_Adobe_marker = e.adobeMarker;
  for (int c = 0; c < cinfo.num_components && !e.subsampled; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  cinfo.restart_in_rows = e.restartRows;
  jpeg_set_quality(&cinfo, 100, TRUE);
  if (e.progressive) jpeg_simple_progression(&cinfo);
  if (!e.scans.empty()) {
    cinfo.scan_info = e.scans.data();
    cinfo.num_scans = static_cast<int>(e.scans.size());
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(static_cast<std::size_t>(e.width) * e.components);
  for (int x = 0; x < e.width; ++x) {
    const auto& pixel = e.halves[x < e.width / 2 ? 0 : 1];
    std::copy(pixel.begin(), pixel.end(), row.begin() + x * e.components);
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

TJpegInfo Info(TJpegColorSpace space, int components, bool inverted = false,
               bool progressive = false) {
  TJpegInfo info;
  info.Width = 16;
  info.Height = 8;
  info.Components = components;
  info.ColorSpace = space;
  info.AdobeInverted = inverted;
  info.Progressive = progressive;
  return info;
}

TJpegSample Gray() {
  TEncoding e;
  e.components = 1;
  e.input = JCS_GRAYSCALE;
  e.stored = JCS_GRAYSCALE;
  e.halves = {{{40}, {200}}};
  return {"gray.jpg", Encode(e), Info(TJpegColorSpace::Gray, 1), {{{40, 40, 40}, {200, 200, 200}}}};
}

TJpegSample Rgb(std::string name, J_COLOR_SPACE stored, bool progressive) {
  TEncoding e;
  e.stored = stored;
  e.progressive = progressive;
  e.halves = {{{200, 30, 40}, {20, 60, 220}}};
  return {std::move(name),
          Encode(e),
          Info(TJpegColorSpace::RGB, 3, false, progressive),
          {{{200, 30, 40}, {20, 60, 220}}}};
}

// Cyan 25 % with black 50 %, and magenta plus yellow at full strength without black. Adobe's
// programs store ink amounts inverted (255 = no ink), and readers expect that whenever the
// Adobe marker is present.
TJpegSample Cmyk(std::string name, J_COLOR_SPACE stored, bool adobe) {
  TEncoding e;
  e.components = 4;
  e.input = JCS_CMYK;
  e.stored = stored;
  e.adobeMarker = adobe;
  if (adobe) {
    e.halves = {{{191, 255, 255, 127}, {255, 0, 0, 255}}};
  } else {
    e.halves = {{{64, 0, 0, 128}, {0, 255, 255, 0}}};
  }
  // Left: red and green and blue = (1 − ink) × (1 − black) = 191 × 127 / 255, 127, 127.
  return {std::move(name),
          Encode(e),
          Info(TJpegColorSpace::CMYK, 4, adobe),
          {{{95, 127, 127}, {255, 0, 0}}}};
}

}  // namespace

std::vector<TJpegSample> JpegSamples() {
  return {
      Gray(),
      Rgb("ycbcr.jpg", JCS_YCbCr, false),
      Rgb("rgb.jpg", JCS_RGB, false),
      Rgb("progressive.jpg", JCS_YCbCr, true),
      Cmyk("cmyk-adobe.jpg", JCS_CMYK, true),
      Cmyk("cmyk-plain.jpg", JCS_CMYK, false),
      Cmyk("ycck-adobe.jpg", JCS_YCCK, true),
  };
}

std::string RgbJpeg(int width, int height, bool progressive) {
  TEncoding e;
  e.width = width;
  e.height = height;
  e.progressive = progressive;
  e.halves = {{{255, 0, 0}, {0, 0, 255}}};
  return Encode(e);
}

std::string SubsampledJpeg() {
  TEncoding e;
  e.width = 32;
  e.height = 16;
  e.subsampled = true;
  e.restartRows = 1;
  e.halves = {{{30, 160, 90}, {250, 250, 250}}};
  return Encode(e);
}

std::string ManyScansJpeg(int components) {
  TEncoding e;
  e.components = components;
  e.input = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  e.stored = components == 1 ? JCS_GRAYSCALE : JCS_YCbCr;
  e.halves = {std::vector<uint8_t>(components, 90), std::vector<uint8_t>(components, 160)};
  // All DC coefficients in one scan, then every AC coefficient of every component alone.
  jpeg_scan_info dc{};
  dc.comps_in_scan = components;
  for (int c = 0; c < components; ++c) dc.component_index[c] = c;
  e.scans.push_back(dc);
  for (int c = 0; c < components; ++c) {
    for (int k = 1; k < 64; ++k) {
      jpeg_scan_info ac{};
      ac.comps_in_scan = 1;
      ac.component_index[0] = c;
      ac.Ss = k;
      ac.Se = k;
      e.scans.push_back(ac);
    }
  }
  return Encode(e);
}

std::string TwoComponentJpeg() {
  TEncoding e;
  e.components = 2;
  e.input = JCS_UNKNOWN;
  e.stored = JCS_UNKNOWN;
  e.halves = {{{10, 20}, {30, 40}}};
  return Encode(e);
}

std::string WithSize(std::string jpeg, int width, int height) {
  std::size_t sof = jpeg.find("\xFF\xC0");
  if (sof == std::string::npos) sof = jpeg.find("\xFF\xC2");
  jpeg[sof + 5] = static_cast<char>(height >> 8);
  jpeg[sof + 6] = static_cast<char>(height);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width);
  return jpeg;
}

}  // namespace kyrovane::test
