#include "import/JwwExtents.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <type_traits>
#include <variant>

#include "cad/CadInsert.h"
#include "import/JwwBuilderStages.h"
#include "import/PictureText.h"

namespace kyrovane::jwwbuild {
namespace {

using namespace jwwunit;

void Measure(TExtents& box, const CDataSen& line) {
  box.Add(line.X1, line.Y1);
  box.Add(line.X2, line.Y2);
}

void Measure(TExtents& box, const CDataEnko& arc) {
  box.AddBox(arc.CenterX, arc.CenterY, arc.Radius, arc.Radius * arc.Flatness);
}

void Measure(TExtents& box, const CDataTen& point) {
  if (point.Temporary == 0) box.Add(point.X, point.Y);
}

void Measure(TExtents& box, const CDataMoji& text) {
  if (const std::optional<TPictureText> picture = ParsePictureText(text.Text)) {
    box.Add(text.StartX, text.StartY);
    box.Add(text.StartX + picture->Width, text.StartY + picture->Height);
  } else if (!text.Text.starts_with(kPictureMarker)) {
    const long double h = text.Height;
    box.AddBox(text.StartX, text.StartY, h, h);
    box.AddBox(text.EndX, text.EndY, h, h);
  }
}

void Measure(TExtents& box, const CDataSolid& solid) {
  const auto& v = solid.Values;
  box.Add(v[0], v[1]);
  if (solid.Head.LineType >= kSolidArcLineType) {
    box.AddBox(v[0], v[1], v[2], v[2] * v[3]);
  } else {
    box.Add(v[2], v[3]);
    box.Add(v[4], v[5]);
    box.Add(v[6], v[7]);
  }
}

void Measure(TExtents&, const CDataSunpou&) {}

// The boxes of the blocks in their own coordinates, each measured once. A block within itself
// and chains deeper than the drawing draws add nothing, as they draw nothing.
class TBlockExtents {
 public:
  explicit TBlockExtents(const TJWWBlockList& blocks) : blocks_(blocks) {}

  // Adds the corners of the inserted block's box, scaled, turned and moved as the insert places
  // its members.
  void AddInsert(TExtents& box, const CDataBlock& insert, int depth) {
    const TExtents* inner = Of(insert.BlockNumber, depth + 1);
    if (inner == nullptr || !inner->Counted()) return;
    const long double c = std::cos(static_cast<long double>(insert.Rotation));
    const long double s = std::sin(static_cast<long double>(insert.Rotation));
    for (const long double x : {inner->MinX, inner->MaxX}) {
      for (const long double y : {inner->MinY, inner->MaxY}) {
        const long double sx = insert.ScaleX * x;
        const long double sy = insert.ScaleY * y;
        box.Add(insert.X + sx * c - sy * s, insert.Y + sx * s + sy * c);
      }
    }
  }

 private:
  const TExtents* Of(uint32_t number, int depth) {
    if (const auto done = done_.find(number); done != done_.end()) return &done->second;
    CDataList definition;
    if (depth > TCad_Insert::kMaxChain || open_.contains(number) ||
        !blocks_.GetBlock(number, definition)) {
      return nullptr;
    }
    open_.insert(number);
    // The block's own box starts empty.
    TExtents box;
    box.MinX = box.MinY = std::numeric_limits<long double>::infinity();
    box.MaxX = box.MaxY = -std::numeric_limits<long double>::infinity();
    for (std::size_t j = 0; j < blocks_.EntityCount(number); ++j) {
      const std::optional<TJWWMemberRef> member = blocks_.GetItem(number, j);
      if (!member) continue;
      std::visit(
          [&](const auto* rec) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(*rec)>, CDataBlock>) {
              AddInsert(box, *rec, depth);
            } else {
              Measure(box, *rec);
            }
          },
          *member);
    }
    open_.erase(number);
    return &done_.emplace(number, box).first->second;
  }

  const TJWWBlockList& blocks_;
  std::map<uint32_t, TExtents> done_;
  std::set<uint32_t> open_;
};

}  // namespace

TExtents MeasureExtents(const JwwData& jww) {
  TExtents box;
  for (const CDataSen& line : jww.JwwLines) Measure(box, line);
  for (const CDataEnko& arc : jww.JwwArcs) Measure(box, arc);
  for (const CDataTen& point : jww.JwwPoints) Measure(box, point);
  for (const CDataMoji& text : jww.JwwTexts) Measure(box, text);
  for (const CDataSolid& solid : jww.JwwSolids) Measure(box, solid);
  TBlockExtents blocks(jww.JwwBlocks);
  for (const CDataBlock& insert : jww.JwwInserts) blocks.AddInsert(box, insert, 0);
  return box;
}

}  // namespace kyrovane::jwwbuild
