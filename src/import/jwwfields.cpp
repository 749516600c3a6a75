#include "import/jwwfields.h"

namespace kyrovane::jwwunit {
namespace {

void ReadHead(ByteReader& reader, JWWEntityHead& head) {
  head.CurveGroup = reader.U32();
  head.LineType = reader.U8();
  head.PenColor = reader.U16();
  head.Layer = reader.U16();
  head.LayerGroup = reader.U16();
  head.Flags = reader.U16();
}

}  // namespace

std::string ReadCountedString(ByteReader& reader) {
  uint32_t length = reader.U8();
  if (length == 0xFF) {
    length = reader.U16();
    if (length == 0xFFFF) length = reader.U32();
  }
  return std::string(reader.Bytes(length));
}

uint32_t ReadListCount(ByteReader& reader) {
  uint32_t count = reader.U16();
  return count == 0xFFFF ? reader.U32() : count;
}

void ReadRecord(ByteReader& reader, CDataSen& rec) {
  ReadHead(reader, rec.Head);
  rec.X1 = reader.F64();
  rec.Y1 = reader.F64();
  rec.X2 = reader.F64();
  rec.Y2 = reader.F64();
}

void ReadRecord(ByteReader& reader, CDataEnko& rec) {
  ReadHead(reader, rec.Head);
  rec.CenterX = reader.F64();
  rec.CenterY = reader.F64();
  rec.Radius = reader.F64();
  rec.StartAngle = reader.F64();
  rec.ArcAngle = reader.F64();
  rec.TiltAngle = reader.F64();
  rec.Flatness = reader.F64();
  rec.FullCircle = reader.U32();
}

void ReadRecord(ByteReader& reader, CDataTen& rec) {
  ReadHead(reader, rec.Head);
  rec.X = reader.F64();
  rec.Y = reader.F64();
  rec.Temporary = reader.U32();
}

void ReadRecord(ByteReader& reader, CDataMoji& rec) {
  ReadHead(reader, rec.Head);
  rec.StartX = reader.F64();
  rec.StartY = reader.F64();
  rec.EndX = reader.F64();
  rec.EndY = reader.F64();
  rec.TextType = reader.U32();
  rec.Width = reader.F64();
  rec.Height = reader.F64();
  rec.Spacing = reader.F64();
  rec.Angle = reader.F64();
  rec.FontName = ReadCountedString(reader);
  rec.Text = ReadCountedString(reader);
}

void ReadRecord(ByteReader& reader, CDataSunpou& rec) {
  ReadHead(reader, rec.Head);
  ReadRecord(reader, rec.Line);
  ReadRecord(reader, rec.Text);
}

void ReadRecord(ByteReader& reader, CDataSolid& rec) {
  ReadHead(reader, rec.Head);
  for (double& value : rec.Values) value = reader.F64();
  rec.Color = rec.Head.PenColor == 10 ? reader.U32() : 0;
}

void ReadRecord(ByteReader& reader, CDataBlock& rec) {
  ReadHead(reader, rec.Head);
  rec.X = reader.F64();
  rec.Y = reader.F64();
  rec.ScaleX = reader.F64();
  rec.ScaleY = reader.F64();
  rec.Rotation = reader.F64();
  rec.BlockNumber = reader.U32();
}

void ReadRecord(ByteReader& reader, CDataList& rec) {
  ReadHead(reader, rec.Head);
  rec.BlockNumber = reader.U32();
  rec.Reserved1 = reader.U32();
  rec.Reserved2 = reader.U32();
  rec.Name = ReadCountedString(reader);
  rec.MemberCount = ReadListCount(reader);
}

}  // namespace kyrovane::jwwunit
