#pragma once

// Rules that the builders of all three drawing formats share: the sheets and the output scale,
// the drawing's extents, the 256 layers, the 19 line types made from one dash table, the
// colour and width of a pen, angles in degrees and the direction of two points.

#include <cstdint>
#include <functional>
#include <span>

#include "cad/CadUnits.h"

namespace kyrovane {

class TCad_Curve;
class TCad_Entity;
class TCad_Page;
struct ConversionContext;
struct REnvironment;

// Number of line types that every drawing gets, named "1".."19".
inline constexpr int kStandardLineTypes = 19;

// Lines and arcs of this line type are not drawn.
inline constexpr int kHiddenLineType = 9;

// Adds the line types "1".."19" with their dashes in mm, scaled by the settings' pattern scale
// of each type (type 9 is a fixed 0.5 mm), each with phase 0.
void AddStandardLineTypes(TCad_Page& CadPage, const REnvironment& Env);

// A sheet: its size in points and the offset (mm) from its centre to its lower left corner.
struct TSheet {
  long double Width, Height, HalfX, HalfY;
};

// The sheet of a paper code: A0 to A4 (0..4), 2A0 to 16A0 (8..11); any other code is A1.
TSheet SheetOf(int64_t paperSize);

// Sets the output scale and the page size for a sheet: half scale halves both, fitting onto A3
// or A4 scales the sheet's width onto theirs.
void SetSheetPage(TCad_Page& CadPage, const REnvironment& Env, const TSheet& sheet);

// A drawing's scale ratio, or 1 when it is not a positive number.
long double SoundScale(long double scale);

// Rounds half to even into an int; values beyond its range are cut to it, others give 0.
int RoundToInt(long double value);

// The box that a drawing's records span. It starts from a minimum of 2^24 and a maximum of 0,
// so a drawing that lies wholly left of or below the origin still reaches 0.
class TExtents {
 public:
  void Add(long double x, long double y) {
    LowerX(x);
    RaiseX(x);
    LowerY(y);
    RaiseY(y);
  }
  // The box of half-widths rx and ry around (x, y).
  void AddBox(long double x, long double y, long double rx, long double ry) {
    LowerX(x - rx);
    RaiseX(x + rx);
    LowerY(y - ry);
    RaiseY(y + ry);
  }
  void LowerX(long double v);
  void RaiseX(long double v);
  void LowerY(long double v);
  void RaiseY(long double v);

  // Whether any record gave a value.
  bool Counted() const { return counted_; }

  long double MinX = 16777216, MinY = 16777216, MaxX = 0, MaxY = 0;

 private:
  // Values that are not numbers are left out: they would give the page no size.
  bool Counts(long double v);
  bool counted_ = false;
};

// The page of the extents times scale (drawing units to mm), plus the margins on both sides;
// the page is marked as sized to the drawing.
void SetPageToExtents(TCad_Page& CadPage, const TExtents& extents, long double scale);

// Whether the list masks of a list entry show layer l (group l / 16, layer l % 16).
bool ListMasksShow(const ConversionContext& Context, int l);

// Adds the layers "0".."255", each at origin and with the same scale on every axis, coloured
// by the settings' layer colours when lines are coloured by layer, visible as `visible` says.
void AddNumberedLayers(TCad_Page& CadPage, const REnvironment& Env, const TPoint3& origin,
                       long double scale, const std::function<bool(int l)>& visible);

// Pens outside the settings' nine take the first pen's settings.
int PenIndex(int64_t pen);

// Width of a pen in points.
long double PenWidth(const REnvironment& Env, int64_t pen);

// When the settings colour by pen: the pen's colour, or the grey of display-only layers for an
// entity on one. Otherwise the entity keeps its layer's colour.
void ApplyPenColor(TCad_Entity& entity, const REnvironment& Env, int64_t pen, bool greyed);

// Appends a vertex at each point.
void AddVertices(TCad_Curve& curve, std::span<const TPoint3> points);

constexpr long double Deg(long double radians) {
  return radians * 180.0L / cad::kPi;
}

// Direction from (x1, y1) to (x2, y2) in degrees, in [0, 360). Two equal points give 270.
long double DirectionAngle(long double x1, long double y1, long double x2, long double y2);

}  // namespace kyrovane
