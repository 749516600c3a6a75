#include "import/jwkunit.h"

#include "import/JwHeader.h"

namespace kyrovane {
namespace {

constexpr std::size_t kHeaderLineSize = 200;

int32_t StrictInt(std::string_view field) {
  std::optional<int32_t> value = ParseHeaderInt(field);
  if (!value) throw EReadError("ヘッダーの値が整数ではありません");
  return *value;
}

float StrictFloat(std::string_view field) {
  std::optional<long double> value = ParseHeaderFloat(field);
  if (!value) throw EReadError("ヘッダーの値が数値ではありません");
  return static_cast<float>(*value);
}

// Parts files keep their pool at some segment, so a text's position may lie far beyond the
// pool; it is then taken relative to its own segment.
std::string TextOf(TextPool& pool, int32_t position, uint16_t offset) {
  return pool.TextAt(static_cast<std::size_t>(position) < pool.Size() ? position : offset);
}

}  // namespace

void ClearJwkData(JwkData& data) {
  data = JwkData{};
}

void ParseJwkHeader(jwkunit::THeader& header, std::string_view line1, std::string_view line2) {
  header.FirstText = ShortText(line1, 0, 40);
  header.SecondText = ShortText(line1, 40, 32);
  header.ThirdText = ShortText(line1, 72, 32);

  std::vector<std::string> fields = SplitCommaFields(line2, 9);
  header.LineCount = StrictInt(fields[0]);
  header.ArcCount = StrictInt(fields[1]);
  header.PointCount = StrictInt(fields[2]);
  header.TextCount = StrictInt(fields[3]);
  for (std::size_t i = 0; i < header.Values.size(); ++i)
    header.Values[i] = StrictFloat(fields[4 + i]);
  header.PoolSize = StrictInt(fields[7]);
  header.Scale = StrictFloat(fields[8]);
}

JwkReadResult ReadJwkData(std::string_view bytes, JwkData& data) {
  ClearJwkData(data);
  JwkReadResult result;
  try {
    ByteReader reader(bytes);
    std::string_view line1 = reader.Bytes(kHeaderLineSize);
    std::string_view line2 = reader.Bytes(kHeaderLineSize);
    ParseJwkHeader(data.JwkHeader, line1, line2);
    const jwkunit::THeader& header = data.JwkHeader;

    ReadRecords(reader, header.LineCount, kJwcLineSize, data.JwkLines, ReadJwcLine);
    ReadRecords(reader, header.ArcCount, kJwcArcFileSize, data.JwkArcs, ReadJwcArc);
    ReadRecords(reader, header.PointCount, kJwcPointSize, data.JwkPoints, ReadJwcPoint);
    std::vector<uint16_t> offsets;
    ReadRecords(reader, header.TextCount, kMoji2FileSize, data.JwkTexts, [&](ByteReader& r) {
      uint16_t offset = 0;
      TMoji2 text = ReadMoji2(r, &offset);
      offsets.push_back(offset);
      return text;
    });
    if (header.PoolSize > 0) {
      TextPool pool(reader.Bytes(static_cast<std::size_t>(header.PoolSize)));
      for (std::size_t i = 0; i < data.JwkTexts.size(); ++i) {
        TMoji2& text = data.JwkTexts[i];
        text.Text = TextOf(pool, text.PoolPosition, offsets[i]);
      }
    }
    result.Ok = true;
  } catch (const EReadError& error) {
    result.Error = error.what();
  }
  return result;
}

}  // namespace kyrovane
