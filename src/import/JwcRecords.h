#pragma once

// The line, arc, point and text records that the drawing format and the parts format share:
// their memory form, the decoding of their file form, and the text pool the texts point into.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/ByteReader.h"

namespace kyrovane {

// 22 bytes in the file and the same fields in memory.
struct TJwcLine {
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  uint8_t LineType = 0;  // 1..19
  uint8_t PenColor = 0;  // 1..6
  uint8_t Layer = 0;     // group x 16 + layer
  uint8_t Spare = 0;
  uint8_t CurveChain = 0;  // bits 6-7: 0x40 start, 0x80 middle, 0xC0 end of a curve chain
  uint8_t Flags = 0;       // bit 6 keeps the line out of a chain
  bool operator==(const TJwcLine&) const = default;
};
inline constexpr std::size_t kJwcLineSize = 22;

// 32 bytes in the file: the ratio is stored in 1/10000 and the angles in 16.16 fixed point.
struct TJwcArc {
  float CenterX = 0, CenterY = 0, Radius = 0;
  float Ratio = 0;                                    // minor to major radius, 1.0 for a circle
  float StartAngle = 0, EndAngle = 0, AxisAngle = 0;  // degrees
  uint8_t LineType = 0;
  uint8_t PenColor = 0;
  uint8_t Layer = 0;
  std::array<uint8_t, 3> Spare{};
  bool operator==(const TJwcArc&) const = default;
};
inline constexpr std::size_t kJwcArcFileSize = 32;

// 12 bytes in the file and the same fields in memory.
struct TJwcPoint {
  float X = 0, Y = 0;
  uint8_t Layer = 0;
  uint8_t PenColor = 0;  // 1..6
  std::array<uint8_t, 2> Spare{};
  bool operator==(const TJwcPoint&) const = default;
};
inline constexpr std::size_t kJwcPointSize = 12;

// 24 bytes in the file, where the pool position is an offset and a segment word.
struct TMoji2 {
  float X = 0, Y = 0;        // start of the base line
  float X2 = 0, Y2 = 0;      // end of the base line
  int32_t PoolPosition = 0;  // segment x 16 + offset
  uint8_t TextType = 0;      // 1..10
  uint8_t Layer = 0;
  uint8_t Flags = 0;  // 0x20: vertical text
  uint8_t Spare = 0;
  std::string Text;  // code page 932
  bool operator==(const TMoji2&) const = default;
};
inline constexpr std::size_t kMoji2FileSize = 24;

TJwcLine ReadJwcLine(ByteReader& reader);
TJwcArc ReadJwcArc(ByteReader& reader);
TJwcPoint ReadJwcPoint(ByteReader& reader);
// The text stays empty; `poolOffset`, when given, receives the offset word of the pool position.
TMoji2 ReadMoji2(ByteReader& reader, uint16_t* poolOffset = nullptr);

// Appends `count` records of `fileSize` bytes, each read by `read`; a negative count or one that
// the remaining bytes cannot hold is refused before anything is allocated.
template <typename Record, typename Read>
void ReadRecords(ByteReader& reader, int64_t count, std::size_t fileSize,
                 std::vector<Record>& records, Read read) {
  if (count < 0) throw EReadError("レコード数が負の値です");
  reader.RequireRecords(static_cast<uint64_t>(count), fileSize);
  records.reserve(records.size() + static_cast<std::size_t>(count));
  for (int64_t i = 0; i < count; ++i) records.push_back(read(reader));
}

// The texts of a file's text pool. A text is the NUL-terminated string at its position; the pool
// ends at its size, so a string without a NUL ends there and a position outside the pool gives an
// empty text. Texts may share pool bytes, so a hostile file could make every text the whole pool:
// the texts of one pool together hold at most kMaxTextBytes.
class TextPool {
 public:
  static constexpr std::size_t kMaxTextBytes = 64u * 1024 * 1024;

  explicit TextPool(std::string_view bytes) : bytes_(bytes) {}

  std::size_t Size() const { return bytes_.size(); }

  // Throws EReadError when the texts would hold more than kMaxTextBytes.
  std::string TextAt(int64_t position);

 private:
  std::string_view bytes_;
  std::size_t budget_ = kMaxTextBytes;
};

}  // namespace kyrovane
