#pragma once

// Turns the tables of a JWW drawing into the drawing model under the settings of one
// conversion: the sheet and output scale, the 256 layers "0".."255", the line types "1".."19",
// the entities of the drawing and its blocks with their inserts.

namespace kyrovane {

class Clock;
class TCad_Page;
struct ConversionContext;
struct REnvironment;
namespace jwwunit {
struct JwwData;
}

// Fills CadPage, which the caller has just reset or cleared and whose margins it has set, from
// the tables of Jww. Env is the working settings record, Context the drawing's path and list
// masks, TextClock the time that text variables show. AllArea sizes the page to the drawing's
// extents instead of its sheet.
//
// The build shows nothing and never fails: records it cannot place (on a layer that does not
// exist, or a picture whose size is not a number) are left out, and values outside the
// settings' tables fall back to the first pen and to no line type.
void BuildJwwDrawing(TCad_Page& CadPage, const jwwunit::JwwData& Jww, const REnvironment& Env,
                     const ConversionContext& Context, const Clock& TextClock, bool AllArea);

}  // namespace kyrovane
