#include "pdf/picture/JpegImage.h"

#include <vector>

#include "pdf/picture/JpegSession.h"

namespace kyrovane {
namespace {

uint8_t Product(unsigned a, unsigned b) {
  return static_cast<uint8_t>((a * b + 127) / 255);
}

// Naive CMYK to RGB: each ink takes away its share of the light the black ink leaves.
void CmykRowToRgb(const uint8_t* cmyk, int width, bool inverted, uint8_t* rgb) {
  for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    rgb[0] = Product(c, k);
    rgb[1] = Product(m, k);
    rgb[2] = Product(y, k);
  }
}

}  // namespace

TJpegInfo ProbeJpeg(std::string_view bytes) {
  jpeg::TSession session(bytes);
  TJpegInfo info;
  session.Guarded([&] { info = session.ReadHeader(); });
  return info;
}

TBitmap DecodeJpeg(std::string_view bytes) {
  TBitmap bitmap;
  std::vector<uint8_t> cmykRow;
  jpeg::TSession session(bytes);
  session.Guarded([&] {
    const TJpegInfo info = session.ReadHeader();
    jpeg_decompress_struct& cinfo = session.Decompressor();
    const bool cmyk = info.ColorSpace == TJpegColorSpace::CMYK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    bitmap.SetSize(info.Width, info.Height);
    if (cmyk) cmykRow.resize(static_cast<std::size_t>(info.Width) * 4);
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width != cinfo.image_width || cinfo.output_height != cinfo.image_height ||
        cinfo.output_components != (cmyk ? 4 : 3)) {
      throw EInvalidGraphic("JPEG: unexpected output format");
    }
    while (cinfo.output_scanline < cinfo.output_height) {
      const int y = static_cast<int>(cinfo.output_scanline);
      JSAMPROW row = cmyk ? cmykRow.data() : bitmap.ScanLine(y);
      if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) throw EInvalidGraphic("JPEG: no scan line");
      if (cmyk) CmykRowToRgb(cmykRow.data(), info.Width, info.AdobeInverted, bitmap.ScanLine(y));
    }
    // Reading on to the end marker is what tells a complete file from a truncated one.
    jpeg_finish_decompress(&cinfo);
  });
  return bitmap;
}

void TJPEGImage::LoadFromStream(std::string_view bytes) {
  TJpegInfo info = ProbeJpeg(bytes);
  data_.assign(bytes);
  info_ = info;
}

}  // namespace kyrovane
