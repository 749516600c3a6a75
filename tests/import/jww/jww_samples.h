#pragma once

// Records with distinct, recognisable field values for the reader tests: a value read from the
// wrong offset or into the wrong field shows as a mismatch.

#include <string>

#include "import/jwwrecords.h"

namespace kyrovane::jwwunit::samples {

inline JWWEntityHead Head(int seed) {
  return {static_cast<uint32_t>(1000 + seed),      static_cast<uint8_t>(1 + seed % 19),
          static_cast<uint16_t>(1 + seed % 9),     static_cast<uint16_t>(seed % 16),
          static_cast<uint16_t>((seed / 16) % 16), static_cast<uint16_t>(seed % 2 ? 0x20 : 0)};
}

inline double V(int seed, int field) {
  return seed * 100.0 + field + 0.25;
}

inline CDataSen Line(int seed) {
  return {Head(seed), V(seed, 1), V(seed, 2), V(seed, 3), V(seed, 4)};
}

inline CDataEnko Arc(int seed) {
  return {Head(seed), V(seed, 1), V(seed, 2),
          V(seed, 3), V(seed, 4), V(seed, 5),
          V(seed, 6), 0.5,        static_cast<uint32_t>(seed % 2)};
}

inline CDataTen Point(int seed) {
  return {Head(seed), V(seed, 1), V(seed, 2), static_cast<uint32_t>(7 + seed)};
}

// "図面" in code page 932, so that double-byte text is carried through.
inline CDataMoji Text(int seed, std::string text = "\x90\x7d\x96\xca") {
  return {Head(seed),
          V(seed, 1),
          V(seed, 2),
          V(seed, 3),
          V(seed, 4),
          static_cast<uint32_t>(1 + seed % 10),
          V(seed, 5),
          V(seed, 6),
          V(seed, 7),
          V(seed, 8),
          "\x82\x6c\x82\x72 \x96\xbe\x92\xa9",
          text + std::to_string(seed)};
}

inline CDataSunpou Dim(int seed) {
  return {Head(seed), Line(seed + 1), Text(seed + 2, "12.5")};
}

inline CDataSolid Solid(int seed, uint16_t penColor) {
  CDataSolid rec{Head(seed), {}, 0};
  rec.Head.PenColor = penColor;
  for (int i = 0; i < 8; ++i) rec.Values[i] = V(seed, i + 1);
  if (penColor == 10) rec.Color = 0x0000FF;  // only that pen carries a colour
  return rec;
}

inline CDataBlock Insert(int seed, uint32_t blockNumber) {
  return {Head(seed), V(seed, 1), V(seed, 2), 1.5, 2.5, V(seed, 5), blockNumber};
}

inline CDataList Definition(uint32_t blockNumber, uint32_t memberCount, std::string name = "") {
  return {Head(static_cast<int>(blockNumber % 256)),
          blockNumber,
          11,
          12,
          name.empty() ? "block" + std::to_string(blockNumber) : name,
          memberCount};
}

}  // namespace kyrovane::jwwunit::samples
