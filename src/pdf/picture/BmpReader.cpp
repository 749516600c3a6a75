#include "pdf/picture/BmpReader.h"

#include "pdf/picture/BmpFormat.h"

namespace kyrovane {

TBitmap ReadBmp(std::string_view bytes) {
  bmp::TLayout layout = bmp::ReadLayout(bytes);
  TBitmap bitmap(layout.width, layout.height);
  if (layout.coding == bmp::TCoding::Rle8 || layout.coding == bmp::TCoding::Rle4) {
    bmp::DecodeRle(bytes, layout, bitmap);
  } else {
    bmp::DecodeRows(bytes, layout, bitmap);
  }
  return bitmap;
}

}  // namespace kyrovane
