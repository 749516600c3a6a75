#pragma once

// File forms of the records shared by the drawing and parts formats, for the test writers.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "import/JwcRecords.h"
#include "support/byte_writer.h"

namespace kyrovane::test {

// An arc as stored: the ratio in 1/10000, the angles in 16.16 fixed point degrees.
struct JwcArcRecord {
  float CenterX = 0, CenterY = 0, Radius = 0;
  uint16_t Ratio = 10000;
  int32_t StartAngle = 0, EndAngle = 0, AxisAngle = 0;
  uint8_t LineType = 1, PenColor = 1, Layer = 0;
  std::array<uint8_t, 3> Spare{};
};

// A text as stored: its pool position as an offset and a segment word.
struct Moji2Record {
  float X = 0, Y = 0, X2 = 0, Y2 = 0;
  uint16_t PoolOffset = 0, PoolSegment = 0;
  uint8_t TextType = 1, Layer = 0, Flags = 0, Spare = 0;
};

inline int32_t Fixed16(double degrees) {
  return static_cast<int32_t>(std::lround(degrees * 65536));
}

// "ssss:oooo" for a pool position, the offset below 16.
inline std::string SegmentOffset(int32_t position) {
  char text[16];
  std::snprintf(text, sizeof text, "%04X:%04X", static_cast<unsigned>(position / 16),
                static_cast<unsigned>(position % 16));
  return text;
}

inline void WriteRecord(ByteWriter& out, const TJwcLine& line) {
  out.F32(line.X1).F32(line.Y1).F32(line.X2).F32(line.Y2);
  out.U8(line.LineType).U8(line.PenColor).U8(line.Layer).U8(line.Spare);
  out.U8(line.CurveChain).U8(line.Flags);
}

inline void WriteRecord(ByteWriter& out, const JwcArcRecord& arc) {
  out.F32(arc.CenterX).F32(arc.CenterY).F32(arc.Radius).U16(arc.Ratio);
  out.I32(arc.StartAngle).I32(arc.EndAngle).I32(arc.AxisAngle);
  out.U8(arc.LineType).U8(arc.PenColor).U8(arc.Layer);
  for (uint8_t spare : arc.Spare) out.U8(spare);
}

inline void WriteRecord(ByteWriter& out, const TJwcPoint& point) {
  out.F32(point.X).F32(point.Y).U8(point.Layer).U8(point.PenColor);
  for (uint8_t spare : point.Spare) out.U8(spare);
}

inline void WriteRecord(ByteWriter& out, const Moji2Record& text) {
  out.F32(text.X).F32(text.Y).F32(text.X2).F32(text.Y2).U16(text.PoolOffset).U16(text.PoolSegment);
  out.U8(text.TextType).U8(text.Layer).U8(text.Flags).U8(text.Spare);
}

template <typename Record>
void WriteRecords(ByteWriter& out, const std::vector<Record>& records) {
  for (const Record& record : records) WriteRecord(out, record);
}

// Joins header fields with commas.
inline std::string JoinFields(const std::vector<std::string>& fields) {
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) text += (i ? "," : "") + fields[i];
  return text;
}

}  // namespace kyrovane::test
