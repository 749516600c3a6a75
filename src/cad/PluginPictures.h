#pragma once

// The seam through which pictures of other formats than BMP and JPEG reach the image entity:
// they are decoded by the plug-in bitmap class (through the picture plug-ins that the plug-in
// manager has loaded, or as a plain BMP file), unless another loader is installed here.

#include <filesystem>
#include <functional>

#include "pdf/picture/Bitmap.h"

namespace kyrovane {

// Decodes a picture file into a bitmap; throws EInvalidGraphic when it cannot.
using TPluginPictureLoader = std::function<TBitmap(const std::filesystem::path& AFileName)>;

// Installs the loader for the whole process; an empty one brings the plug-in bitmap class back.
void SetPluginPictureLoader(TPluginPictureLoader ALoader);

// Decodes the file with the installed loader or the plug-in bitmap class.
TBitmap LoadPluginPicture(const std::filesystem::path& AFileName);

}  // namespace kyrovane
