#pragma once

// Rules that the builders of all three drawing formats share: the 19 line types made from one
// dash table, the page sized to a drawing, angles in degrees and the direction of two points.

#include "cad/CadUnits.h"

namespace kyrovane {

class TCad_Page;
struct REnvironment;

// Number of line types that every drawing gets, named "1".."19".
inline constexpr int kStandardLineTypes = 19;

// Adds the line types "1".."19" with their dashes in mm, scaled by the settings' pattern scale
// of each type (type 9 is a fixed 0.5 mm), each with phase 0.
void AddStandardLineTypes(TCad_Page& CadPage, const REnvironment& Env);

// Rounds half to even into an int; values beyond its range are cut to it, others give 0.
int RoundToInt(long double value);

// Sizes the page to a drawing box of the given width and height (mm, output scale applied)
// with the page's margins on both sides, and marks it as sized to the drawing.
void SizePageToDrawing(TCad_Page& CadPage, long double WidthMm, long double HeightMm);

constexpr long double Deg(long double radians) {
  return radians * 180.0L / cad::kPi;
}

// Direction from (x1, y1) to (x2, y2) in degrees, in [0, 360). Two equal points give 270.
long double DirectionAngle(long double x1, long double y1, long double x2, long double y2);

}  // namespace kyrovane
