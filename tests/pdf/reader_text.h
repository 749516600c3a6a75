#pragma once

// The text that the PDF readers give back from a file: poppler's pdftotext, mupdf's text
// device and ghostscript's txtwrite.
//
// The Japanese fonts name no Unicode characters of their own, so each reader takes a
// character's Unicode value from its own table of the Adobe-Japan1 collection, and for a few
// glyphs the tables differ: poppler gives the fixed faces' "-" as U+2011 and, in vertical
// writing, the brackets as their vertical forms; mupdf gives the full-width minus as U+FF0D
// where the others give U+2212. The text "as typed" counts each such value as the character
// that code page 932 gives the drawing's code.

#include <filesystem>
#include <map>
#include <string>

#include "pdf_test_support.h"

namespace kyrovane::test {

// A reader's text as typed, blanks of every width left out.
std::string AsTyped(const std::string& text);

// The characters that `given` holds fewer times than `expected` does (both UTF-8), each
// followed by a blank; with `once`, the characters that `given` does not hold at all.
std::string MissingCharacters(const std::string& expected, const std::string& given,
                              bool once = false);

// Every reader gives back text without U+FFFD, and mupdf and ghostscript give back every
// character that poppler gives back (as typed; they may give more, for they also read text
// that lies off the page). Returns each reader's text as typed.
std::map<TRenderer, std::string> ExpectReadersGiveBackTheText(const std::filesystem::path& path);

}  // namespace kyrovane::test
