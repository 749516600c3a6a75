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

// Takes the first line off Text, without its CRLF or LF; false when Text is empty. A last line
// without a break counts.
constexpr bool TakeLine(std::string_view& Text, std::string_view& Line) {
  if (Text.empty()) return false;
  const std::size_t end = Text.find('\n');
  Line = Text.substr(0, end);
  if (Line.ends_with('\r')) Line.remove_suffix(1);
  Text.remove_prefix(end == std::string_view::npos ? Text.size() : end + 1);
  return true;
}

// Whether the text holds a CR or an LF.
constexpr bool HasLineBreak(std::string_view Text) {
  return Text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace kyrovane
