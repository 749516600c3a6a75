#pragma once

// Base of every drawable entity: its layer, pass, pen and line type, and the transform of
// model millimetres into page points through the insert chain and the layer.

#include <cstdint>
#include <string>

#include "cad/CadContainer.h"
#include "cad/CadObject.h"
#include "pdf/PDFPrinter.h"

namespace kyrovane {

class TCad_Entity : public TCad_Object {
 public:
  // Takes the layer's visibility and colour and the line type its LineTypeName names.
  TCad_Entity(TCad_Object* AOwner, TCad_Layer& ALayer);

  // LineType := the page's line type of that name, null (solid) when there is none.
  void SetLineType(const std::string& AName);

  // Model point (mm) to page point through the insert chain (when drawn through inserts)
  // and the layer.
  TPoint3 TransformPoint(const TPoint3& P) const;
  // A pair of radii or extents (mm) in points, scaled by the insert chain and the layer.
  TPoint3 TransformRadii(const TPoint3& R) const;
  // An angle plus the insert chain's total angle and the layer's angle, degrees.
  long double TransformAngle(long double A) const;
  long double TransformLengthX(long double L) const;
  long double TransformLengthY(long double L) const;
  // A length in millimetres scaled by the insert chain only.
  long double InsertScaledX(long double L) const;
  long double InsertScaledY(long double L) const;

  // The printer's dash pattern for this entity's line type (solid without one).
  const TLineType& DashPattern() const;

  // The insert the entity is being drawn through, null outside blocks.
  const TCad_Insert* CurrentInsert() const;
  TCad_Page& Page() const { return Layer->Page; }
  TPDFPrinter& Printer() const;

  std::uint8_t Pass = 0;
  TCad_Layer* Layer;  // never null, not owned
  std::string Name;   // at most 255 bytes
  TCad_Line_Type* LineType = nullptr;
  long double LineWidth = MmToPt(0.1L);  // points
  std::uint8_t Stroke = 1;
  std::int32_t Color = 0;

 protected:
  // Whether this entity draws in the given pass at all (visible and of that pass).
  bool DrawsIn(std::uint8_t APass) const { return Visible != 0 && Pass == APass; }
};

}  // namespace kyrovane
