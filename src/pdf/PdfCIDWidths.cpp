#include "pdf/PdfCIDWidths.h"

#include "text/cp932.h"

namespace kyrovane {

std::uint16_t CIDWidth(std::span<const TPdfCIDWidthItem> widths, int cid) {
  for (const TPdfCIDWidthItem& item : widths) {
    if (item.EndCID >= cid) return item.StartCID <= cid ? item.Width : 0;
  }
  return 0;
}

int CharWidthByCID(TCharToCID charToCID, std::span<const TPdfCIDWidthItem> widths, std::uint16_t dw,
                   std::uint16_t missingWidth, std::string_view text, std::size_t position) {
  if (position >= text.size()) return 0;
  const int cid = charToCID(text, position);
  if (cid < 0) return 0;
  const std::uint16_t width = CIDWidth(widths, cid);
  if (width != 0) return width;
  return cp932::IsLeadByte(static_cast<unsigned char>(text[position])) ? dw : missingWidth;
}

}  // namespace kyrovane
