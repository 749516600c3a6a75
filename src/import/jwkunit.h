#pragma once

// Reader of parts files (JWK): two 200-byte header lines, then the line, arc, point and text
// records in the forms of the older drawing format, and the text pool. Nothing is repaired.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/JwcRecords.h"

namespace kyrovane {

namespace jwkunit {

// Line 2 gives the point count before the text count; here, as in the original record, the text
// count comes first.
struct THeader {
  std::string FirstText;                          // line 1, bytes 1-40, holds the magic
  std::string SecondText;                         // line 1, bytes 41-72
  std::string ThirdText;                          // line 1, bytes 73-104
  int32_t LineCount = 0;                          // line 2, field 0
  int32_t ArcCount = 0;                           // field 1
  int32_t TextCount = 0;                          // field 3
  int32_t PointCount = 0;                         // field 2
  std::array<float, 3> Values{0.0f, 0.0f, 1.0f};  // fields 4-6, not used by the drawing
  int32_t PoolSize = 0;                           // field 7
  float Scale = 1.0f;                             // field 8
};

}  // namespace jwkunit

// The tables of one parts file.
struct JwkData {
  jwkunit::THeader JwkHeader;
  std::vector<TJwcLine> JwkLines;
  std::vector<TJwcArc> JwkArcs;
  std::vector<TJwcPoint> JwkPoints;
  std::vector<TMoji2> JwkTexts;
};

namespace jwkunit {
// The tables under the reader's own name too, as the builders are declared with it.
using ::kyrovane::JwkData;
}  // namespace jwkunit

struct JwkReadResult {
  bool Ok = false;    // the whole file was read
  std::string Error;  // why not, for the user (as EReadError's); otherwise empty
};

inline constexpr std::string_view kJwkMagic = "jw_cad(c)sym........";

// Reads a whole file held in memory into `data`, replacing what it held. After a failed read
// the tables keep what was read before the failure.
JwkReadResult ReadJwkData(std::string_view bytes, JwkData& data);

void ClearJwkData(JwkData& data);

// Fills the header from the two lines; a field of line 2 that is not a number throws EReadError.
void ParseJwkHeader(jwkunit::THeader& header, std::string_view line1, std::string_view line2);

}  // namespace kyrovane
