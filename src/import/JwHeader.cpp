#include "import/JwHeader.h"

#include "import/DecimalText.h"

namespace kyrovane {
namespace {

// A number's text ends at the first NUL.
std::string_view NumberText(std::string_view S) {
  return S.substr(0, S.find('\0'));
}

}  // namespace

std::string ShortText(std::string_view block, std::size_t first, std::size_t length) {
  if (first >= block.size()) return {};
  std::string_view text = block.substr(first, length);
  return std::string(text.substr(0, text.find('\0')));
}

std::vector<std::string> SplitCommaFields(std::string_view S, int N) {
  std::vector<std::string> fields(N > 0 ? static_cast<std::size_t>(N) : 0, "0");
  std::size_t next = 0;
  while (next < fields.size()) {
    std::size_t comma = S.find(',');
    if (comma == std::string_view::npos) {
      if (!S.empty()) fields[next] = std::string(S);
      break;
    }
    fields[next++] = std::string(S.substr(0, comma));
    S.remove_prefix(comma + 1);
    if (S.empty()) break;
  }
  return fields;
}

std::optional<int32_t> ParseHeaderInt(std::string_view S) {
  return ParseInteger(NumberText(S));
}

std::optional<long double> ParseHeaderFloat(std::string_view S) {
  return ParseDecimal(NumberText(S));
}

int32_t SafeStrToInt(std::string_view S) {
  return ParseHeaderInt(S).value_or(0);
}

}  // namespace kyrovane
