#pragma once

// The chunks of one block size. Blocks come from the fullest chunk that serves allocations;
// a chunk that runs full, or that is larger than demand now calls for, retires to the full
// list and comes back once more than a tenth of its blocks are free again; an emptied chunk
// goes back to the system at once.

#include <cstdint>

#include "memory/Chunk.h"

namespace kyrovane::memory {

struct TFixedSizePool {
  std::uint32_t BlockSize;
  std::uint32_t ChunkCount = 0;
  TChunk* AvailList;  // heads the chunks that serve allocations, the fullest first
  TChunk* FullList;   // heads the retired chunks
  std::uint32_t Used = 0;
  std::uint32_t Total = 0;
  std::uint32_t MaxPerChunk;
  std::uint32_t NextChunkSize;
  std::uint32_t FreeBlocks = 0;

  TFixedSizePool(std::uint32_t blockSize, TChunk* availList, TChunk* fullList);

  // A pool with its two list heads, or nullptr.
  static TFixedSizePool* Create(TOsMemory& os, std::uint32_t blockSize);
  // Returns the list heads and the pool; its chunks must be gone.
  static void Destroy(TOsMemory& os, TFixedSizePool* pool);

  // Block count of the next chunk to create.
  std::uint32_t CalcChunkCount() const;
  // A block (its header included), or nullptr when the system has no memory left.
  std::byte* AllocBlock(TOsMemory& os, TChunkTable& chunks);
  void FreeBlock(TOsMemory& os, TChunkTable& chunks, TChunk* chunk, std::byte* block);
};

}  // namespace kyrovane::memory
