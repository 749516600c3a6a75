#include "import/PictureText.h"

#include "import/DecimalText.h"

namespace kyrovane {

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

}  // namespace kyrovane
