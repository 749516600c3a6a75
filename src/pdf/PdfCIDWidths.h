#pragma once

// Widths of the characters of a composite font, found through the font's code-to-CID lookup
// and the runs of its "W" array.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "pdf/PdfJpCMap.h"

namespace kyrovane {

// One run of equal-width CIDs; Width in thousandths of the font size.
struct TPdfCIDWidthItem {
  std::int32_t StartCID;
  std::int32_t EndCID;
  std::uint16_t Width;
};

// The Width of the first run that ends at or after cid, when that run also starts at or
// before it; 0 otherwise.
std::uint16_t CIDWidth(std::span<const TPdfCIDWidthItem> widths, int cid);

// The width of the character at text[position]: 0 for a trail byte, so that a double-byte
// character counts once; a CID without width takes missingWidth for a single-byte character
// and the default width dw for a double-byte one (a lead byte at the very end included).
int CharWidthByCID(TCharToCID charToCID, std::span<const TPdfCIDWidthItem> widths, std::uint16_t dw,
                   std::uint16_t missingWidth, std::string_view text, std::size_t position);

}  // namespace kyrovane
