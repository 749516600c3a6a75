#pragma once

// Turns the tables of a parts file (JWK) into the drawing model under the settings of one
// conversion: a page the size of the drawing plus the margins, the 256 layers "0".."255", all
// visible, with the file's scale, the line types "1".."19", and its lines, curve chains, arcs,
// points and texts.

#include "import/jwkunit.h"

namespace kyrovane {

class Clock;
class TCad_Page;
struct ConversionContext;
struct REnvironment;

// Fills CadPage, which the caller has just reset or cleared and whose margins it has set, from
// the tables of Jwk. Env is the working settings record, Context the drawing's path, TextClock
// the time that text variables show. A parts file has no sheet: the page always follows the
// drawing's extents, and a parts file with nothing in it gets an A4 page.
//
// The build shows nothing and never fails: pens and text types outside their tables fall back
// to the first, and a scale that is not a positive number to 1.
void BuildJwkDrawing(TCad_Page& CadPage, const jwkunit::JwkData& Jwk, const REnvironment& Env,
                     const ConversionContext& Context, const Clock& TextClock);

}  // namespace kyrovane
