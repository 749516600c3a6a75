#include "import/DecimalText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace kyrovane {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The text without blanks around it and without a leading plus sign (from_chars takes none);
// "+-" stays as it is and is refused.
std::string_view Digits(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  return text;
}

template <class T>
std::optional<T> Parse(std::string_view text) {
  text = Digits(text);
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<long double> ParseDecimal(std::string_view text) {
  const std::optional<long double> value = Parse<long double>(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  return Parse<int32_t>(text);
}

}  // namespace kyrovane
