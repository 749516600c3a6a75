#include "import/jwwobjects.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "import/jwwfields.h"

namespace kyrovane::jwwunit {
namespace {

enum class TClassKind : uint8_t { None, Line, Arc, Point, Text, Dim, Solid, Insert, List, Other };

TClassKind KindOfName(std::string_view name) {
  static const std::unordered_map<std::string_view, TClassKind> kKinds = {
      {"CDataSen", TClassKind::Line},     {"CDataEnko", TClassKind::Arc},
      {"CDataTen", TClassKind::Point},    {"CDataMoji", TClassKind::Text},
      {"CDataSunpou", TClassKind::Dim},   {"CDataSolid", TClassKind::Solid},
      {"CDataBlock", TClassKind::Insert}, {"CDataList", TClassKind::List},
  };
  if (name.empty()) return TClassKind::None;
  auto found = kKinds.find(name);
  return found == kKinds.end() ? TClassKind::Other : found->second;
}

// The class map: the class of each map index that introduced a new class. A class with an
// empty name behaves as no class, so only named classes are kept.
class TJWWList {
 public:
  void Add(std::string_view Name, uint32_t Index) {
    const TClassKind kind = KindOfName(Name);
    if (kind == TClassKind::None) return;
    // A drawing names a handful of classes; a flood of them is a damaged or hostile file.
    if (classes_.size() >= kMaxClasses) throw EReadError("オブジェクトのクラスが多すぎます");
    classes_[Index] = kind;
  }

  TClassKind Find(uint32_t Index) const {
    auto found = classes_.find(Index);
    return found == classes_.end() ? TClassKind::None : found->second;
  }

 private:
  static constexpr std::size_t kMaxClasses = 65536;
  std::unordered_map<uint32_t, TClassKind> classes_;
};

class ObjectListReader {
 public:
  ObjectListReader(ByteReader& reader, JwwData& data) : reader_(reader), data_(data) {}

  void Read() {
    const uint32_t declared = ReadListCount(reader_);
    while (!reader_.AtEnd()) {
      const uint16_t tag = reader_.U16();
      if (tag == 0) break;
      const TClassKind kind = classes_.Find(ClassIndex(tag));
      if (membersRead_ == membersDeclared_) inside_ = false;
      if (kind == TClassKind::None) continue;  // an object without a class: nothing to read
      ReadObject(kind);
      ++counter_;
    }
    if (inside_ && membersRead_ < membersDeclared_) {
      throw EReadError("ブロック " + std::to_string(currentBlock_) +
                       " の定義の途中でファイルが終わっています");
    }
    if (topLevel_ < declared) {
      throw EReadError("オブジェクト " + std::to_string(declared) + " 個のうち " +
                       std::to_string(topLevel_) + " 個でファイルが終わっています");
    }
  }

 private:
  // Decodes a tag into a map index, registering a new class first; 0 is no class.
  uint32_t ClassIndex(uint16_t tag) {
    if (tag == 0xFFFF) {
      reader_.U16();  // schema
      const uint16_t length = reader_.U16();
      classes_.Add(reader_.Bytes(length), counter_);
      return counter_++;
    }
    if (tag == 0x7FFF) return reader_.U32() & 0x7FFFFFFF;
    if (tag & 0x8000) return tag & 0x7FFF;
    return 0;
  }

  void ReadObject(TClassKind kind) {
    switch (kind) {
      case TClassKind::Line:
        return ReadEntity(data_.JwwLines, &TJWWBlockList::AddLine);
      case TClassKind::Arc:
        return ReadEntity(data_.JwwArcs, &TJWWBlockList::AddArc);
      case TClassKind::Point:
        return ReadEntity(data_.JwwPoints, &TJWWBlockList::AddPoint);
      case TClassKind::Text:
        return ReadEntity(data_.JwwTexts, &TJWWBlockList::AddText);
      case TClassKind::Dim:
        return ReadEntity(data_.JwwDims, &TJWWBlockList::AddDim);
      case TClassKind::Solid:
        return ReadEntity(data_.JwwSolids, &TJWWBlockList::AddSolid);
      case TClassKind::Insert:
        return ReadEntity(data_.JwwInserts, &TJWWBlockList::AddInsert);
      case TClassKind::List:
        return ReadDefinition();
      case TClassKind::Other:
      case TClassKind::None:
        // An object of a class this reader does not know: its fields cannot be skipped, so
        // reading goes on with them as further tags.
        if (!inside_) ++topLevel_;
        return;
    }
  }

  // A definition starts a new block; the members it declares follow it.
  void ReadDefinition() {
    CDataList rec;
    ReadRecord(reader_, rec);
    data_.JwwBlocks.AddBlock(rec);
    currentBlock_ = rec.BlockNumber;
    membersRead_ = 0;
    membersDeclared_ = rec.MemberCount;
    inside_ = true;
  }

  template <typename Rec>
  void ReadEntity(std::vector<Rec>& topLevel, void (TJWWBlockList::*addMember)(const Rec&)) {
    Rec rec;
    ReadRecord(reader_, rec);
    if (inside_) {
      (data_.JwwBlocks.*addMember)(rec);
      ++membersRead_;
    } else {
      topLevel.push_back(std::move(rec));
      ++topLevel_;
    }
  }

  ByteReader& reader_;
  JwwData& data_;
  TJWWList classes_;
  uint32_t counter_ = 1;  // the next map index
  bool inside_ = false;
  uint32_t currentBlock_ = 0;
  uint64_t membersRead_ = 0;
  uint64_t membersDeclared_ = 0;
  uint64_t topLevel_ = 0;
};

}  // namespace

void ReadObjectList(ByteReader& reader, JwwData& data) {
  ObjectListReader(reader, data).Read();
}

}  // namespace kyrovane::jwwunit
