#pragma once

// The text headers of the older drawing and parts formats: short strings taken by position, and
// comma-separated decimal fields.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyrovane {

// The short string of at most `length` bytes that starts at `first` (0-based) in a header text or
// a name field, ending at the first NUL byte.
std::string ShortText(std::string_view block, std::size_t first, std::size_t length);

// Splits S into N fields, all "0" at first: the text before each comma fills the next field,
// the text after the last comma the one after it; stops after N fields or when nothing follows a
// comma.
std::vector<std::string> SplitCommaFields(std::string_view S, int N);

// A decimal number of a header field: it ends at the first NUL byte; blanks around it are
// allowed. Nothing when the field is not such a number or does not fit.
std::optional<int32_t> ParseHeaderInt(std::string_view S);
std::optional<long double> ParseHeaderFloat(std::string_view S);

// The same whole number, 0 when the field does not convert.
int32_t SafeStrToInt(std::string_view S);

}  // namespace kyrovane
