#include "import/jwcunit.h"

#include <charconv>
#include <optional>

#include "import/JwHeader.h"

namespace kyrovane {
namespace {

constexpr std::size_t kHeaderBlockSize = 200;
constexpr int32_t kDefaultScaleDivisor = 518;
constexpr std::size_t kLayerNameSize = 8;
constexpr std::size_t kGroupNameSize = 16;

// Long side of the sheet in mm by paper code; other codes make the scale 1.
int32_t LongSide(int32_t paperSize, int32_t divisor) {
  switch (paperSize) {
    case 0:
      return 1189;
    case 1:
      return 841;
    case 2:
      return 594;
    case 3:
      return 420;
    case 4:
      return 297;
    case 8:
      return 1682;
    case 9:
      return 2378;
    case 10:
      return 3364;
    case 11:
      return 4756;
    default:
      return divisor;
  }
}

// One to four hexadecimal digits, ending at the first NUL byte.
std::optional<int32_t> ParseHex(std::string_view digits) {
  digits = digits.substr(0, digits.find('\0'));
  uint16_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
}

// "ssss:oooo", a segment and an offset in hexadecimal: segment x 16 + offset.
int32_t ParsePoolPosition(std::string_view field) {
  std::optional<int32_t> segment = ParseHex(field.substr(0, 4));
  std::optional<int32_t> offset = ParseHex(field.size() > 5 ? field.substr(5, 4) : "");
  if (!segment || !offset) throw EReadError("文字データの位置が16進数ではありません");
  return *segment * 16 + *offset;
}

bool InRange(uint8_t value, uint8_t low, uint8_t high) {
  return value >= low && value <= high;
}

// What a record with a code out of range becomes: at the origin on layer 0, pen 1, and for
// lines and arcs line type 9, which is not drawn.
TJwcLine RepairedLine() {
  TJwcLine line;
  line.LineType = 9;
  line.PenColor = 1;
  return line;
}

TJwcArc RepairedArc() {
  TJwcArc arc;
  arc.Ratio = 1.0f;
  arc.LineType = 9;
  arc.PenColor = 1;
  return arc;
}

TJwcPoint RepairedPoint() {
  TJwcPoint point;
  point.PenColor = 1;
  return point;
}

void ReadTables(ByteReader& reader, JwcData& data) {
  for (TJwcPen& pen : data.JwcPens) pen.Column1 = reader.U32();
  for (TJwcPen& pen : data.JwcPens) pen.Column2 = reader.U32();
  for (TJwcPen& pen : data.JwcPens) pen.Column3 = reader.U8();
  constexpr int kFileTextTypes = 11;
  for (int i = 0; i < kFileTextTypes; ++i) data.JwcTextTypes[i].ColorPen = reader.U16();
  for (int i = 0; i < kFileTextTypes; ++i) data.JwcTextTypes[i].Width = reader.U16();
  for (int i = 0; i < kFileTextTypes; ++i) data.JwcTextTypes[i].Height = reader.U16();
  for (int i = 0; i < kFileTextTypes; ++i) data.JwcTextTypes[i].Spacing = reader.U16();
  for (TJwcGroup& group : data.JwcGroups) {
    group.Scale = data.JwcHeader.FormatMark ? reader.F32() : static_cast<float>(reader.U16());
  }
  for (TJwcGroup& group : data.JwcGroups) group.StateA = reader.U8();
  for (TJwcLayer& layer : data.JwcLayers) layer.StateA = reader.U8();
  for (TJwcGroup& group : data.JwcGroups) group.StateB = reader.U8();
  for (TJwcLayer& layer : data.JwcLayers) layer.StateB = reader.U8();
  for (TJwcGroup& group : data.JwcGroups) group.StateC = reader.U8();
}

// Reads the records and the text pool; records with codes outside their ranges are replaced by
// harmless ones and counted in `repairs`.
void ReadRecordsAndPool(ByteReader& reader, JwcData& data, int& repairs) {
  const jwcunit::THeader& header = data.JwcHeader;
  ReadRecords(reader, header.LineCount, kJwcLineSize, data.JwcLines, [&](ByteReader& r) {
    TJwcLine line = ReadJwcLine(r);
    if (!InRange(line.PenColor, 1, 6) || !InRange(line.LineType, 1, 19)) {
      ++repairs;
      line = RepairedLine();
    }
    return line;
  });
  ReadRecords(reader, header.ArcCount, kJwcArcFileSize, data.JwcArcs, [&](ByteReader& r) {
    TJwcArc arc = ReadJwcArc(r);
    if (!InRange(arc.PenColor, 1, 6) || !InRange(arc.LineType, 1, 19)) {
      ++repairs;
      arc = RepairedArc();
    }
    return arc;
  });
  ReadRecords(reader, header.TextCount, kMoji2FileSize, data.JwcTexts, [&](ByteReader& r) {
    TMoji2 text = ReadMoji2(r);
    if (text.TextType > 10) {
      ++repairs;
      text.TextType = 1;
      text.X = text.Y = text.X2 = text.Y2 = 0;
    }
    return text;
  });

  // Positions beyond the pool's size are absolute addresses from the pool start.
  int64_t poolSize = int64_t{header.PoolEnd} - header.PoolStart;
  if (poolSize > 0) {
    TextPool pool(reader.Bytes(static_cast<std::size_t>(poolSize)));
    for (TMoji2& text : data.JwcTexts) {
      int64_t position = text.PoolPosition;
      if (position > poolSize) position -= header.PoolStart;
      text.Text = pool.TextAt(position);
    }
  }

  ReadRecords(reader, header.PointCount, kJwcPointSize, data.JwcPoints, [&](ByteReader& r) {
    TJwcPoint point = ReadJwcPoint(r);
    if (!InRange(point.PenColor, 1, 6)) {
      ++repairs;
      point = RepairedPoint();
    }
    return point;
  });
}

void ReadNames(ByteReader& reader, JwcData& data) {
  for (TJwcLayer& layer : data.JwcLayers) {
    layer.Name = ShortText(reader.Bytes(kLayerNameSize), 0, kLayerNameSize);
  }
  for (TJwcGroup& group : data.JwcGroups) {
    group.Name = ShortText(reader.Bytes(kGroupNameSize), 0, kGroupNameSize);
  }
}

}  // namespace

void ClearJwcData(JwcData& data) {
  data = JwcData{};
}

void ParseJwcHeader(jwcunit::THeader& header, const std::array<std::string_view, 4>& blocks) {
  std::string_view block0 = blocks[0];
  header.FirstText = ShortText(block0, 0, 40);
  header.Memo = ShortText(block0, 40, 32);
  header.ThirdText = ShortText(block0, 72, 32);
  header.FormatMark = block0.size() > 22 && block0[22] == 'f';

  std::vector<std::string> fields = SplitCommaFields(blocks[1], 32);
  header.LineCount = SafeStrToInt(fields[0]);
  header.ArcCount = SafeStrToInt(fields[1]);
  header.TextCount = SafeStrToInt(fields[2]);
  header.PointCount = SafeStrToInt(fields[3]);
  header.PaperSize = SafeStrToInt(fields[11]);
  header.DrawingTime = SafeStrToInt(fields[18]);
  // A divisor of 0 would divide by zero and a negative one would mirror the drawing.
  int32_t divisor = SafeStrToInt(fields[30]);
  header.ScaleDivisor = divisor > 0 ? divisor : kDefaultScaleDivisor;

  fields = SplitCommaFields(blocks[3], 22);
  header.PoolStart = ParsePoolPosition(fields[0]);
  header.PoolEnd = ParsePoolPosition(fields[1]);

  header.Scale =
      static_cast<float>(static_cast<long double>(LongSide(header.PaperSize, header.ScaleDivisor)) /
                         header.ScaleDivisor);
}

JwcReadResult ReadJwcData(std::string_view bytes, JwcData& data) {
  ClearJwcData(data);
  JwcReadResult result;
  try {
    ByteReader reader(bytes);
    std::array<std::string_view, 4> blocks;
    for (std::string_view& block : blocks) block = reader.Bytes(kHeaderBlockSize);
    ParseJwcHeader(data.JwcHeader, blocks);
    ReadTables(reader, data);
    ReadRecordsAndPool(reader, data, result.Repairs);
    ReadNames(reader, data);
    result.Ok = true;
  } catch (const EReadError& error) {
    result.Error = error.what();
  }
  if (result.Repairs > 0) result.Notice = JwcRepairNotice(result.Repairs);
  return result;
}

std::string JwcRepairNotice(int repairs) {
  return "データエラーが" + std::to_string(repairs) + "個見つかりましたが、訂正を行いました。";
}

}  // namespace kyrovane
