#include "reader_text.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace kyrovane::test {
namespace {

// The values that a reader gives for a glyph of the collection, where they differ between the
// readers or from code page 932, each with the character that code page 932 gives the code. In
// order: "-", "_", "`", "|" and "~" of the fixed and of the proportional faces; code 0x5C, which
// the collection draws as a yen sign; double-byte codes; the vertical forms that poppler gives
// in vertical writing.
constexpr std::pair<std::string_view, std::string_view> kAsTyped[] = {
    {"\u2011", "-"},      {"\u0332", "_"},      {"\u0300", "`"},      {"\uFFE8", "|"},
    {"\u00A6", "|"},      {"\u02DC", "~"},      {"\u0303", "~"},      {"\u00A5", "\\"},
    {"\u2212", "\uFF0D"}, {"\u301C", "\uFF5E"}, {"\u203E", "\uFFE3"}, {"\u00A2", "\uFFE0"},
    {"\u00A3", "\uFFE1"}, {"\u00AC", "\uFFE2"}, {"\u0361", "\u2312"}, {"\u2016", "\u2225"},
    {"\u301E", "\u301F"}, {"\uFE10", "\uFF0C"}, {"\uFE11", "\u3001"}, {"\uFE12", "\u3002"},
    {"\uFE31", "\u2015"}, {"\uFE32", "\u2010"}, {"\uFE33", "\uFF3F"}, {"\uFE35", "\uFF08"},
    {"\uFE36", "\uFF09"}, {"\uFE37", "\uFF5B"}, {"\uFE38", "\uFF5D"}, {"\uFE39", "\u3014"},
    {"\uFE3A", "\u3015"}, {"\uFE3B", "\u3010"}, {"\uFE3C", "\u3011"}, {"\uFE3D", "\u300A"},
    {"\uFE3E", "\u300B"}, {"\uFE3F", "\u3008"}, {"\uFE40", "\u3009"}, {"\uFE41", "\u300C"},
    {"\uFE42", "\u300D"}, {"\uFE43", "\u300E"}, {"\uFE44", "\u300F"}, {"\uFE47", "\uFF3B"},
    {"\uFE48", "\uFF3D"}, {"\u205D", "\u2026"}, {"\u205A", "\u2025"}};

// Blanks: ASCII white space, the no-break blank poppler gives for a proportional blank, and
// the full-width blank.
bool IsBlank(std::string_view character) {
  return (character.size() == 1 &&
          std::string_view(" \t\n\v\f\r").find(character[0]) != std::string_view::npos) ||
         character == "\u00A0" || character == "\u3000";
}

// The characters of a UTF-8 text, each as its bytes.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> characters;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    characters.push_back(text.substr(at, end - at));
    at = end;
  }
  return characters;
}

std::map<std::string_view, int> Counts(std::string_view text) {
  std::map<std::string_view, int> counts;
  for (std::string_view character : Characters(text)) ++counts[character];
  return counts;
}

// The text of every page of the file as the reader gives it back, UTF-8. The reader must
// succeed without a word on standard error.
std::string ReadText(const std::filesystem::path& path, TRenderer reader) {
  const std::string file = ShellQuote(path.string());
  const std::string command =
      reader == TRenderer::Poppler ? "pdftotext -enc UTF-8 " + file + " -"
      : reader == TRenderer::Mupdf
          ? "mutool draw -q -N -F txt " + file
          : "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=- " + file;
  const CommandResult result = Run(command);
  EXPECT_EQ(result.exitCode, 0) << RendererName(reader) << " " << path;
  EXPECT_EQ(result.err, "") << RendererName(reader) << " " << path;
  return result.out;
}

}  // namespace

std::string AsTyped(const std::string& text) {
  std::string typed;
  for (std::string_view character : Characters(text)) {
    if (IsBlank(character)) continue;
    for (const auto& [given, code] : kAsTyped) {
      if (character == given) {
        character = code;
        break;
      }
    }
    typed += character;
  }
  return typed;
}

std::string MissingCharacters(const std::string& expected, const std::string& given, bool once) {
  std::map<std::string_view, int> counts = Counts(given);
  std::string missing;
  for (const auto& [character, count] : Counts(expected)) {
    if (counts[character] < (once ? 1 : count)) missing += std::string(character) + ' ';
  }
  return missing;
}

std::map<TRenderer, std::string> ExpectReadersGiveBackTheText(const std::filesystem::path& path) {
  std::map<TRenderer, std::string> typed;
  for (TRenderer reader : kRenderers) {
    const std::string text = ReadText(path, reader);
    EXPECT_EQ(text.find("\uFFFD"), std::string::npos) << RendererName(reader) << " " << path;
    typed[reader] = AsTyped(text);
  }
  for (TRenderer reader : {TRenderer::Mupdf, TRenderer::Ghostscript}) {
    EXPECT_EQ(MissingCharacters(typed[TRenderer::Poppler], typed[reader]), "")
        << RendererName(reader) << " " << path;
  }
  return typed;
}

}  // namespace kyrovane::test
