#pragma once

// One line of Shift-JIS text at an anchor point. Paper-sized texts follow the drawings' text
// conventions: a trailing blank is dropped, a trailing "^n" narrows the text, trailing middle
// dots become spacing and a negative gap becomes a narrower scale.

#include <string>
#include <string_view>

#include "cad/CadEntity.h"

namespace kyrovane {

class TCad_Text : public TCad_Entity {
 public:
  TCad_Text(TCad_Object* AOwner, TCad_Layer& ALayer);

  // A record of the text type nearest below the text's height.
  void ExportJwc(TCad_JwcTables& Tables, TCad_Insert* Insert) override;
  // Paper-sized texts are written as drawn: at the output scale, without a trailing blank or
  // trailing middle dots.
  void WriteDxf(std::ostream& Stream) override;

  // A text is never skipped for lying off the page.
  bool IsOnPage(long double, long double, long double, long double) const override { return true; }
  // Draws in pass 3; works on copies, so the entity looks the same on every page and tile.
  void Draw(TCad_Insert* Insert, TPdfCanvas& Canvas, long double OffX, long double OffY,
            std::uint8_t Pass) override;

  TPoint3 Position;             // anchor, millimetres
  std::string Text;             // code page 932 bytes
  long double Height = 0;       // character height, millimetres
  long double HScale = 0;       // horizontal scale, percent
  std::uint8_t PaperSized = 0;  // Height and Spacing are paper sizes; also enables escapes
  long double Spacing = 0;      // gap between characters, millimetres
  long double Angle = 0;        // degrees
  std::uint8_t Vertical = 0;
  std::string FontName;  // registered PDF font alias; empty means the default font
};

// Removes middle dots (the single-byte 0xA5 or the double-byte 0x81 0x45) from the end of a
// text while it is at least 3 bytes long.
std::string StripTrailingDots(std::string_view S);

// A paper-sized text as it is written out: without its trailing blank, or else, when longer
// than 2 bytes, without the middle dots it ends in.
std::string TrimPaperText(std::string_view S);

}  // namespace kyrovane
