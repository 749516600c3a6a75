#pragma once

// The field encodings of a JWW file: counted strings, list counts and the entity records.

#include <cstdint>
#include <string>

#include "import/ByteReader.h"
#include "import/jwwrecords.h"

namespace kyrovane::jwwunit {

// A length byte; 0xFF: a WORD length follows instead; a WORD of 0xFFFF: a DWORD length
// follows instead. Then that many bytes of text.
std::string ReadCountedString(ByteReader& reader);

// A WORD count; 0xFFFF: a DWORD count follows instead.
uint32_t ReadListCount(ByteReader& reader);

void ReadRecord(ByteReader& reader, CDataSen& rec);
void ReadRecord(ByteReader& reader, CDataEnko& rec);
void ReadRecord(ByteReader& reader, CDataTen& rec);
void ReadRecord(ByteReader& reader, CDataMoji& rec);
void ReadRecord(ByteReader& reader, CDataSunpou& rec);
void ReadRecord(ByteReader& reader, CDataSolid& rec);
void ReadRecord(ByteReader& reader, CDataBlock& rec);
void ReadRecord(ByteReader& reader, CDataList& rec);

}  // namespace kyrovane::jwwunit
