#pragma once

// Pictures in drawings: a text "^@BM" + the picture file's path + "," + width + "," + height
// (mm) stands for the picture.

#include <optional>
#include <string>
#include <string_view>

namespace kyrovane {

inline constexpr std::string_view kPictureMarker = "^@BM";

struct TPictureText {
  std::string Path;  // a Windows path in code page 932, as the drawing holds it
  long double Width = 0;
  long double Height = 0;
};

// The picture of a text that begins with the marker and whose width and height are finite
// decimal numbers; nothing for any other text.
std::optional<TPictureText> ParsePictureText(std::string_view text);

}  // namespace kyrovane
