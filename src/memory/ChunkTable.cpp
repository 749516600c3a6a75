#include "memory/ChunkTable.h"

#include <cstring>

namespace kyrovane::memory {

namespace {
constexpr std::uint32_t kFirstCapacity = 256;
}  // namespace

TChunkTable::~TChunkTable() {
  if (entries_) os_.OSFreeMem(entries_);
}

bool TChunkTable::Grow() {
  const std::uint32_t capacity = capacity_ ? capacity_ * 2 : kFirstCapacity;
  if (capacity <= capacity_) return false;
  auto* entries = static_cast<std::uintptr_t*>(os_.OSGetMem(capacity * sizeof(std::uintptr_t)));
  if (!entries) return false;
  if (entries_) {
    std::memcpy(entries, entries_, capacity_ * sizeof(std::uintptr_t));
    os_.OSFreeMem(entries_);
  }
  // Number 0 means "no chunk" and is never handed out.
  const std::uint32_t first = capacity_ ? capacity_ : 1;
  entries[0] = kFreeEntry;
  for (std::uint32_t id = first; id < capacity; ++id) {
    entries[id] = (std::uintptr_t{id + 1 < capacity ? id + 1 : 0} << 1) | kFreeEntry;
  }
  entries_ = entries;
  capacity_ = capacity;
  firstFree_ = first;
  return true;
}

std::uint32_t TChunkTable::Add(TChunk* chunk) {
  if (firstFree_ == 0 && !Grow()) return 0;
  const std::uint32_t id = firstFree_;
  firstFree_ = static_cast<std::uint32_t>(entries_[id] >> 1);
  entries_[id] = reinterpret_cast<std::uintptr_t>(chunk);
  return id;
}

void TChunkTable::Remove(std::uint32_t id) {
  entries_[id] = (std::uintptr_t{firstFree_} << 1) | kFreeEntry;
  firstFree_ = id;
}

}  // namespace kyrovane::memory
