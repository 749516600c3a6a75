#pragma once

// Character widths of the Japanese fonts, in thousandths of the font size, as written in the
// "W" arrays of their CID fonts. No font program is embedded, so these are the metrics of the
// faces that viewers substitute.

#include <cstdint>
#include <span>

namespace kyrovane {

// Fixed-pitch fonts: the half-width forms, CIDs 231..631, are 500 wide; every other CID takes
// the font's default width of 1000.
inline constexpr int kHalfWidthFirstCID = 231;
inline constexpr int kHalfWidthLastCID = 631;
inline constexpr int kHalfWidth = 500;

// Consecutive CIDs from StartCID with their widths, one "start [w1 w2 ...]" entry of a "W"
// array.
struct TJpWidthRun {
  int StartCID;
  std::span<const std::uint16_t> Widths;
};

// Proportional fonts, Gothic and Mincho alike: the proportional Roman characters, half-width
// katakana, and the full-width symbols, digits, Latin letters, kana and Greek letters whose
// glyphs are narrower than the em.
std::span<const TJpWidthRun> ProportionalWidthRuns();

}  // namespace kyrovane
