#pragma once

// The box that the records of a JWW drawing span, in mm, to which a page sized to the drawing
// is made.

#include "import/jwwunit.h"

namespace kyrovane::jwwbuild {

struct TDrawingExtents {
  long double MinX, MinY, MaxX, MaxY;
  bool Counted;  // whether any record gave a value
};

// Lines, arcs, points, texts and pictures, solids, and the members of the blocks that the
// top-level inserts place, as those inserts place them. The box starts from a minimum of 2^24
// and a maximum of 0, so a drawing that lies wholly left of or below the origin still reaches
// 0. Temporary points and values that are not numbers count nothing; dimensions count nothing.
TDrawingExtents MeasureExtents(const jwwunit::JwwData& jww);

}  // namespace kyrovane::jwwbuild
