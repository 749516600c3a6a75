#include "import/jwwunit.h"

#include <algorithm>
#include <string>

#include "import/ByteReader.h"
#include "import/jwwfields.h"
#include "import/jwwobjects.h"

namespace kyrovane::jwwunit {
namespace {

constexpr std::string_view kSignature = "JwwData.";

JwwReadResult Failure(JwwReadStatus status, std::string reason) {
  return {status, std::move(reason)};
}

JwwReadResult Damaged(const EReadError& error, const ByteReader& reader) {
  return Failure(JwwReadStatus::Damaged, std::string(error.what()) + "（" +
                                             std::to_string(reader.Position()) + " バイト目）");
}

template <std::size_t N>
void ReadRaw(ByteReader& reader, std::array<uint8_t, N>& out) {
  std::string_view raw = reader.Bytes(N);
  std::copy(raw.begin(), raw.end(), out.begin());
}

template <std::size_t N>
void ReadWords(ByteReader& reader, std::array<uint32_t, N>& out) {
  for (uint32_t& word : out) word = reader.U32();
}

void ReadGroup(ByteReader& reader, JWWGroupRecord& group) {
  group.State = reader.U32();
  group.Reserved1 = reader.U32();
  group.Reserved2 = reader.F64();
  group.Reserved3 = reader.U32();
  for (JWWLayerRecord& layer : group.Layers) {
    layer.State = reader.U32();
    layer.Reserved = reader.U32();
  }
}

// Everything after the version word.
void ReadHeaderBody(ByteReader& reader, JWWHead& head) {
  head.Memo = ReadCountedString(reader);
  head.PaperSize = reader.U32();
  head.Reserved1 = reader.U32();
  for (JWWGroupRecord& group : head.Groups) ReadGroup(reader, group);
  ReadRaw(reader, head.Reserved2);
  for (std::string& name : head.LayerNames) name = ReadCountedString(reader);
  for (std::string& name : head.GroupNames) name = ReadCountedString(reader);
  ReadRaw(reader, head.Reserved3);
  for (JWWRandomLineType& type : head.RandomLineTypes) {
    type.Pattern = reader.U32();
    type.Reserved1 = reader.U32();
    type.Reserved2 = reader.U32();
    type.Width = reader.U32();
    type.Pitch = reader.U32();
  }
  ReadRaw(reader, head.Reserved4);
  ReadWords(reader, head.Reserved5);
  head.SolidsFirst = reader.U32();
  head.ReverseOrderFlag = reader.U32();
  ReadWords(reader, head.Reserved6);
  head.DrawingTime = reader.U32();
  ReadWords(reader, head.Reserved7);
  ReadRaw(reader, head.Reserved8);
  for (JWWTextType& type : head.TextTypes) {
    type.Reserved1 = reader.F64();
    type.Reserved2 = reader.F64();
    type.Spacing = reader.F64();
    type.Reserved3 = reader.U32();
  }
  ReadRaw(reader, head.Reserved9);
}

// Reads the header from the start of the file; Ok leaves the reader after it.
JwwReadResult ReadHeader(ByteReader& reader, JWWHead& head) {
  head = JWWHead();
  head.Signature = reader.Bytes(std::min(kSignature.size(), reader.Remaining()));
  // A file that ends before its version cannot be a drawing of version 230: it is refused as a
  // file of another kind, not as a damaged drawing.
  if (head.Signature != kSignature || reader.Remaining() < sizeof(head.Version)) {
    return Failure(JwwReadStatus::NotJww, "JWW ファイルではありません");
  }
  try {
    head.Version = reader.U32();
    if (head.Version != kJwwVersion) {
      return Failure(JwwReadStatus::WrongVersion, "JWW ファイルのバージョンが 230 ではなく " +
                                                      std::to_string(head.Version) + " です");
    }
    ReadHeaderBody(reader, head);
  } catch (const EReadError& error) {
    return Damaged(error, reader);
  }
  return {};
}

}  // namespace

void JwwData::ClearTables() {
  JwwLines.clear();
  JwwArcs.clear();
  JwwPoints.clear();
  JwwTexts.clear();
  JwwSolids.clear();
  JwwInserts.clear();
  JwwDims.clear();
  JwwBlocks.Clear();
}

JwwReadResult ParseJwwHeader(std::string_view bytes, JwwData& data) {
  ByteReader reader(bytes);
  return ReadHeader(reader, data.JwwHeader);
}

JwwReadResult ParseJwwFile(std::string_view bytes, JwwData& data) {
  data.ClearTables();
  ByteReader reader(bytes);
  JwwReadResult result = ReadHeader(reader, data.JwwHeader);
  if (!result) return result;
  try {
    ReadObjectList(reader, data);
  } catch (const EReadError& error) {
    data.ClearTables();
    return Damaged(error, reader);
  }
  return {};
}

}  // namespace kyrovane::jwwunit
