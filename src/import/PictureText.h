#pragma once

// Pictures in drawings: a text "^@BM" + the picture file's path + "," + width + "," + height
// (mm) stands for the picture, and the path is a Windows path written where the drawing was
// made.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kyrovane {

inline constexpr std::string_view kPictureMarker = "^@BM";

struct TPictureText {
  std::string Path;  // code page 932 bytes, as written
  long double Width = 0;
  long double Height = 0;
};

// The picture of a text that begins with the marker and whose width and height are finite
// decimal numbers; nothing for any other text.
std::optional<TPictureText> ParsePictureText(std::string_view text);

// Where the picture file of a drawing's picture path is: a path without a drive or folder
// root is taken from the drawing's own folder. Backslashes are folder separators and names
// match without regard to case; a picture not found as written is looked up by its file name
// in the drawing's folder. A picture found nowhere keeps the path as written.
std::filesystem::path ResolvePicturePath(std::string_view path, const std::string& drawingPath);

}  // namespace kyrovane
