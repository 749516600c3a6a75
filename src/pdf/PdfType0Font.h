#pragma once

// Composite (Type0) fonts with one CID font below them: the font measures a character by
// mapping its code to a CID and looking the CID up in the runs of the CID font's "W" array.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfFonts.h"
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

class TPdfType0Font : public TPdfFont {
 public:
  // Binds the font dictionary and reads the default width "DW" of its first descendant, the
  // "MissingWidth" of that descendant's descriptor and the runs of its "W" array. A malformed
  // "W" array raises EPdfInvalidValue.
  void SetData(TPdfDictionary* data) override;

  // 0 for the trail byte of a double-byte character, so that the character counts once at its
  // lead byte. A CID without a width takes MissingWidth for a single-byte character and DW for
  // a double-byte one.
  int GetCharWidth(std::string_view text, std::size_t pos) const override;

  // A character whose code has no CID (a control byte, a byte that starts no character, a lead
  // byte and a byte after it that make no character, a lead byte at the very end) becomes the
  // middle dot that Windows shows for such bytes: the half-width dot for a single byte, the
  // full-width one for a pair, so the text keeps its length and every character its place in it.
  std::string ShowableText(std::string_view text) const override;

  void SetCharToCID(TCharToCID charToCID) { charToCID_ = charToCID; }

  const std::vector<TPdfCIDWidthItem>& Widths() const { return widths_; }
  std::uint16_t DW() const { return dw_; }
  std::uint16_t MissingWidth() const { return missingWidth_; }

 protected:
  using TPdfFont::TPdfFont;

 private:
  TCharToCID charToCID_ = nullptr;
  std::vector<TPdfCIDWidthItem> widths_;
  std::uint16_t dw_ = 0;
  std::uint16_t missingWidth_ = 0;
};

}  // namespace kyrovane
