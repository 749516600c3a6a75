#pragma once

// JPEG pictures on libjpeg: the picture class that keeps a JPEG file's data unchanged (for
// embedding as it is) and knows its size and colour space from the headers alone, and the
// full decoding of JPEG data into a 24-bit bitmap.

#include <string>
#include <string_view>

#include "pdf/picture/Bitmap.h"
#include "pdf/picture/Graphic.h"

namespace kyrovane {

// The colours a JPEG picture stores, by its component count: 1 gray, 3 red, green and blue
// (usually coded as YCbCr), 4 cyan, magenta, yellow and black (possibly coded as YCCK).
enum class TJpegColorSpace { Gray, RGB, CMYK };

struct TJpegInfo {
  int Width = 0;
  int Height = 0;
  int Components = 0;
  TJpegColorSpace ColorSpace = TJpegColorSpace::RGB;
  // A CMYK picture with an Adobe marker: as written by Adobe's programs its values are
  // inverted (0 = full ink), so a reader of the data must map them back.
  bool AdobeInverted = false;
  bool Progressive = false;
};

// Reads the headers of JPEG data up to its first scan, without decoding any pixels. Throws
// EInvalidGraphic for data that is not a JPEG picture, damaged or truncated headers, a
// component count other than 1, 3 or 4, and a size beyond the picture bounds.
TJpegInfo ProbeJpeg(std::string_view bytes);

// Decodes JPEG data completely into a bitmap. CMYK pictures are converted to RGB without a
// colour profile. Throws EInvalidGraphic as ProbeJpeg does, and also for damaged or truncated
// image data (a file without its end marker counts as truncated); harmless oddities (stray
// bytes between markers, unknown version numbers) are accepted. libjpeg prints nothing.
TBitmap DecodeJpeg(std::string_view bytes);

class TJPEGImage : public TGraphic {
 public:
  int Width() const override { return info_.Width; }
  int Height() const override { return info_.Height; }
  bool Empty() const override { return data_.empty(); }

  // Keeps the data unchanged after ProbeJpeg has accepted it.
  void LoadFromStream(std::string_view bytes) override;

  // The JPEG data exactly as loaded.
  const std::string& Data() const { return data_; }
  const TJpegInfo& Info() const { return info_; }

 private:
  std::string data_;
  TJpegInfo info_;
};

}  // namespace kyrovane
