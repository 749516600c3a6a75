#pragma once

// The stages of the JWW builder and the rules they share: which layer a record lands on, its
// colour, width and line type, and where block members differ from the top level. Only the
// builder's own sources include this.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "cad/CadPage.h"
#include "import/JwBuilderRules.h"
#include "import/JwwZigZag.h"
#include "import/PictureText.h"
#include "import/TextVariables.h"
#include "import/jwwunit.h"

namespace kyrovane {

class TCad_Arc;
class TCad_Entity;
class TCad_Text;

namespace jwwbuild {

// Solids of this line type and above are filled arcs.
inline constexpr int kSolidArcLineType = 100;

// Where the entities made from one record go and which rules apply to them.
struct TTarget {
  TCad_Container* Container;  // the record's layer, or the block being filled
  TCad_Layer* Layer;          // the layer the entities are made on
  TPoint3 Offset;             // added to every position: the half-sheet offset at top level
  bool Member;                // the rules of block members
};

// A record's point (mm) moved by a target's offset.
inline TPoint3 At(long double x, long double y, const TPoint3& offset) {
  return {x + offset.X, y + offset.Y, 0};
}

// Start and end angle of an arc (degrees) from its start and sweep (radians): the arc runs
// counter-clockwise from the lower angle, both raised by a turn when that one is negative.
void SetArcAngles(TCad_Arc& arc, long double start, long double sweep);

class TJwwBuilder {
 public:
  TJwwBuilder(TCad_Page& page, const jwwunit::JwwData& jww, const REnvironment& env,
              const ConversionContext& context, const Clock& clock)
      : page_(page), jww_(jww), head_(jww.JwwHeader), env_(env), context_(context), clock_(clock) {}

  void Build(bool AllArea);

 private:
  // The frame: sheet, layers, draw-first marks.
  void SetSheet();
  void MarkDrawFirst();
  void AddLayers(const TPoint3& origin);

  // The stages, in drawing order within a layer.
  void BuildLines();
  void BuildArcs();
  void BuildPoints();
  void BuildTexts();
  void BuildDims();
  void BuildSolids();
  void BuildBlocks();
  void BuildInserts();

  // Conversions of one record, shared by the top level and block members.
  void ConvertLine(const jwwunit::CDataSen& rec, const TTarget& target);
  void CloseChain(std::span<const TPoint3> points, const jwwunit::CDataSen& last);
  void ConvertArc(const jwwunit::CDataEnko& rec, const TTarget& target);
  void ConvertPoint(const jwwunit::CDataTen& rec, const TTarget& target);
  void ConvertText(const jwwunit::CDataMoji& rec, const TTarget& target);
  void AddPicture(const jwwunit::CDataMoji& rec, const TPictureText& picture,
                  const TTarget& target);
  void ConvertDim(const jwwunit::CDataSunpou& rec, const TTarget& target);
  void ConvertSolid(const jwwunit::CDataSolid& rec, const TTarget& target);
  void ConvertInsert(const jwwunit::CDataBlock& rec, const TTarget& target);
  void AddCurve(const std::vector<TPoint3>& vertices, const jwwunit::JWWEntityHead& head,
                const TTarget& target);
  void FillText(TCad_Text& text, const jwwunit::CDataMoji& rec, long double spacing,
                const TTarget& target);

  // The layer "group x 16 + layer" of a record; nothing when there is no such layer.
  TCad_Layer* LayerOf(const jwwunit::JWWEntityHead& head) const;
  std::optional<TTarget> TopLevel(const jwwunit::JWWEntityHead& head) const;
  // Whether the record's layer group or layer is display-only and drawn in one grey.
  bool Greyed(const jwwunit::JWWEntityHead& head) const;
  // The colour of a palette index, and of a pen (pens outside the nine take the first).
  int32_t Palette(int32_t index) const;
  int32_t PenColor(uint16_t pen) const;
  // Colour by pen when the settings colour by pen; the layer's colour otherwise.
  void ApplyPenColor(TCad_Entity& entity, const jwwunit::JWWEntityHead& greyHead,
                     uint16_t pen) const;
  // Colour, line type and width of a record's pen and line type.
  void ApplyPen(TCad_Entity& entity, const jwwunit::JWWEntityHead& head) const;
  long double PenWidth(uint16_t pen) const;
  // Spacing of a text type, or the text's own for a text of no listed type.
  long double TextTypeSpacing(const jwwunit::CDataMoji& rec) const;

  // Makes an entity on the target's layer and adds it to the target's container.
  template <class T, class... Args>
  T& Create(const TTarget& target, Args&&... args) {
    return Adopt(target, std::make_unique<T>(nullptr, *target.Layer, std::forward<Args>(args)...));
  }
  template <class T>
  T& Adopt(const TTarget& target, std::unique_ptr<T> entity) {
    T& result = *entity;
    target.Container->Add(std::move(entity));
    // Members show whatever the visibility of the block's layer.
    if (target.Member) result.Visible = 1;
    return result;
  }

  TCad_Page& page_;
  const jwwunit::JwwData& jww_;
  const jwwunit::JWWHead& head_;
  const REnvironment& env_;
  const ConversionContext& context_;
  const Clock& clock_;
  TPoint3 halfSheet_;
  long double sheetWidth_ = 0;   // points
  long double sheetHeight_ = 0;  // points
  TZigZagBudget teeth_{kZigZagTeeth};

  static constexpr long long kZigZagTeeth = 1000000;
};

}  // namespace jwwbuild
}  // namespace kyrovane
