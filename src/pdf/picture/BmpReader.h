#pragma once

// Reading of BMP file images: the Windows headers (BITMAPINFOHEADER and its V2 to V5
// extensions) and the OS/2 core header; 1, 4 and 8 bits per pixel with a colour table,
// RLE8 and RLE4 compression, 16 and 32 bits per pixel with or without bit fields, 24 bits per
// pixel; rows stored bottom-up or top-down.

#include <string_view>

#include "pdf/picture/Bitmap.h"

namespace kyrovane {

// Decodes a whole BMP file image (starting with "BM") into a 24-bit bitmap. Throws
// EInvalidGraphic for a damaged, truncated or unsupported file, and for a declared size
// beyond the picture bounds before any pixel memory is allocated. Pixels that compressed data
// skips take the first colour of the colour table.
TBitmap ReadBmp(std::string_view bytes);

}  // namespace kyrovane
