#pragma once

// The box that the records of a JWW drawing span, in mm, to which a page sized to the drawing
// is made.

#include "import/JwBuilderRules.h"
#include "import/jwwunit.h"

namespace kyrovane::jwwbuild {

// Lines, arcs, points, texts and pictures, solids, and the members of the blocks that the
// top-level inserts place, as those inserts place them. Temporary points, dimensions and
// values that are not numbers count nothing.
TExtents MeasureExtents(const jwwunit::JwwData& jww);

}  // namespace kyrovane::jwwbuild
