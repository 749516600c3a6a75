#pragma once

// Comparing names without regard to the case of the letters A..Z, as Windows compares file
// names and profile keys. Other bytes compare as they are.

#include <algorithm>
#include <string_view>

namespace kyrovane {

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace kyrovane
