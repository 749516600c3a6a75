#pragma once

// Finding the special-character escapes ("^" and a code letter) in Shift-JIS text, character by
// character so that a "^" trail byte of a double-byte character is never taken for a caret and
// no character is ever split.

#include <optional>
#include <string_view>

namespace kyrovane {

// One escape in a text, each part a view into that text: head prev "^" code next rest.
struct TTextEscape {
  std::string_view head;  // everything before prev
  std::string_view prev;  // the character before the caret; empty when the caret comes first
  std::string_view code;  // the whole character after the caret
  std::string_view next;  // the character after the code
  std::string_view rest;  // everything after next
};

// The first caret of the text when a code and at least one more byte follow it; otherwise none
// (the text is then written as it is, a trailing caret and code included).
std::optional<TTextEscape> FindTextEscape(std::string_view text);

// A code that is a double-byte character is no escape letter.
inline bool IsSingleByteCode(const TTextEscape& escape) {
  return escape.code.size() == 1;
}

}  // namespace kyrovane
