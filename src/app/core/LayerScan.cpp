#include "app/core/LayerScan.h"

#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

#include "app/core/DrawingFiles.h"
#include "files/RegularFile.h"
#include "import/jwcunit.h"
#include "import/jwwunit.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;
using namespace jwwunit;

using TLayerBits = std::array<uint16_t, 16>;

// Records outside the sixteen groups of sixteen layers are not counted.
void Mark(TLayerBits& bits, unsigned group, unsigned layer) {
  if (group < 16 && layer < 16) bits[group] |= MaskBit(static_cast<int>(layer));
}

void Mark(TLayerBits& bits, const JWWEntityHead& head) {
  Mark(bits, head.LayerGroup, head.Layer);
}

void Mark(TLayerBits& bits, uint8_t address) {
  Mark(bits, address / 16u, address % 16u);
}

bool HoldsGraphics(const TJWWMemberRef& member) {
  return !std::holds_alternative<const CDataMoji*>(member) &&
         !std::holds_alternative<const CDataBlock*>(member);
}

bool HoldsText(const TJWWMemberRef& member) {
  return std::holds_alternative<const CDataMoji*>(member) ||
         std::holds_alternative<const CDataSunpou*>(member);
}

// The blocks that hold graphics or text themselves or through the blocks they insert, found
// once for the whole drawing: a block holds what any block it reaches holds, so cycles and
// deep nesting need no special case.
class TBlockContents {
 public:
  explicit TBlockContents(const TJWWBlockList& blocks) {
    std::unordered_map<uint32_t, std::vector<uint32_t>> insertedBy;
    for (const uint32_t number : blocks.BlockNumbers()) {
      for (std::size_t i = 0; i < blocks.EntityCount(number); ++i) {
        const std::optional<TJWWMemberRef> member = blocks.GetItem(number, i);
        if (!member) continue;
        if (HoldsGraphics(*member)) graphics_.insert(number);
        if (HoldsText(*member)) text_.insert(number);
        if (const auto* insert = std::get_if<const CDataBlock*>(&*member)) {
          insertedBy[(*insert)->BlockNumber].push_back(number);
        }
      }
    }
    Spread(graphics_, insertedBy);
    Spread(text_, insertedBy);
  }

  bool HasGraphics(uint32_t number) const { return graphics_.contains(number); }
  bool HasText(uint32_t number) const { return text_.contains(number); }

 private:
  static void Spread(std::unordered_set<uint32_t>& holders,
                     const std::unordered_map<uint32_t, std::vector<uint32_t>>& insertedBy) {
    std::deque<uint32_t> pending(holders.begin(), holders.end());
    while (!pending.empty()) {
      const auto found = insertedBy.find(pending.front());
      pending.pop_front();
      if (found == insertedBy.end()) continue;
      for (const uint32_t outer : found->second) {
        if (holders.insert(outer).second) pending.push_back(outer);
      }
    }
  }

  std::unordered_set<uint32_t> graphics_;
  std::unordered_set<uint32_t> text_;
};

TUsedLayers JwcFlags(const JwcData& jwc) {
  TUsedLayers flags;
  for (const auto& rec : jwc.JwcLines) Mark(flags.Graphics, rec.Layer);
  for (const auto& rec : jwc.JwcArcs) Mark(flags.Graphics, rec.Layer);
  for (const auto& rec : jwc.JwcPoints) Mark(flags.Graphics, rec.Layer);
  for (const auto& rec : jwc.JwcTexts) Mark(flags.Text, rec.Layer);
  return flags;
}

uint16_t GroupsHolding(const TLayerBits& layers) {
  uint16_t groups = 0;
  for (std::size_t g = 0; g < 16; ++g) {
    if (layers[g] != 0) groups |= MaskBit(static_cast<int>(g));
  }
  return groups;
}

// The flags of the drawing and its memo; nothing for a drawing without layers to show.
std::optional<TUsedLayers> ReadFlags(const fs::path& path, std::string& memo, UiPort& ui) {
  if (IsAbsent(path)) return std::nullopt;
  switch (DrawingKindOf(path)) {
    case TDrawingKind::Jww: {
      const std::string bytes = ReadDrawingBytes(path);
      JwwData jww;
      if (!ParseJwwHeader(bytes, jww)) return std::nullopt;
      if (const JwwReadResult read = ParseJwwFile(bytes, jww); !read) {
        throw EDrawingRefused(DamagedDrawingText(path, read.Reason));
      }
      memo = cp932::ToUtf8(jww.JwwHeader.Memo);
      return UsedLayersOf(jww);
    }
    case TDrawingKind::Jwc: {
      const std::string bytes = ReadDrawingBytes(path);
      if (!bytes.starts_with(kJwcMagic)) return std::nullopt;
      JwcData jwc;
      const JwcReadResult read = ReadJwcData(bytes, jwc);
      ShowRepairNotice(ui, read);
      if (!read.Ok) throw EDrawingRefused(DamagedDrawingText(path, read.Error));
      memo = cp932::ToUtf8(jwc.JwcHeader.Memo);
      return JwcFlags(jwc);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

TUsedLayers UsedLayersOf(const JwwData& Jww) {
  TUsedLayers flags;
  for (const auto& rec : Jww.JwwLines) Mark(flags.Graphics, rec.Head);
  for (const auto& rec : Jww.JwwArcs) Mark(flags.Graphics, rec.Head);
  for (const auto& rec : Jww.JwwPoints) Mark(flags.Graphics, rec.Head);
  for (const auto& rec : Jww.JwwSolids) Mark(flags.Graphics, rec.Head);
  for (const auto& rec : Jww.JwwDims) {
    Mark(flags.Graphics, rec.Head);
    Mark(flags.Text, rec.Head);
  }
  for (const auto& rec : Jww.JwwTexts) Mark(flags.Text, rec.Head);
  const TBlockContents blocks(Jww.JwwBlocks);
  for (const auto& rec : Jww.JwwInserts) {
    if (blocks.HasGraphics(rec.BlockNumber)) Mark(flags.Graphics, rec.Head);
    if (blocks.HasText(rec.BlockNumber)) Mark(flags.Text, rec.Head);
  }
  return flags;
}

void ScanUsedLayers(TListEntry& Entry, UiPort& Ui) {
  TParam& param = Entry.Param;
  const std::optional<TUsedLayers> flags = ReadFlags(Entry.Path, param.Memo, Ui);
  param.UsedLayerMask = flags ? flags->Graphics : TLayerBits{};
  param.TextLayerMask = flags ? flags->Text : TLayerBits{};
  param.UsedGroupMask = GroupsHolding(param.UsedLayerMask);
  param.TextGroupMask = GroupsHolding(param.TextLayerMask);
  param.Scanned = true;
}

}  // namespace kyrovane
