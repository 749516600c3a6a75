#include "import/JwcRecords.h"

namespace kyrovane {

TJwcLine ReadJwcLine(ByteReader& reader) {
  TJwcLine line;
  line.X1 = reader.F32();
  line.Y1 = reader.F32();
  line.X2 = reader.F32();
  line.Y2 = reader.F32();
  line.LineType = reader.U8();
  line.PenColor = reader.U8();
  line.Layer = reader.U8();
  line.Spare = reader.U8();
  line.CurveChain = reader.U8();
  line.Flags = reader.U8();
  return line;
}

TJwcArc ReadJwcArc(ByteReader& reader) {
  TJwcArc arc;
  arc.CenterX = reader.F32();
  arc.CenterY = reader.F32();
  arc.Radius = reader.F32();
  arc.Ratio = static_cast<float>(static_cast<long double>(reader.U16()) / 10000);
  arc.StartAngle = static_cast<float>(static_cast<long double>(reader.I32()) / 65536);
  arc.EndAngle = static_cast<float>(static_cast<long double>(reader.I32()) / 65536);
  arc.AxisAngle = static_cast<float>(static_cast<long double>(reader.I32()) / 65536);
  arc.LineType = reader.U8();
  arc.PenColor = reader.U8();
  arc.Layer = reader.U8();
  for (uint8_t& spare : arc.Spare) spare = reader.U8();
  return arc;
}

TJwcPoint ReadJwcPoint(ByteReader& reader) {
  TJwcPoint point;
  point.X = reader.F32();
  point.Y = reader.F32();
  point.Layer = reader.U8();
  point.PenColor = reader.U8();
  for (uint8_t& spare : point.Spare) spare = reader.U8();
  return point;
}

TMoji2 ReadMoji2(ByteReader& reader, uint16_t* poolOffset) {
  TMoji2 text;
  text.X = reader.F32();
  text.Y = reader.F32();
  text.X2 = reader.F32();
  text.Y2 = reader.F32();
  uint16_t offset = reader.U16();
  uint16_t segment = reader.U16();
  text.PoolPosition = int32_t{segment} * 16 + offset;
  text.TextType = reader.U8();
  text.Layer = reader.U8();
  text.Flags = reader.U8();
  text.Spare = reader.U8();
  if (poolOffset != nullptr) *poolOffset = offset;
  return text;
}

std::string TextPool::TextAt(int64_t position) {
  if (position < 0 || static_cast<uint64_t>(position) >= bytes_.size()) return {};
  // Looking no further than the budget keeps the time bounded too.
  std::string_view window = bytes_.substr(static_cast<std::size_t>(position), budget_ + 1);
  std::string_view text = window.substr(0, window.find('\0'));
  if (text.size() > budget_) throw EReadError("文字データが多すぎます");
  budget_ -= text.size();
  return std::string(text);
}

}  // namespace kyrovane
