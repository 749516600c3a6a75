#pragma once

// What the model exports into besides DXF: the record tables of a drawing in the older format,
// with the sizes of that format's text types.

#include <string>

#include "cad/CadUnits.h"

namespace kyrovane {

// The record tables that TCad_Object::ExportJwc appends to. Positions and lengths are
// millimetres on the page and angles degrees; the tables turn them into the drawing's units.
// Layer is the index of the entity's layer.
class TCad_JwcTables {
 public:
  virtual ~TCad_JwcTables() = default;
  virtual void AddPoint(const TPoint3& P, int Layer) = 0;
  virtual void AddLine(const TPoint3& P1, const TPoint3& P2, int Layer) = 0;
  // Flatness is the second radius over the first; the angles are measured from the first axis,
  // which runs at AxisAngle.
  virtual void AddArc(const TPoint3& Centre, long double Radius, long double Flatness,
                      long double StartAngle, long double EndAngle, long double AxisAngle,
                      int Layer) = 0;
  // A text of a type 1..10 whose base line runs from Start to End.
  virtual void AddText(const TPoint3& Start, const TPoint3& End, int TextType,
                       const std::string& Text, int Layer) = 0;
};

// Character sizes (mm) of the text types 0..10 that parts files use and that the export
// chooses from (types 1..10).
struct TJwcTextSize {
  long double Width, Height, Spacing;
};
inline constexpr TJwcTextSize kJwcTextSizes[] = {
    {3.5L, 3.5L, 0},    {3.0L, 3.0L, 0},    {2.5L, 2.5L, 0},      {3.5L, 3.5L, 0},
    {4.0L, 4.0L, 0.5L}, {5.0L, 5.0L, 0.5L}, {6.0L, 6.0L, 1.0L},   {7.0L, 7.0L, 1.0L},
    {4.0L, 8.0L, 0.5L}, {9.0L, 9.0L, 1.0L}, {10.0L, 10.0L, 1.0L},
};
inline constexpr int kJwcTextTypes = sizeof kJwcTextSizes / sizeof kJwcTextSizes[0];

}  // namespace kyrovane
