#pragma once

// Writes JWW files (version 230 layout) from records, object by object, so that tests can
// make any drawing: valid ones in every encoding variant, and damaged ones.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "import/jwwrecords.h"
#include "support/byte_writer.h"

namespace kyrovane::test {

// A header as a drawing would have it: the signature, version 230, the rest zero or empty.
jwwunit::JWWHead DefaultJwwHead();

// A drawing on the A4 sheet, every layer visible, with two lines: (0, 0)-(100, 50) mm on layer 0
// and (10, 10)-(20, 10) mm on layer 1 of group 0.
std::string TwoLayerLines(uint32_t reverseOrderFlag = 0);

// A drawing whose one object is the text (pen 1, from (0, 0) to (10, 0) mm) on layer 0 of
// group 0, the only visible layer.
std::string OneText(std::string_view text);

class JwwWriter {
 public:
  // Encodings of counted strings and counts: the shortest one, or the long form with a WORD
  // (strings only) or a DWORD even where a shorter one would do.
  enum class Form { Shortest, Word, Dword };

  // Starts the file with the header, written as given (signature and version too).
  explicit JwwWriter(const jwwunit::JWWHead& head, Form stringForm = Form::Shortest);

  // Class references as the big tag 0x7FFF with a DWORD instead of 0x8000 | index.
  JwwWriter& BigTags(bool on) {
    bigTags_ = on;
    return *this;
  }
  // A count as the object list and block definitions write it: WORD, or 0xFFFF and a DWORD.
  JwwWriter& Count(uint32_t count, Form form = Form::Shortest);
  // A raw word where a tag stands: 0 ends the list, bit 15 clear is an object without class.
  JwwWriter& Word(uint16_t word);
  JwwWriter& Bytes(std::string_view bytes);

  // One object: its class tag (a new class the first time a class name is used), then its
  // fields. A definition writes its MemberCount; its members are the objects written next.
  template <typename Rec>
  JwwWriter& Object(const Rec& rec) {
    Tag(ClassName(rec));
    return Fields(rec);
  }
  JwwWriter& Object(const jwwunit::CDataList& rec, Form countForm) {
    Tag(ClassName(rec));
    return Fields(rec, countForm);
  }
  // An object of a class the reader does not know, with the given field bytes.
  JwwWriter& ForeignObject(const std::string& className, std::string_view fields);

  // A record's fields alone, for objects whose tag a test writes itself.
  JwwWriter& Fields(const jwwunit::CDataSen& rec);
  JwwWriter& Fields(const jwwunit::CDataEnko& rec);
  JwwWriter& Fields(const jwwunit::CDataTen& rec);
  JwwWriter& Fields(const jwwunit::CDataMoji& rec);
  JwwWriter& Fields(const jwwunit::CDataSunpou& rec);
  JwwWriter& Fields(const jwwunit::CDataSolid& rec);
  JwwWriter& Fields(const jwwunit::CDataBlock& rec);
  JwwWriter& Fields(const jwwunit::CDataList& rec, Form countForm = Form::Shortest);

  // The map index that the next new class or object takes.
  uint32_t NextIndex() const { return counter_; }
  const std::string& Data() const { return out_.Data(); }

 private:
  static std::string ClassName(const jwwunit::CDataSen&) { return "CDataSen"; }
  static std::string ClassName(const jwwunit::CDataEnko&) { return "CDataEnko"; }
  static std::string ClassName(const jwwunit::CDataTen&) { return "CDataTen"; }
  static std::string ClassName(const jwwunit::CDataMoji&) { return "CDataMoji"; }
  static std::string ClassName(const jwwunit::CDataSunpou&) { return "CDataSunpou"; }
  static std::string ClassName(const jwwunit::CDataSolid&) { return "CDataSolid"; }
  static std::string ClassName(const jwwunit::CDataBlock&) { return "CDataBlock"; }
  static std::string ClassName(const jwwunit::CDataList&) { return "CDataList"; }
  void Tag(const std::string& className);
  void String(std::string_view text);
  void Head(const jwwunit::JWWEntityHead& head);

  ByteWriter out_;
  Form stringForm_;
  bool bigTags_ = false;
  std::map<std::string, uint32_t> classes_;
  uint32_t counter_ = 1;
};

}  // namespace kyrovane::test
