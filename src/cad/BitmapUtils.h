#pragma once

// Shrinking of bitmaps by area averaging, so that a picture is embedded with no more pixels
// than the points it covers on the page.

#include "pdf/picture/Bitmap.h"

namespace kyrovane {

// A new bitmap of ANewWidth x ANewHeight pixels whose every pixel is the area-weighted mean of
// the source pixels it covers (a box filter); ASource is not changed. A width or height of 0
// or less gives a bitmap without pixels; a size beyond the picture bounds throws
// EInvalidGraphic. The source must have pixels (std::invalid_argument otherwise).
TBitmap ResampleBitmap(const TBitmap& ASource, int ANewWidth, int ANewHeight);

}  // namespace kyrovane
