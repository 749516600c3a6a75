#pragma once

// Writes drawings of the older format from records, valid or deliberately damaged: every header
// field can be replaced by any text, and the pool and the records are written as given.

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "import/jwc/jwc_record_writer.h"
#include "import/jwcunit.h"

namespace kyrovane::test {

struct JwcDrawing {
  std::string Memo;
  std::string ThirdText;
  bool FormatMark = true;
  int PaperSize = 3;
  int ScaleDivisor = 100;
  int DrawingTime = 0;
  std::array<TJwcPen, 101> Pens{};
  std::array<TJwcTextType, 11> TextTypes{};
  std::array<TJwcGroup, 16> Groups{};  // scales are written as words without the format mark
  std::array<TJwcLayer, 256> Layers{};
  std::vector<TJwcLine> Lines;
  std::vector<JwcArcRecord> Arcs;
  std::vector<Moji2Record> Texts;
  std::string Pool;
  int32_t PoolStart = 0x60000;  // the pool end is the start plus the pool's size
  std::vector<TJwcPoint> Points;
  // Header fields written instead of the ones above: {block, field} -> text.
  std::map<std::pair<int, int>, std::string> FieldOverrides;
};

inline std::string JwcHeaderBlock(std::vector<std::string> fields, int block,
                                  const JwcDrawing& drawing) {
  for (const auto& [where, text] : drawing.FieldOverrides) {
    if (where.first == block) fields.at(where.second) = text;
  }
  std::string text = JoinFields(fields);
  text.resize(200, '\0');
  return text;
}

inline std::string WriteJwc(const JwcDrawing& d) {
  ByteWriter out;
  std::string block0(200, '\0');
  block0.replace(0, 23, std::string(kJwcMagic) + ".." + (d.FormatMark ? "f" : "."));
  block0.replace(40, d.Memo.size(), d.Memo);
  block0.replace(72, d.ThirdText.size(), d.ThirdText);
  out.Bytes(block0.substr(0, 200));

  std::vector<std::string> block1(32, "0");
  block1[0] = std::to_string(d.Lines.size());
  block1[1] = std::to_string(d.Arcs.size());
  block1[2] = std::to_string(d.Texts.size());
  block1[3] = std::to_string(d.Points.size());
  block1[11] = std::to_string(d.PaperSize);
  block1[18] = std::to_string(d.DrawingTime);
  block1[30] = std::to_string(d.ScaleDivisor);
  out.Bytes(JwcHeaderBlock(block1, 1, d));
  out.Bytes(JwcHeaderBlock(std::vector<std::string>(28, "0"), 2, d));
  std::vector<std::string> block3(22, "0");
  block3[0] = SegmentOffset(d.PoolStart);
  block3[1] = SegmentOffset(d.PoolStart + static_cast<int32_t>(d.Pool.size()));
  out.Bytes(JwcHeaderBlock(block3, 3, d));

  for (const TJwcPen& pen : d.Pens) out.U32(pen.Column1);
  for (const TJwcPen& pen : d.Pens) out.U32(pen.Column2);
  for (const TJwcPen& pen : d.Pens) out.U8(pen.Column3);
  for (const TJwcTextType& type : d.TextTypes) out.U16(type.ColorPen);
  for (const TJwcTextType& type : d.TextTypes) out.U16(type.Width);
  for (const TJwcTextType& type : d.TextTypes) out.U16(type.Height);
  for (const TJwcTextType& type : d.TextTypes) out.U16(type.Spacing);
  for (const TJwcGroup& group : d.Groups) {
    if (d.FormatMark) {
      out.F32(group.Scale);
    } else {
      out.U16(static_cast<uint16_t>(group.Scale));
    }
  }
  for (const TJwcGroup& group : d.Groups) out.U8(group.StateA);
  for (const TJwcLayer& layer : d.Layers) out.U8(layer.StateA);
  for (const TJwcGroup& group : d.Groups) out.U8(group.StateB);
  for (const TJwcLayer& layer : d.Layers) out.U8(layer.StateB);
  for (const TJwcGroup& group : d.Groups) out.U8(group.StateC);

  WriteRecords(out, d.Lines);
  WriteRecords(out, d.Arcs);
  WriteRecords(out, d.Texts);
  out.Bytes(d.Pool);
  WriteRecords(out, d.Points);
  for (const TJwcLayer& layer : d.Layers)
    out.Bytes(std::string(layer.Name).append(8, '\0').substr(0, 8));
  for (const TJwcGroup& group : d.Groups)
    out.Bytes(std::string(group.Name).append(16, '\0').substr(0, 16));
  return out.Data();
}

// The file form of tables, read or exported: their records with the texts in one pool, and the
// header values and tables they hold.
inline JwcDrawing DrawingOf(const JwcData& data) {
  JwcDrawing d;
  d.Memo = data.JwcHeader.Memo;
  d.PaperSize = data.JwcHeader.PaperSize;
  d.ScaleDivisor = data.JwcHeader.ScaleDivisor;
  d.DrawingTime = data.JwcHeader.DrawingTime;
  d.Pens = data.JwcPens;
  std::copy_n(data.JwcTextTypes.begin(), d.TextTypes.size(), d.TextTypes.begin());
  d.Groups = data.JwcGroups;
  d.Layers = data.JwcLayers;
  d.Lines = data.JwcLines;
  for (const TJwcArc& arc : data.JwcArcs) {
    d.Arcs.push_back({arc.CenterX, arc.CenterY, arc.Radius,
                      static_cast<uint16_t>(std::lround(arc.Ratio * 10000)),
                      Fixed16(arc.StartAngle), Fixed16(arc.EndAngle), Fixed16(arc.AxisAngle),
                      arc.LineType, arc.PenColor, arc.Layer, arc.Spare});
  }
  for (const TMoji2& text : data.JwcTexts) {
    d.Texts.push_back({text.X, text.Y, text.X2, text.Y2, static_cast<uint16_t>(d.Pool.size()), 0,
                       text.TextType, text.Layer, text.Flags, text.Spare});
    d.Pool += text.Text + '\0';
  }
  d.Points = data.JwcPoints;
  return d;
}

// A drawing with some of everything: every table filled, each record kind, texts at relative
// and absolute pool positions.
inline JwcDrawing SampleJwcDrawing(bool formatMark = true) {
  JwcDrawing d;
  d.Memo = "\x90\x7d\x96\xca memo";  // 図面
  d.ThirdText = "third";
  d.FormatMark = formatMark;
  d.PaperSize = 2;
  d.ScaleDivisor = 50;
  d.DrawingTime = 3725;
  for (int i = 0; i < 101; ++i) {
    d.Pens[i] = TJwcPen{static_cast<uint32_t>(i * 1000 + 1), static_cast<uint32_t>(i * 7),
                        static_cast<uint8_t>(i)};
  }
  for (int i = 0; i < 11; ++i) {
    d.TextTypes[i] = TJwcTextType{static_cast<uint16_t>(i % 9 + 1), static_cast<uint16_t>(20 + i),
                                  static_cast<uint16_t>(30 + i), static_cast<uint16_t>(i)};
  }
  for (int g = 0; g < 16; ++g) {
    d.Groups[g].Scale = static_cast<float>(100 + g);
    d.Groups[g].StateA = static_cast<uint8_t>(g % 3);
    d.Groups[g].StateB = static_cast<uint8_t>(g % 2);
    d.Groups[g].StateC = static_cast<uint8_t>(g);
    d.Groups[g].Name = "group" + std::to_string(g);
  }
  for (int l = 0; l < 256; ++l) {
    d.Layers[l].StateA = static_cast<uint8_t>(l % 3);
    d.Layers[l].StateB = static_cast<uint8_t>((l + 1) % 2);
    d.Layers[l].Name = "L" + std::to_string(l);
  }
  d.Groups[15].Name = "sixteen-bytes-xx";                   // a name that fills its field, no NUL
  d.Layers[255].Name = "\x83\x8c\x83\x43\x83\x84\x81\x5b";  // レイヤー, eight bytes
  // X1, Y1, X2, Y2, line type, pen, layer, spare, curve chain, flags
  d.Lines = {{1.5f, 2.5f, 3.5f, -4.5f, 1, 2, 17, 0, 0, 0},
             {10, 20, 30, 40, 19, 6, 255, 7, 0x40, 0x40}};
  // Centre, radius, ratio, start, end and axis angle, line type, pen, layer, spare.
  d.Arcs = {
      {5, 6, 7, 10000, Fixed16(0), Fixed16(360), 0, 2, 3, 4, {}},
      {-5, 6.25f, 0.5f, 5000, Fixed16(-90.5), Fixed16(187.125), Fixed16(30), 5, 1, 33, {1, 2, 3}}};
  // Pool: "abc\0" at 0, "\x8e\x9a\0" (字) at 4, "$F %d\0" at 7.
  d.Pool = std::string("abc\0\x8e\x9a\0$F %d\0", 13);
  // Base line, pool offset and segment, text type, layer, flags, spare; the second text is
  // absolute: the pool start 0x60000 is segment 0x6000.
  d.Texts = {{1, 2, 11, 2, 0, 0, 0, 3, 0x20, 0},
             {3, 4, 3, 14, 4, 0x6000, 10, 200, 0, 9},
             {5, 6, 7, 8, 7, 0, 4, 0, 0, 0}};
  d.Points = {{.X = 9, .Y = 10, .Layer = 12, .PenColor = 6, .Spare = {5, 6}},
              {.X = -1, .Y = -2, .Layer = 0, .PenColor = 1}};
  return d;
}

}  // namespace kyrovane::test
