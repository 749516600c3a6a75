// The rules that every stage of the JWW builder shares.

#include <string>

#include "cad/CadPolyLine.h"
#include "import/JwBuilderRules.h"
#include "import/JwwBuilderStages.h"

namespace kyrovane::jwwbuild {

using namespace jwwunit;

TCad_Layer* TJwwBuilder::LayerOf(const JWWEntityHead& head) const {
  const int index = head.LayerGroup * 16 + head.Layer;
  return index < 256 ? page_.FindLayer(std::to_string(index)) : nullptr;
}

std::optional<TTarget> TJwwBuilder::TopLevel(const JWWEntityHead& head) const {
  TCad_Layer* layer = LayerOf(head);
  if (layer == nullptr) return std::nullopt;
  return TTarget{layer, layer, halfSheet_, false};
}

bool TJwwBuilder::Greyed(const JWWEntityHead& head) const {
  if (!env_.UseGray || head.LayerGroup >= 16 || head.Layer >= 16) return false;
  const JWWGroupRecord& group = head_.Groups[head.LayerGroup];
  return group.State == 1 || group.Layers[head.Layer].State == 1;
}

int32_t TJwwBuilder::Palette(int32_t index) const {
  return ColorIndexToColor(index, env_);
}

int32_t TJwwBuilder::PenColor(uint16_t pen) const {
  return Palette(env_.LineColor[PenIndex(pen)]);
}

void TJwwBuilder::ApplyPenColor(TCad_Entity& entity, const JWWEntityHead& greyHead,
                                uint16_t pen) const {
  kyrovane::ApplyPenColor(entity, env_, pen, Greyed(greyHead));
}

long double TJwwBuilder::PenWidth(uint16_t pen) const {
  return kyrovane::PenWidth(env_, pen);
}

void TJwwBuilder::ApplyPen(TCad_Entity& entity, const JWWEntityHead& head) const {
  ApplyPenColor(entity, head, head.PenColor);
  entity.SetLineType(std::to_string(head.LineType));
  entity.LineWidth = PenWidth(head.PenColor);
}

long double TJwwBuilder::TextTypeSpacing(const CDataMoji& rec) const {
  if (rec.TextType >= 1 && rec.TextType <= head_.TextTypes.size()) {
    return head_.TextTypes[rec.TextType - 1].Spacing;
  }
  return rec.Spacing;
}

void TJwwBuilder::AddCurve(const std::vector<TPoint3>& vertices, const JWWEntityHead& head,
                           const TTarget& target) {
  TCad_Curve& curve = Create<TCad_Curve>(target);
  AddVertices(curve, vertices);
  ApplyPen(curve, head);
}

}  // namespace kyrovane::jwwbuild
