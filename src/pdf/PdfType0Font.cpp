#include "pdf/PdfType0Font.h"

#include <cmath>
#include <limits>

#include "pdf/PdfErrors.h"
#include "pdf/PdfTypes.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

// A number rounded half to even and kept within the range of T (NaN counts as 0).
template <class T>
T RoundedTo(long double value) {
  if (std::isnan(value)) return 0;
  const long double rounded = std::nearbyintl(value);
  if (rounded <= std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  if (rounded >= std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  return static_cast<T>(rounded);
}

template <class T>
T RoundedNumber(const TPdfDictionary* dictionary, std::string_view key) {
  const TPdfNumber* number = dictionary ? dictionary->PdfNumberByName(key) : nullptr;
  return number ? RoundedTo<T>(number->Value()) : 0;
}

// The runs of a "W" array: "start [w1 w2 ...]" gives one run per width, "first last width"
// one run for the whole range.
std::vector<TPdfCIDWidthItem> ReadWidthRuns(const TPdfArray& w) {
  std::vector<TPdfCIDWidthItem> runs;
  const std::size_t count = w.ItemCount();
  std::size_t i = 0;
  while (i < count) {
    const auto* start = dynamic_cast<const TPdfNumber*>(w.Items(i));
    if (!start) throw EPdfInvalidValue("invalid W array start pos..");
    const auto startCid = RoundedTo<std::int32_t>(start->Value());
    if (i + 1 == count) break;
    TPdfObject* next = w.Items(i + 1);
    if (const auto* widths = dynamic_cast<const TPdfArray*>(next)) {
      std::vector<TPdfCIDWidthItem> items;
      for (std::size_t k = 0; k < widths->ItemCount(); ++k) {
        const auto* width = dynamic_cast<const TPdfNumber*>(widths->Items(k));
        if (!width) throw EPdfInvalidValue("invalid W array value..");
        const auto cid = RoundedTo<std::int32_t>(static_cast<long double>(startCid) + k);
        items.push_back({cid, cid, RoundedTo<std::uint16_t>(width->Value())});
      }
      runs.insert(runs.end(), items.begin(), items.end());
      i += 2;
    } else if (const auto* last = dynamic_cast<const TPdfNumber*>(next)) {
      const auto* width = i + 2 < count ? dynamic_cast<const TPdfNumber*>(w.Items(i + 2)) : nullptr;
      if (!width) throw EPdfInvalidValue("invalid W array end pos..");
      runs.push_back({startCid, RoundedTo<std::int32_t>(last->Value()),
                      RoundedTo<std::uint16_t>(width->Value())});
      i += 3;
    } else {
      throw EPdfInvalidValue("invalid W array value..");
    }
  }
  return runs;
}

}  // namespace

std::uint16_t CIDWidth(std::span<const TPdfCIDWidthItem> widths, int cid) {
  for (const TPdfCIDWidthItem& item : widths) {
    if (item.EndCID >= cid) return item.StartCID <= cid ? item.Width : 0;
  }
  return 0;
}

void TPdfType0Font::SetData(TPdfDictionary* data) {
  TPdfFont::SetData(data);
  const TPdfArray* descendants = data ? data->PdfArrayByName("DescendantFonts") : nullptr;
  const auto* descendant = descendants && descendants->ItemCount() > 0
                               ? dynamic_cast<const TPdfDictionary*>(descendants->Items(0))
                               : nullptr;
  const TPdfDictionary* descriptor =
      descendant ? descendant->PdfDictionaryByName("FontDescriptor") : nullptr;
  const TPdfArray* w = descendant ? descendant->PdfArrayByName("W") : nullptr;
  std::vector<TPdfCIDWidthItem> widths = w ? ReadWidthRuns(*w) : std::vector<TPdfCIDWidthItem>{};
  dw_ = RoundedNumber<std::uint16_t>(descendant, "DW");
  missingWidth_ = RoundedNumber<std::uint16_t>(descriptor, "MissingWidth");
  widths_ = std::move(widths);
}

int TPdfType0Font::GetCharWidth(std::string_view text, std::size_t pos) const {
  if (!charToCID_ || pos >= text.size()) return 0;
  const int cid = charToCID_(text, pos);
  if (cid < 0) return 0;
  if (const std::uint16_t width = CIDWidth(widths_, cid); width != 0) return width;
  return cp932::IsLeadByte(static_cast<unsigned char>(text[pos])) ? dw_ : missingWidth_;
}

std::string TPdfType0Font::ShowableText(std::string_view text) const {
  std::string showable(text);
  if (!charToCID_) return showable;
  for (std::size_t pos = 0; pos < text.size(); pos += cp932::CharLength(text, pos)) {
    if (charToCID_(text, pos) != 0) continue;
    if (cp932::CharLength(text, pos) == 2) {
      showable.replace(pos, 2, "\x81\x45");
    } else {
      showable[pos] = '\xA5';
    }
  }
  return showable;
}

}  // namespace kyrovane
