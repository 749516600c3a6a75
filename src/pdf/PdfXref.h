#pragma once

// The file frame of a document: the header line, the cross-reference table that numbers and
// owns every indirect object, and the trailer.

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "pdf/PdfTypes.h"

namespace kyrovane {

struct TPdfXrefEntry {
  char EntryType = 'f';  // 'n' in use, 'f' free
  std::int64_t ByteOffset = -1;
  int GenerationNumber = 0;
  std::unique_ptr<TPdfObject> Value;
};

// Entry 0 is the free head of the list; the index of an entry is its object's number.
class TPdfXref : public TPdfObjectMgr {
 public:
  TPdfXref();

  // The object must be direct, otherwise EPdfInvalidOperation.
  void AddObject(std::unique_ptr<TPdfObject> object) override;
  TPdfObject* GetObject(int objectNumber) override;

  int ItemCount() const { return static_cast<int>(entries_.size()); }
  TPdfXrefEntry& Items(int objectNumber) { return entries_.at(objectNumber); }

  // "xref", the subsection header and one 20-byte line per entry.
  void WriteToStream(std::ostream& stream) const;

 private:
  std::vector<TPdfXrefEntry> entries_;
};

class TPdfHeader {
 public:
  void WriteToStream(std::ostream& stream) const;
};

class TPdfTrailer {
 public:
  explicit TPdfTrailer(TPdfObjectMgr* objectMgr);

  TPdfDictionary& Attributes() { return attributes_; }
  std::int64_t XrefAddress() const { return xrefAddress_; }
  void SetXrefAddress(std::int64_t address) { xrefAddress_ = address; }

  void WriteToStream(std::ostream& stream);

 private:
  TPdfDictionary attributes_;
  std::int64_t xrefAddress_ = 0;
};

}  // namespace kyrovane
