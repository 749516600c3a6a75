#pragma once

// The line, arc, point and text records that drawings of the older format and parts files
// share, turned into entities of the drawing model: lines and their curve chains, arcs, points
// and the frame of a text. Coordinates go into the model as the file holds them; the layers'
// scale carries the drawing's scale.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/settings/Environment.h"
#include "cad/CadPage.h"
#include "import/JwBuilderRules.h"
#include "import/JwcRecords.h"

namespace kyrovane {

class TCad_Text;

namespace jwcbuild {

// Where the two formats differ in drawing their shared records.
struct TShapeRules {
  // Bit 0x40 of a line's flags keeps the line out of curve chains.
  bool KeepOutFlag = false;
  // Whether layer l is display-only and drawn in the settings' grey; null: no layer is.
  std::function<bool(int l)> Greyed;
};

// The box of the records in file units; a text reaches `halfSize` of it around both ends of
// its base line.
TExtents MeasureExtents(std::span<const TJwcLine> lines, std::span<const TJwcArc> arcs,
                        std::span<const TJwcPoint> points, std::span<const TMoji2> texts,
                        const std::function<long double(const TMoji2&)>& halfSize);

class TShapeBuilder {
 public:
  TShapeBuilder(TCad_Page& page, const REnvironment& env, TShapeRules rules)
      : page_(page), env_(env), rules_(std::move(rules)) {}

  // Lines of line type 9 are left out. With curves smoothed, the lines marked as a chain's
  // start, middle and end become one curve through their start points and the last one's end
  // point, drawn with the last one's layer, pen and line type.
  void AddLines(std::span<const TJwcLine> lines);
  // Arcs of line type 9 are left out; angles are the degrees the file holds, but for ends a
  // whole turn apart, which make the whole turn from the start angle.
  void AddArcs(std::span<const TJwcArc> arcs);
  void AddPoints(std::span<const TJwcPoint> points);
  // A text of the given size on its record's layer, at its record's start point, turned to its
  // base line, coloured by `pen`; heights and spacing are paper sizes in mm.
  TCad_Text& AddText(const TMoji2& rec, std::string text, int pen, long double height,
                     long double hscale, long double spacing);

  // The layer "0".."255" that a record's layer byte names.
  TCad_Layer& LayerOf(uint8_t layer) const;

 private:
  template <class T>
  T& Create(uint8_t layer);
  void AddLine(const TJwcLine& rec);
  void CloseChain(std::vector<TPoint3>& slots, const TJwcLine& last);
  void ApplyPen(TCad_Entity& entity, int pen, int lineType, uint8_t layer) const;
  bool Greyed(uint8_t layer) const { return rules_.Greyed && rules_.Greyed(layer); }

  TCad_Page& page_;
  const REnvironment& env_;
  TShapeRules rules_;
};

}  // namespace jwcbuild
}  // namespace kyrovane
