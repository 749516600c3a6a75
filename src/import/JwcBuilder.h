#pragma once

// Turns the tables of a drawing of the older format (JWC) into the drawing model under the
// settings of one conversion: the sheet and output scale, the 256 layers "0".."255" with the
// drawing's scale, the line types "1".."19", and its lines, curve chains, arcs, points,
// pictures and texts.

#include "import/jwcunit.h"

namespace kyrovane {

class Clock;
class TCad_Page;
struct ConversionContext;
struct REnvironment;

// Fills CadPage, which the caller has just reset or cleared and whose margins it has set, from
// the tables of Jwc. Env is the working settings record, Context the drawing's path and list
// masks, TextClock the time that text variables show. AllArea sizes the page to the drawing's
// extents instead of its sheet (a drawing with nothing in it keeps the sheet).
//
// The build shows nothing and never fails: a picture whose size is not a number is left out,
// and pens, text types and a scale outside their tables fall back to the first pen, the first
// text type and a scale of 1.
void BuildJwcDrawing(TCad_Page& CadPage, const jwcunit::JwcData& Jwc, const REnvironment& Env,
                     const ConversionContext& Context, const Clock& TextClock, bool AllArea);

}  // namespace kyrovane
