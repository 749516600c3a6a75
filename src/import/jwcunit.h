#pragma once

// Reader of drawings in the older format (JWC): a text header of four 200-byte blocks, pens,
// text types, group and layer states, the line, arc, text and point records, the text pool and
// the names. Records whose type or colour codes lie outside their ranges are repaired and
// counted; the caller shows the notice.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/JwcRecords.h"

namespace kyrovane {

namespace jwcunit {

// The named values of the header blocks; defaults are those of a cleared reader.
struct THeader {
  std::string FirstText;   // block 0, bytes 1-40, holds the magic
  std::string Memo;        // block 0, bytes 41-72
  std::string ThirdText;   // block 0, bytes 73-104
  bool FormatMark = true;  // block 0, byte 23 is "f": group scales are singles, not words
  int32_t LineCount = 0, ArcCount = 0, TextCount = 0, PointCount = 0;  // block 1, fields 0-3
  int32_t PaperSize = 3;                                               // block 1, field 11
  int32_t DrawingTime = 0;     // block 1, field 18, seconds of editing
  int32_t ScaleDivisor = 518;  // block 1, field 30
  int32_t PoolStart = 393216;  // block 3, fields 0 and 1 as segment:offset
  int32_t PoolEnd = 589825;
  float Scale = 1.0f;  // long side of the sheet in mm / scale divisor
};

}  // namespace jwcunit

struct TJwcPen {
  uint32_t Column1 = 0, Column2 = 0;
  uint8_t Column3 = 0;
};

// Indexed by text type; sizes in 0.1 mm.
struct TJwcTextType {
  uint16_t ColorPen = 0, Width = 0, Height = 0, Spacing = 0;
};

// State byte A = 0 greys the group and draws it first; state byte B is its visibility.
struct TJwcGroup {
  float Scale = 0;
  uint8_t StateA = 0, StateB = 0, StateC = 0;
  std::string Name;
};

// Layer index = group x 16 + layer; the state bytes mean what they mean for groups.
struct TJwcLayer {
  uint8_t StateA = 0, StateB = 0;
  std::string Name;
};

// The tables of one drawing.
struct JwcData {
  jwcunit::THeader JwcHeader;
  std::array<TJwcPen, 101> JwcPens{};
  std::array<TJwcTextType, 12> JwcTextTypes{};  // 0..10 from the file, 11 stays zero
  std::array<TJwcGroup, 16> JwcGroups{};
  std::array<TJwcLayer, 256> JwcLayers{};
  std::vector<TJwcLine> JwcLines;
  std::vector<TJwcArc> JwcArcs;
  std::vector<TMoji2> JwcTexts;
  std::vector<TJwcPoint> JwcPoints;
};

namespace jwcunit {
// The tables under the reader's own name too, as the builders are declared with it.
using ::kyrovane::JwcData;
}  // namespace jwcunit

struct JwcReadResult {
  bool Ok = false;     // the whole file was read
  std::string Error;   // why not, for the user (as EReadError's); otherwise empty
  int Repairs = 0;     // records repaired, also when the read failed
  std::string Notice;  // the repair notice to show (UTF-8), empty when nothing was repaired
};

inline constexpr std::string_view kJwcMagic = "jw_cad(c)data.......";

// Reads a whole file held in memory into `data`, replacing what it held. After a failed read
// the tables keep what was read before the failure.
JwcReadResult ReadJwcData(std::string_view bytes, JwcData& data);

void ClearJwcData(JwcData& data);

// Fills the header from the four text blocks and computes the scale; a pool field that is not
// hexadecimal throws EReadError.
void ParseJwcHeader(jwcunit::THeader& header, const std::array<std::string_view, 4>& blocks);

// "データエラーが" + repairs + "個見つかりましたが、訂正を行いました。"
std::string JwcRepairNotice(int repairs);

}  // namespace kyrovane
