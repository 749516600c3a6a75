#pragma once

// The block definitions of a JWW drawing with their member records. Members are kept per
// definition, so a definition whose declared member count disagrees with what follows it in
// the file cannot shift the members of later blocks. Blocks are looked up by their number;
// when several definitions carry one number, the last of them is that block everywhere.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <variant>
#include <vector>

#include "import/jwwrecords.h"

namespace kyrovane::jwwunit {

// One member record of a block; the alternative's index is the member's kind tag.
using TJWWMemberRef =
    std::variant<const CDataSen*, const CDataEnko*, const CDataTen*, const CDataMoji*,
                 const CDataSunpou*, const CDataSolid*, const CDataBlock*>;

// GetKind of a block number or member index that holds no member.
inline constexpr uint8_t kJwwNoMember = 0xFF;

class TJWWBlockList {
 public:
  void Clear();

  // Appends a definition; the members added after it belong to it.
  void AddBlock(const CDataList& Rec);
  // Append a member to the definition added last (dropped when there is none yet).
  void AddLine(const CDataSen& Rec) { Add<kJwwLine>(Rec); }
  void AddArc(const CDataEnko& Rec) { Add<kJwwArc>(Rec); }
  void AddPoint(const CDataTen& Rec) { Add<kJwwPoint>(Rec); }
  void AddText(const CDataMoji& Rec) { Add<kJwwText>(Rec); }
  void AddDim(const CDataSunpou& Rec) { Add<kJwwDim>(Rec); }
  void AddSolid(const CDataSolid& Rec) { Add<kJwwSolid>(Rec); }
  void AddInsert(const CDataBlock& Rec) { Add<kJwwInsert>(Rec); }

  // Definitions in file order, duplicates of a number included.
  std::size_t BlockCount() const { return blocks_.size(); }
  const CDataList& Definition(std::size_t position) const { return blocks_[position].definition; }
  // The distinct block numbers, ascending: the order in which blocks are built.
  std::vector<uint32_t> BlockNumbers() const;

  // Copies block N's definition into Rec; false (Rec untouched) when no definition carries N.
  bool GetBlock(uint32_t N, CDataList& Rec) const;
  // Members stored for block N (0 when none); may differ from the declared MemberCount.
  std::size_t EntityCount(uint32_t N) const;
  // Kind tag of member I of block N, or kJwwNoMember.
  uint8_t GetKind(uint32_t N, std::size_t I) const;
  std::optional<TJWWMemberRef> GetItem(uint32_t N, std::size_t I) const;

  // Copy member I of block N into Rec when it is of the getter's kind; otherwise false and Rec
  // stays untouched.
  bool GetLine(uint32_t N, std::size_t I, CDataSen& Rec) const { return Get<kJwwLine>(N, I, Rec); }
  bool GetArc(uint32_t N, std::size_t I, CDataEnko& Rec) const { return Get<kJwwArc>(N, I, Rec); }
  bool GetPoint(uint32_t N, std::size_t I, CDataTen& Rec) const {
    return Get<kJwwPoint>(N, I, Rec);
  }
  bool GetText(uint32_t N, std::size_t I, CDataMoji& Rec) const { return Get<kJwwText>(N, I, Rec); }
  bool GetDim(uint32_t N, std::size_t I, CDataSunpou& Rec) const { return Get<kJwwDim>(N, I, Rec); }
  bool GetSolid(uint32_t N, std::size_t I, CDataSolid& Rec) const {
    return Get<kJwwSolid>(N, I, Rec);
  }
  bool GetInsert(uint32_t N, std::size_t I, CDataBlock& Rec) const {
    return Get<kJwwInsert>(N, I, Rec);
  }

 private:
  struct Member {
    uint8_t kind;
    uint32_t index;  // into the record vector of that kind
  };
  struct Block {
    CDataList definition;
    std::vector<Member> members;
  };

  const Member* FindMember(uint32_t N, std::size_t I) const;

  template <uint8_t Kind, typename Rec>
  void Add(const Rec& rec) {
    if (blocks_.empty()) return;
    auto& records = std::get<Kind>(records_);
    blocks_.back().members.push_back({Kind, static_cast<uint32_t>(records.size())});
    records.push_back(rec);
  }

  template <uint8_t Kind, typename Rec>
  bool Get(uint32_t N, std::size_t I, Rec& rec) const {
    const Member* member = FindMember(N, I);
    if (member == nullptr || member->kind != Kind) return false;
    rec = std::get<Kind>(records_)[member->index];
    return true;
  }

  std::vector<Block> blocks_;
  std::unordered_map<uint32_t, std::size_t> lastByNumber_;
  std::tuple<std::vector<CDataSen>, std::vector<CDataEnko>, std::vector<CDataTen>,
             std::vector<CDataMoji>, std::vector<CDataSunpou>, std::vector<CDataSolid>,
             std::vector<CDataBlock>>
      records_;
};

}  // namespace kyrovane::jwwunit
