// Block definitions with their members, and the inserts that draw them.

#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "cad/CadInsert.h"
#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"

namespace kyrovane::jwwbuild {

using namespace jwwunit;

// Every block exists before any is filled, so that an insert inside a block finds its block
// whatever the two numbers are. Inserts that would draw a block inside itself are left to
// the drawing, which does not draw a block again within itself.
void TJwwBuilder::BuildBlocks() {
  const TJWWBlockList& definitions = jww_.JwwBlocks;
  std::vector<std::pair<uint32_t, TCad_Block*>> blocks;
  for (const uint32_t number : definitions.BlockNumbers()) {
    CDataList definition;
    definitions.GetBlock(number, definition);
    // The definition's layer gives its members their layer; one that names no layer takes the
    // first, so that the block is drawn wherever it is inserted.
    TCad_Layer* layer = LayerOf(definition.Head);
    if (layer == nullptr) layer = page_.GetLayer(0);
    const std::string name = std::to_string(number);
    TCad_Block& block = *page_.GetBlock(page_.AddBlock(name, layer));
    block.Origin = {};
    blocks.emplace_back(number, &block);
  }
  for (const auto& [number, block] : blocks) {
    const TTarget target{block, block->Layer, {}, true};
    for (std::size_t j = 0; j < definitions.EntityCount(number); ++j) {
      const std::optional<TJWWMemberRef> member = definitions.GetItem(number, j);
      if (!member) continue;
      std::visit(
          [&](const auto* rec) {
            using Rec = std::remove_cvref_t<decltype(*rec)>;
            if constexpr (std::is_same_v<Rec, CDataSen>) ConvertLine(*rec, target);
            if constexpr (std::is_same_v<Rec, CDataEnko>) ConvertArc(*rec, target);
            if constexpr (std::is_same_v<Rec, CDataTen>) ConvertPoint(*rec, target);
            if constexpr (std::is_same_v<Rec, CDataMoji>) ConvertText(*rec, target);
            if constexpr (std::is_same_v<Rec, CDataSunpou>) ConvertDim(*rec, target);
            if constexpr (std::is_same_v<Rec, CDataSolid>) ConvertSolid(*rec, target);
            if constexpr (std::is_same_v<Rec, CDataBlock>) ConvertInsert(*rec, target);
          },
          *member);
    }
  }
}

void TJwwBuilder::BuildInserts() {
  for (const CDataBlock& rec : jww_.JwwInserts) {
    if (const std::optional<TTarget> target = TopLevel(rec.Head)) ConvertInsert(rec, *target);
  }
}

void TJwwBuilder::ConvertInsert(const CDataBlock& rec, const TTarget& target) {
  TCad_Insert& insert = Create<TCad_Insert>(target);
  insert.Position = At(rec.X, rec.Y, target.Offset);
  insert.Scale = {rec.ScaleX, rec.ScaleY, 0};
  insert.Angle = Deg(rec.Rotation);
  insert.SetBlock(page_.FindBlock(std::to_string(rec.BlockNumber)));
}

}  // namespace kyrovane::jwwbuild
