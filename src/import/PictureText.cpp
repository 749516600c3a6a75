#include "import/PictureText.h"

#include <algorithm>
#include <system_error>

#include "import/DecimalText.h"
#include "text/AsciiCase.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

// The entry of folder whose name equals name without regard to case.
std::optional<fs::path> FindEntry(const fs::path& folder, const fs::path& name) {
  std::error_code error;
  if (fs::exists(folder / name, error)) return folder / name;
  fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
  if (error) return std::nullopt;
  for (const fs::directory_entry& entry : entries) {
    if (EqualIgnoringAsciiCase(entry.path().filename().native(), name.native())) {
      return folder / entry.path().filename();
    }
  }
  return std::nullopt;
}

// The file at path, each part of the path matched without regard to case.
std::optional<fs::path> FindFile(const fs::path& path) {
  std::error_code error;
  if (path.filename().empty()) return std::nullopt;
  if (fs::is_regular_file(path, error)) return path;
  fs::path found = path.root_path();
  for (const fs::path& part : path.relative_path()) {
    if (part == "." || part == "..") {
      found /= part;
      continue;
    }
    const std::optional<fs::path> entry = FindEntry(found, part);
    if (!entry) return std::nullopt;
    found = *entry;
  }
  if (!fs::is_regular_file(found, error)) return std::nullopt;
  return found;
}

}  // namespace

std::optional<TPictureText> ParsePictureText(std::string_view text) {
  if (!text.starts_with(kPictureMarker)) return std::nullopt;
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::string_view rest = text.substr(comma + 1);
  const std::size_t sizeComma = rest.find(',');
  if (sizeComma == std::string_view::npos) return std::nullopt;
  const std::optional<long double> width = ParseDecimal(rest.substr(0, sizeComma));
  const std::optional<long double> height = ParseDecimal(rest.substr(sizeComma + 1));
  if (!width || !height) return std::nullopt;
  const std::string_view path = text.substr(kPictureMarker.size(), comma - kPictureMarker.size());
  return TPictureText{std::string(path), *width, *height};
}

fs::path ResolvePicturePath(std::string_view path, const std::string& drawingPath) {
  // Convert before splitting: in code page 932 a backslash byte can be the second byte of a
  // double-byte character.
  std::string written = cp932::ToUtf8(path);
  std::ranges::replace(written, '\\', '/');
  const fs::path folder = fs::path(drawingPath).parent_path();
  fs::path file(written);
  if (written.find(':') == std::string::npos) {
    file = folder / fs::path(written).relative_path();
  }
  if (const std::optional<fs::path> found = FindFile(file)) return *found;
  if (const std::optional<fs::path> found = FindFile(folder / fs::path(written).filename())) {
    return *found;
  }
  return file;
}

}  // namespace kyrovane
