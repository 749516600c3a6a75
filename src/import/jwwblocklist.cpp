#include "import/jwwblocklist.h"

#include <algorithm>

namespace kyrovane::jwwunit {

void TJWWBlockList::Clear() {
  *this = TJWWBlockList();
}

void TJWWBlockList::AddBlock(const CDataList& Rec) {
  lastByNumber_[Rec.BlockNumber] = blocks_.size();
  blocks_.push_back({Rec, {}});
}

std::vector<uint32_t> TJWWBlockList::BlockNumbers() const {
  std::vector<uint32_t> numbers;
  numbers.reserve(lastByNumber_.size());
  for (const auto& [number, position] : lastByNumber_) numbers.push_back(number);
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

bool TJWWBlockList::GetBlock(uint32_t N, CDataList& Rec) const {
  auto found = lastByNumber_.find(N);
  if (found == lastByNumber_.end()) return false;
  Rec = blocks_[found->second].definition;
  return true;
}

std::size_t TJWWBlockList::EntityCount(uint32_t N) const {
  auto found = lastByNumber_.find(N);
  return found == lastByNumber_.end() ? 0 : blocks_[found->second].members.size();
}

const TJWWBlockList::Member* TJWWBlockList::FindMember(uint32_t N, std::size_t I) const {
  auto found = lastByNumber_.find(N);
  if (found == lastByNumber_.end()) return nullptr;
  const std::vector<Member>& members = blocks_[found->second].members;
  return I < members.size() ? &members[I] : nullptr;
}

uint8_t TJWWBlockList::GetKind(uint32_t N, std::size_t I) const {
  const Member* member = FindMember(N, I);
  return member == nullptr ? kJwwNoMember : member->kind;
}

std::optional<TJWWMemberRef> TJWWBlockList::GetItem(uint32_t N, std::size_t I) const {
  const Member* member = FindMember(N, I);
  if (member == nullptr) return std::nullopt;
  switch (member->kind) {
    case kJwwLine:
      return &std::get<kJwwLine>(records_)[member->index];
    case kJwwArc:
      return &std::get<kJwwArc>(records_)[member->index];
    case kJwwPoint:
      return &std::get<kJwwPoint>(records_)[member->index];
    case kJwwText:
      return &std::get<kJwwText>(records_)[member->index];
    case kJwwDim:
      return &std::get<kJwwDim>(records_)[member->index];
    case kJwwSolid:
      return &std::get<kJwwSolid>(records_)[member->index];
    default:
      return &std::get<kJwwInsert>(records_)[member->index];
  }
}

}  // namespace kyrovane::jwwunit
