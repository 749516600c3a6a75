#pragma once

// Writes parts files from records, valid or deliberately damaged: every field of header line 2
// can be replaced by any text, and the pool and the records are written as given.

#include <map>
#include <string>
#include <vector>

#include "import/jwc/jwc_record_writer.h"
#include "import/jwkunit.h"

namespace kyrovane::test {

struct JwkDrawing {
  std::string SecondText;
  std::string ThirdText;
  std::vector<TJwcLine> Lines;
  std::vector<JwcArcRecord> Arcs;
  std::vector<TJwcPoint> Points;
  std::vector<Moji2Record> Texts;
  std::string Pool;
  std::string Scale = "100";
  // Fields of line 2 written instead of the ones above: field -> text.
  std::map<int, std::string> FieldOverrides;
};

inline std::string WriteJwk(const JwkDrawing& d) {
  ByteWriter out;
  std::string line1 = std::string(kJwkMagic) + ".......";
  line1.resize(40, '\0');
  line1 += d.SecondText;
  line1.resize(72, '\0');
  line1 += d.ThirdText;
  line1.resize(104, '\0');
  line1.resize(199, ' ');
  out.Bytes(line1 + '\n');

  std::vector<std::string> fields = {std::to_string(d.Lines.size()),
                                     std::to_string(d.Arcs.size()),
                                     std::to_string(d.Points.size()),
                                     std::to_string(d.Texts.size()),
                                     "4.000000",
                                     "4.000000",
                                     "0.048889",
                                     std::to_string(d.Pool.size()),
                                     d.Scale};
  for (const auto& [field, text] : d.FieldOverrides) fields.at(field) = text;
  // The text, a NUL, blanks and a line feed, as the parts files of the drawing program have it.
  std::string line2 = JoinFields(fields) + '\0';
  line2.resize(199, ' ');
  out.Bytes(line2 + '\n');

  WriteRecords(out, d.Lines);
  WriteRecords(out, d.Arcs);
  WriteRecords(out, d.Points);
  WriteRecords(out, d.Texts);
  out.Bytes(d.Pool);
  return out.Data();
}

// A parts file with every record kind; the texts point into the pool directly and through a
// segment, as the drawing program stores them.
inline JwkDrawing SampleJwkDrawing() {
  JwkDrawing d;
  d.SecondText = "\x95\x94\x95\x69";  // 部品
  // X1, Y1, X2, Y2, line type, pen, layer, spare, curve chain, flags
  d.Lines = {{0, 0, 100, 0, 1, 2, 3, 0, 0, 0},
             {1, 2, 3, 4, 2, 1, 0, 0, 0x40, 0},
             {3, 4, 5, 6, 2, 1, 0, 0, 0xC0, 0x40}};
  // Centre, radius, ratio, start, end and axis angle, line type, pen, layer, spare.
  d.Arcs = {{50, 60, 30, 10000, Fixed16(180), Fixed16(270), 0, 1, 2, 3, {36, 2, 0}}};
  d.Points = {{.X = 7, .Y = 8, .Layer = 1, .PenColor = 5}, {.X = -7, .Y = -8}};
  d.Pool = std::string("one\0\x93\xf1\0three", 12);
  // Base line, pool offset and segment, text type, layer, flags, spare.
  d.Texts = {{1, 2, 3, 2, 0, 0, 8, 0, 0, 0},
             {4, 5, 4, 9, 4, 0x4000, 0, 2, 0x20, 1},
             {6, 7, 8, 9, 7, 0, 10, 0, 0, 0}};
  return d;
}

}  // namespace kyrovane::test
