#pragma once

// Code page 932 (Shift-JIS as Windows writes it): the byte classes that decide where a
// character begins, and conversions to and from Unicode. Drawing text and every string that
// goes into PDF text is held as CP932 bytes in std::string.

#include <cstddef>
#include <string>
#include <string_view>

namespace kyrovane::cp932 {

// Replacement for a byte sequence that has no Unicode equivalent (KATAKANA MIDDLE DOT, the
// character Windows substitutes for CP932).
inline constexpr char16_t kReplacement = u'\u30FB';

constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool IsTrailByte(unsigned char b) {
  return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Bytes taken by the character that starts at text[pos]: 2 for a lead byte with a byte after
// it, otherwise 1. A lead byte at the very end stands alone.
constexpr std::size_t CharLength(std::string_view text, std::size_t pos) {
  return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// True when text[pos] is the second byte of a double-byte character, the characters counted
// from text[0]. Only the run of lead-range bytes just before pos decides: the byte before that
// run ends a character, and the run pairs up from there.
constexpr bool IsTrailAt(std::string_view text, std::size_t pos) {
  std::size_t leads = 0;
  while (leads < pos && IsLeadByte(static_cast<unsigned char>(text[pos - leads - 1]))) ++leads;
  return leads % 2 == 1;
}

// Number of characters, a lead byte and its trail byte counting as one.
std::size_t CountChars(std::string_view text);

std::u16string ToUtf16(std::string_view text);
std::string ToUtf8(std::string_view text);

// Characters that CP932 cannot hold become '?'.
std::string FromUtf8(std::string_view utf8);

}  // namespace kyrovane::cp932
