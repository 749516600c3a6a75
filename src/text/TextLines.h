#pragma once

// Line-based text files (profiles and lists): the byte-order mark that some editors put before
// the first line, and the line breaks that no value written into such a file may hold, or it
// would read back as two lines.

#include <string_view>

namespace kyrovane {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The text without the byte-order marks it starts with.
constexpr std::string_view WithoutByteOrderMark(std::string_view Text) {
  while (Text.starts_with(kUtf8ByteOrderMark)) Text.remove_prefix(kUtf8ByteOrderMark.size());
  return Text;
}

// Whether the text holds a CR or an LF.
constexpr bool HasLineBreak(std::string_view Text) {
  return Text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace kyrovane
