#pragma once

// Numbers written as decimal text in drawings and settings files.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kyrovane {

// A decimal number (sign, fraction and exponent allowed, blanks around it ignored) that takes
// the whole text and is finite; nothing otherwise.
std::optional<long double> ParseDecimal(std::string_view text);

// A whole decimal number within 32 bits (sign allowed, blanks around it ignored) that takes the
// whole text; nothing otherwise.
std::optional<int32_t> ParseInteger(std::string_view text);

}  // namespace kyrovane
