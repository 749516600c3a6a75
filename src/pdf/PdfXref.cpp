#include "pdf/PdfXref.h"

#include <cstdio>
#include <string>

#include "pdf/PdfErrors.h"

namespace kyrovane {
namespace {

// Offsets and generation numbers have fixed widths in the table; a negative value is written
// as zeros.
std::string Digits(std::int64_t value, int width) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*lld", width, static_cast<long long>(value < 0 ? 0 : value));
  return text;
}

}  // namespace

TPdfXref::TPdfXref() {
  entries_.resize(1);
  entries_[0].GenerationNumber = 65535;
}

void TPdfXref::AddObject(std::unique_ptr<TPdfObject> object) {
  if (!object || object->ObjectType() != otDirectObject) throw EPdfInvalidOperation("");
  object->SetObjectNumber(static_cast<int>(entries_.size()));
  TPdfXrefEntry entry;
  entry.EntryType = 'n';
  entry.GenerationNumber = object->GenerationNumber();
  entry.Value = std::move(object);
  entries_.push_back(std::move(entry));
}

TPdfObject* TPdfXref::GetObject(int objectNumber) {
  if (objectNumber < 0 || objectNumber >= ItemCount()) return nullptr;
  return entries_[objectNumber].Value.get();
}

void TPdfXref::WriteToStream(std::ostream& stream) const {
  stream << "xref\r\n0 " << std::to_string(entries_.size()) << "\r\n";
  for (const TPdfXrefEntry& entry : entries_) {
    stream << Digits(entry.ByteOffset, 10) << ' ' << Digits(entry.GenerationNumber, 5) << ' '
           << entry.EntryType << "\r\n";
  }
}

void TPdfHeader::WriteToStream(std::ostream& stream) const {
  stream << "%PDF-1.2 \r\n";
}

TPdfTrailer::TPdfTrailer(TPdfObjectMgr* objectMgr) : attributes_(objectMgr) {
  attributes_.AddNumberItem("Size", 0);
}

void TPdfTrailer::WriteToStream(std::ostream& stream) {
  stream << "trailer\r\n";
  attributes_.WriteToStream(stream);
  stream << "\r\nstartxref\r\n" << std::to_string(xrefAddress_) << "\r\n%%EOF\r\n";
}

}  // namespace kyrovane
