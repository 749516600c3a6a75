#include "import/support/jww_writer.h"

namespace kyrovane::test {

using namespace jwwunit;

JWWHead DefaultJwwHead() {
  JWWHead head;
  head.Signature = "JwwData.";
  head.Version = 230;
  return head;
}

std::string TwoLayerLines(uint32_t reverseOrderFlag) {
  JWWHead head = DefaultJwwHead();
  head.PaperSize = 4;
  head.ReverseOrderFlag = reverseOrderFlag;
  for (JWWGroupRecord& group : head.Groups) {
    group.State = 2;
    for (JWWLayerRecord& layer : group.Layers) layer.State = 2;
  }
  JWWEntityHead first;
  first.LineType = 1;
  first.PenColor = 1;
  JWWEntityHead second = first;
  second.Layer = 1;
  JwwWriter writer(head);
  writer.Count(2).Object(CDataSen{first, 0, 0, 100, 50}).Object(CDataSen{second, 10, 10, 20, 10});
  return writer.Data();
}

std::string OneText(std::string_view text) {
  JWWHead head = DefaultJwwHead();
  head.Groups[0].State = 2;
  head.Groups[0].Layers[0].State = 2;
  CDataMoji moji;
  moji.Head.PenColor = 1;
  moji.EndX = 10;
  moji.Text = std::string(text);
  return JwwWriter(head).Count(1).Object(moji).Data();
}

JwwWriter::JwwWriter(const JWWHead& head, Form stringForm) : stringForm_(stringForm) {
  out_.Bytes(head.Signature).U32(head.Version);
  String(head.Memo);
  out_.U32(head.PaperSize).U32(head.Reserved1);
  for (const JWWGroupRecord& group : head.Groups) {
    out_.U32(group.State).U32(group.Reserved1).F64(group.Reserved2).U32(group.Reserved3);
    for (const JWWLayerRecord& layer : group.Layers) out_.U32(layer.State).U32(layer.Reserved);
  }
  auto raw = [this](const auto& bytes) {
    out_.Bytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  };
  raw(head.Reserved2);
  for (const std::string& name : head.LayerNames) String(name);
  for (const std::string& name : head.GroupNames) String(name);
  raw(head.Reserved3);
  for (const JWWRandomLineType& type : head.RandomLineTypes) {
    out_.U32(type.Pattern).U32(type.Reserved1).U32(type.Reserved2).U32(type.Width).U32(type.Pitch);
  }
  raw(head.Reserved4);
  for (uint32_t word : head.Reserved5) out_.U32(word);
  out_.U32(head.SolidsFirst).U32(head.ReverseOrderFlag);
  for (uint32_t word : head.Reserved6) out_.U32(word);
  out_.U32(head.DrawingTime);
  for (uint32_t word : head.Reserved7) out_.U32(word);
  raw(head.Reserved8);
  for (const JWWTextType& type : head.TextTypes) {
    out_.F64(type.Reserved1).F64(type.Reserved2).F64(type.Spacing).U32(type.Reserved3);
  }
  raw(head.Reserved9);
}

JwwWriter& JwwWriter::Count(uint32_t count, Form form) {
  if (count < 0xFFFF && form == Form::Shortest) {
    out_.U16(static_cast<uint16_t>(count));
  } else {
    out_.U16(0xFFFF).U32(count);
  }
  return *this;
}

JwwWriter& JwwWriter::Word(uint16_t word) {
  out_.U16(word);
  return *this;
}

JwwWriter& JwwWriter::Bytes(std::string_view bytes) {
  out_.Bytes(bytes);
  return *this;
}

void JwwWriter::Tag(const std::string& className) {
  auto known = classes_.find(className);
  if (known == classes_.end()) {
    out_.U16(0xFFFF).U16(0xE6).U16(static_cast<uint16_t>(className.size())).Bytes(className);
    classes_[className] = counter_++;
  } else if (bigTags_ || known->second >= 0x7FFF) {
    out_.U16(0x7FFF).U32(0x80000000u | known->second);
  } else {
    out_.U16(static_cast<uint16_t>(0x8000 | known->second));
  }
  ++counter_;  // the object's own index
}

void JwwWriter::String(std::string_view text) {
  const std::size_t length = text.size();
  if (length < 0xFF && stringForm_ == Form::Shortest) {
    out_.U8(static_cast<uint8_t>(length));
  } else if (length < 0xFFFF && stringForm_ != Form::Dword) {
    out_.U8(0xFF).U16(static_cast<uint16_t>(length));
  } else {
    out_.U8(0xFF).U16(0xFFFF).U32(static_cast<uint32_t>(length));
  }
  out_.Bytes(text);
}

void JwwWriter::Head(const JWWEntityHead& head) {
  out_.U32(head.CurveGroup).U8(head.LineType).U16(head.PenColor).U16(head.Layer);
  out_.U16(head.LayerGroup).U16(head.Flags);
}

JwwWriter& JwwWriter::Fields(const CDataSen& rec) {
  Head(rec.Head);
  out_.F64(rec.X1).F64(rec.Y1).F64(rec.X2).F64(rec.Y2);
  return *this;
}

JwwWriter& JwwWriter::Fields(const CDataEnko& rec) {
  Head(rec.Head);
  out_.F64(rec.CenterX).F64(rec.CenterY).F64(rec.Radius).F64(rec.StartAngle).F64(rec.ArcAngle);
  out_.F64(rec.TiltAngle).F64(rec.Flatness).U32(rec.FullCircle);
  return *this;
}

JwwWriter& JwwWriter::Fields(const CDataTen& rec) {
  Head(rec.Head);
  out_.F64(rec.X).F64(rec.Y).U32(rec.Temporary);
  return *this;
}

JwwWriter& JwwWriter::Fields(const CDataMoji& rec) {
  Head(rec.Head);
  out_.F64(rec.StartX).F64(rec.StartY).F64(rec.EndX).F64(rec.EndY).U32(rec.TextType);
  out_.F64(rec.Width).F64(rec.Height).F64(rec.Spacing).F64(rec.Angle);
  String(rec.FontName);
  String(rec.Text);
  return *this;
}

JwwWriter& JwwWriter::Fields(const CDataSunpou& rec) {
  Head(rec.Head);
  Fields(rec.Line);
  return Fields(rec.Text);
}

JwwWriter& JwwWriter::Fields(const CDataSolid& rec) {
  Head(rec.Head);
  for (double value : rec.Values) out_.F64(value);
  if (rec.Head.PenColor == 10) out_.U32(rec.Color);
  return *this;
}

JwwWriter& JwwWriter::Fields(const CDataBlock& rec) {
  Head(rec.Head);
  out_.F64(rec.X).F64(rec.Y).F64(rec.ScaleX).F64(rec.ScaleY).F64(rec.Rotation);
  out_.U32(rec.BlockNumber);
  return *this;
}

JwwWriter& JwwWriter::Fields(const CDataList& rec, Form countForm) {
  Head(rec.Head);
  out_.U32(rec.BlockNumber).U32(rec.Reserved1).U32(rec.Reserved2);
  String(rec.Name);
  return Count(rec.MemberCount, countForm);
}

JwwWriter& JwwWriter::ForeignObject(const std::string& className, std::string_view fields) {
  Tag(className);
  out_.Bytes(fields);
  return *this;
}

}  // namespace kyrovane::test
