#pragma once

// Running the conversion tool in the end-to-end tests, comparing what it made with the reviewed
// renders and operator counts kept in the test data, and reading its text back.

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace kyrovane::test {

// convert-drawing INPUT OUTPUT followed by the options.
CommandResult ConvertDrawing(const std::filesystem::path& input,
                             const std::filesystem::path& output, const std::string& options = "");

// Writes a settings file of the given [Environment] lines into `folder`; returns the option
// that hands it to the tool.
std::string SettingsOption(const std::filesystem::path& folder, const std::string& environment);

// Renders the first page of `pdf` at `dpi`, in grey or in colour, and compares it with the
// reviewed render `reference`. Renders differ between renderer versions in edges and glyph shapes;
// a line or a text that is missing or misplaced changes far more. When more than `allowedShare` of
// the pixels differ, the render is kept in the current folder under the reference's name, for a
// reviewer to look at and, if right, to take as the reference.
void ExpectLooksLikeReviewedRender(const std::filesystem::path& pdf,
                                   const std::filesystem::path& reference, int dpi,
                                   double allowedShare, bool colour = false);

// The operator counts of `pdf` equal the line of `stem` in the reviewed list `list`.
void ExpectReviewedCensus(const std::filesystem::path& pdf, const std::filesystem::path& list,
                          const std::string& stem);

// Every reader gives back the file's text (ExpectReadersGiveBackTheText) with the characters of
// the texts (code page 932) in it as typed: mupdf and ghostscript as often as the texts hold
// them, poppler each at least once (it drops a character drawn over the same one) and without
// the fixed faces' "~", for which its table of the collection has no character. (The readers
// order the pieces of vertical texts, and ghostscript those of texts at about the same height,
// each in its own way, so their words are not compared.)
void ExpectEveryReaderGivesBackTheTexts(const std::filesystem::path& pdf,
                                        const std::vector<std::string>& texts);

}  // namespace kyrovane::test
