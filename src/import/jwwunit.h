#pragma once

// Reader of JWW drawings of file version 230: the header and the object list of a file held in
// memory into the tables of a JwwData value. The reader stores every record as read and shows
// nothing; a file of another kind or version, short or damaged gives a failed result with its
// reason, and then the tables are empty.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/jwwblocklist.h"
#include "import/jwwrecords.h"

namespace kyrovane::jwwunit {

// The tables of one drawing: entities outside block definitions in the seven arrays, in file
// order; block definitions and their members in JwwBlocks.
struct JwwData {
  JWWHead JwwHeader;
  std::vector<CDataSen> JwwLines;
  std::vector<CDataEnko> JwwArcs;
  std::vector<CDataTen> JwwPoints;
  std::vector<CDataMoji> JwwTexts;
  std::vector<CDataSolid> JwwSolids;
  std::vector<CDataBlock> JwwInserts;
  std::vector<CDataSunpou> JwwDims;
  TJWWBlockList JwwBlocks;

  // Empties the seven arrays and the block list; the header stays.
  void ClearTables();
};

enum class JwwReadStatus {
  Ok,
  NotJww,        // the signature is not "JwwData.", or the file ends before its version
  WrongVersion,  // a JWW file of a version other than 230
  Damaged,       // short after the version, or inconsistent
};

struct JwwReadResult {
  JwwReadStatus Status = JwwReadStatus::Ok;
  std::string Reason;  // why, for the user (as EReadError's); empty when Ok
  explicit operator bool() const { return Status == JwwReadStatus::Ok; }
};

// The only file version read.
inline constexpr uint32_t kJwwVersion = 230;

// Reads the header of the file into data.JwwHeader; the other tables are not touched. On
// failure the header holds what was read before the failed test.
JwwReadResult ParseJwwHeader(std::string_view bytes, JwwData& data);
// Reads the whole file into data. Ok only when every table was read completely.
JwwReadResult ParseJwwFile(std::string_view bytes, JwwData& data);

}  // namespace kyrovane::jwwunit
