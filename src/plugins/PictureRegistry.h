#pragma once

// The picture formats known to the program: for a file extension, a description and the
// picture class that opens such files. The registrations are process-wide.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "pdf/picture/Graphic.h"

namespace kyrovane {

// A picture class: makes an empty picture of that class.
using TGraphicClass = std::unique_ptr<TGraphic> (*)();

struct TPictureFormat {
  std::string Extension;  // without the dot
  std::string Description;
  TGraphicClass GraphicClass = nullptr;
};

// Registers the extension; a newer registration of an extension hides the older ones.
void RegisterFileFormat(std::string_view Extension, std::string_view Description,
                        TGraphicClass AClass);

// Removes every registration of the class.
void UnregisterGraphicClass(TGraphicClass AClass);

// The newest registration of the extension (without the dot, ASCII case ignored).
std::optional<TPictureFormat> FindFileFormat(std::string_view Extension);

}  // namespace kyrovane
