#include "pdf/TextEscape.h"

#include "text/cp932.h"

namespace kyrovane {

std::optional<TTextEscape> FindTextEscape(std::string_view text) {
  std::size_t prevStart = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += cp932::CharLength(text, pos)) {
    if (text[pos] != '^') {
      prevStart = pos;
      continue;
    }
    const std::size_t codeStart = pos + 1;
    if (codeStart >= text.size()) return std::nullopt;
    const std::size_t nextStart = codeStart + cp932::CharLength(text, codeStart);
    if (nextStart >= text.size()) return std::nullopt;
    const std::size_t restStart = nextStart + cp932::CharLength(text, nextStart);
    const std::size_t prevBegin = pos == 0 ? 0 : prevStart;
    return TTextEscape{text.substr(0, prevBegin), text.substr(prevBegin, pos - prevBegin),
                       text.substr(codeStart, nextStart - codeStart),
                       text.substr(nextStart, restStart - nextStart), text.substr(restStart)};
  }
  return std::nullopt;
}

}  // namespace kyrovane
