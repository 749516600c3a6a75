#pragma once

// The seam through which pictures of other formats than BMP and JPEG reach the image entity:
// the picture plug-in loader installs its decoder here, and until one is installed every such
// picture fails with "no decoder" (and is not drawn).

#include <filesystem>
#include <functional>

#include "pdf/picture/Bitmap.h"

namespace kyrovane {

// Decodes a picture file into a bitmap; throws EInvalidGraphic when it cannot.
using TPluginPictureLoader = std::function<TBitmap(const std::filesystem::path& AFileName)>;

// Installs the loader for the whole process; an empty one removes it.
void SetPluginPictureLoader(TPluginPictureLoader ALoader);

// Decodes the file with the installed loader; EInvalidGraphic "no decoder" without one.
TBitmap LoadPluginPicture(const std::filesystem::path& AFileName);

}  // namespace kyrovane
