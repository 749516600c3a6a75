#pragma once

// Shift-JIS character codes to CIDs of the Adobe-Japan1 collection, as the predefined CMaps
// "90ms-RKSJ-H" and "90msp-RKSJ-H" map them. The Japanese fonts use these lookups to find the
// width of a character, and to find the characters without a CID, which readers cannot show;
// all other text goes into the page unchanged.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kyrovane {

// Codes First..Last map to the CIDs FirstCID, FirstCID + 1, ... A single-byte code is its byte
// value, a double-byte code is lead byte * 256 + trail byte.
struct TCIDRange {
  std::uint16_t First;
  std::uint16_t Last;
  std::uint16_t FirstCID;
};

// A lookup routine: the CID of the character at byte index position of text (0-based).
using TCharToCID = int (*)(std::string_view text, std::size_t position);

// The CID of the character at text[position]: -1 for the trail byte of a double-byte
// character, 0 for a code outside the table (also for a position past the end). A lead byte
// at the very end of the text is read as lead * 256 + 0, which no range holds.
int CharToCID90ms(std::string_view text, std::size_t position);
// Like CharToCID90ms, with printable ASCII (0x20 to 0x7E) mapped to the proportional CIDs 1
// to 95.
int CharToCID90msp(std::string_view text, std::size_t position);

// The 171 ranges of each table, in search order: the first range holding a code decides.
std::span<const TCIDRange> CIDRanges90ms();
std::span<const TCIDRange> CIDRanges90msp();

}  // namespace kyrovane
