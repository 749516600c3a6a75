#pragma once

// Chunks by number. A block names its chunk by a 32-bit number, and a pointer given back is
// checked against this table before anything is written, so a foreign or stale pointer is
// caught instead of corrupting a list. Numbers of destroyed chunks are used again.

#include <cstdint>

#include "memory/OsMemory.h"

namespace kyrovane::memory {

struct TChunk;

class TChunkTable {
 public:
  explicit TChunkTable(TOsMemory& os) : os_(os) {}
  ~TChunkTable();
  TChunkTable(const TChunkTable&) = delete;
  TChunkTable& operator=(const TChunkTable&) = delete;

  // The chunk's number (from 1), or 0 when the table cannot grow.
  std::uint32_t Add(TChunk* chunk);
  void Remove(std::uint32_t id);
  TChunk* Find(std::uint32_t id) const {
    if (id >= capacity_ || (entries_[id] & kFreeEntry)) return nullptr;
    return reinterpret_cast<TChunk*>(entries_[id]);
  }

 private:
  // A free entry holds the next free number times two, plus this bit.
  static constexpr std::uintptr_t kFreeEntry = 1;

  bool Grow();

  TOsMemory& os_;
  std::uintptr_t* entries_ = nullptr;
  std::uint32_t capacity_ = 0;
  std::uint32_t firstFree_ = 0;  // 0: none
};

}  // namespace kyrovane::memory
