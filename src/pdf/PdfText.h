#pragma once

// Byte-level text helpers of the PDF syntax. Text is CP932 bytes throughout.

#include <ostream>
#include <string>
#include <string_view>

namespace kyrovane {

// Writes the bytes of the text, nothing else.
void WriteStringToStream(std::string_view text, std::ostream& stream);

// Escapes the bytes that end or confuse a literal string: ( ) \ CR LF TAB BS FF.
std::string EscapeText(std::string_view text);

// Writes every byte outside 0x21..0x7E and each of # % ( ) / < > [ ] { } as #XX.
std::string EscapeName(std::string_view text);

// Two uppercase hexadecimal digits per byte.
std::string StrToHex(std::string_view bytes);

// The text as UTF-16, four uppercase hexadecimal digits per unit, high byte first.
std::string StrToUnicodeHex(std::string_view text);

// True when a character of the text starts with a lead byte of a double-byte character.
bool HasMultiByteChars(std::string_view text);

}  // namespace kyrovane
