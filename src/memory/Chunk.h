#pragma once

// A chunk: one system block cut into blocks of one size, and a node of a circular doubly
// linked list of chunks. A chunk without blocks heads such a list.
//
// Every block starts with an 8-byte header, [chunk number][size word], and the caller's
// pointer follows it. The first block's header lies in the last 8 bytes of the system header,
// so that the callers' pointers keep 16-byte alignment and the chunk needs exactly
// BlockSize × Count bytes. A returned block keeps its header, with the freed mark set in the
// size word; its first 8 caller bytes link it to the next returned block.

#include <cstddef>
#include <cstdint>

#include "memory/ChunkTable.h"
#include "memory/OsMemory.h"

namespace kyrovane::memory {

struct TBlockHeader {
  std::uint32_t ChunkId;
  std::uint32_t SizeWord;
};
inline constexpr std::size_t kBlockHeaderSize = sizeof(TBlockHeader);
inline constexpr std::uint32_t kFreedMark = 0x80000000u;

inline TBlockHeader* BlockHeader(std::byte* block) {
  return reinterpret_cast<TBlockHeader*>(block);
}

struct TChunk {
  TChunk* Prev = this;
  TChunk* Next = this;
  std::uint16_t BlockSize = 0;
  bool InFullList = false;
  std::uint16_t Count = 0;
  std::uint16_t Used = 0;
  std::uint16_t Threshold = 0;
  std::uint16_t FreeCount = 0;
  std::byte* NextUnused = nullptr;
  std::byte* FreeList = nullptr;
  std::byte* Memory = nullptr;
  std::uint32_t Id = 0;
  // 2^64 / BlockSize rounded up: an offset n is a multiple of BlockSize exactly when
  // n × this (modulo 2^64) is below it, which spares a division on every free.
  std::uint64_t MultipleTest = 0;

  TChunk() = default;  // a list head
  TChunk(std::byte* memory, std::uint16_t blockSize, std::uint16_t count);

  std::byte* FirstBlock() const { return Memory - kBlockHeaderSize; }
  // Whether `block` is one of this chunk's blocks that has been handed out at some time.
  bool HandedOut(const std::byte* block) const {
    return block >= FirstBlock() && block < NextUnused &&
           static_cast<std::uint64_t>(block - FirstBlock()) * MultipleTest < MultipleTest;
  }

  std::byte* AllocBlock();
  void FreeBlock(std::byte* block);
};

// A chunk of `count` blocks with its memory and its number, or nullptr.
TChunk* NewChunk(TOsMemory& os, TChunkTable& chunks, std::uint16_t blockSize, std::uint16_t count);
// Returns the memory, the number and the chunk itself; the chunk must be unlinked.
void DestroyChunk(TOsMemory& os, TChunkTable& chunks, TChunk* chunk);

void InsertBefore(TChunk* chunk, TChunk* node);
void Unlink(TChunk* chunk);

}  // namespace kyrovane::memory
