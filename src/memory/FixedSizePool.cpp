#include "memory/FixedSizePool.h"

#include <algorithm>

namespace kyrovane::memory {

namespace {

// Small blocks come 200 to a chunk; larger ones by a quarter of the blocks in use, within
// 3 and the count that keeps a chunk within 64 KiB (at most 20).
constexpr std::uint32_t kSmallBlock = 64;
constexpr std::uint32_t kSmallBlocksPerChunk = 200;
constexpr std::uint32_t kFewestPerChunk = 3;
constexpr std::uint32_t kMostPerChunk = 20;
constexpr std::uint32_t kLargestChunk = 65536;

}  // namespace

TFixedSizePool::TFixedSizePool(std::uint32_t blockSize, TChunk* availList, TChunk* fullList)
    : BlockSize(blockSize),
      AvailList(availList),
      FullList(fullList),
      MaxPerChunk(std::min(kMostPerChunk, kLargestChunk / blockSize)),
      NextChunkSize(CalcChunkCount()) {}

TFixedSizePool* TFixedSizePool::Create(TOsMemory& os, std::uint32_t blockSize) {
  TChunk* availList = os.NewInstance<TChunk>();
  TChunk* fullList = availList ? os.NewInstance<TChunk>() : nullptr;
  TFixedSizePool* pool =
      fullList ? os.NewInstance<TFixedSizePool>(blockSize, availList, fullList) : nullptr;
  if (pool) return pool;
  if (fullList) os.FreeInstance(fullList);
  if (availList) os.FreeInstance(availList);
  return nullptr;
}

void TFixedSizePool::Destroy(TOsMemory& os, TFixedSizePool* pool) {
  os.FreeInstance(pool->FullList);
  os.FreeInstance(pool->AvailList);
  os.FreeInstance(pool);
}

std::uint32_t TFixedSizePool::CalcChunkCount() const {
  if (BlockSize <= kSmallBlock) return kSmallBlocksPerChunk;
  return std::min(std::max(Used / 4, kFewestPerChunk), MaxPerChunk);
}

std::byte* TFixedSizePool::AllocBlock(TOsMemory& os, TChunkTable& chunks) {
  TChunk* chunk = AvailList->Next;
  std::byte* block;
  if (chunk != AvailList) {
    block = chunk->AllocBlock();
    if (chunk->FreeCount == 0 || chunk->Count > NextChunkSize) {
      Unlink(chunk);
      InsertBefore(chunk, FullList->Next);
      chunk->InFullList = true;
    }
  } else {
    chunk = NewChunk(os, chunks, static_cast<std::uint16_t>(BlockSize),
                     static_cast<std::uint16_t>(NextChunkSize));
    if (!chunk) return nullptr;
    ++ChunkCount;
    Total += chunk->Count;
    FreeBlocks += chunk->Count;
    block = chunk->AllocBlock();
    InsertBefore(chunk, AvailList);
  }
  ++Used;
  --FreeBlocks;
  NextChunkSize = CalcChunkCount();
  return block;
}

void TFixedSizePool::FreeBlock(TOsMemory& os, TChunkTable& chunks, TChunk* chunk,
                               std::byte* block) {
  chunk->FreeBlock(block);
  --Used;
  ++FreeBlocks;
  TChunk* first = AvailList->Next;
  if (chunk->Used == 0) {
    Unlink(chunk);
    --ChunkCount;
    Total -= chunk->Count;
    FreeBlocks -= chunk->Count;
    DestroyChunk(os, chunks, chunk);
  } else if (chunk->InFullList) {
    if (chunk->FreeCount > chunk->Threshold && chunk->Count <= NextChunkSize) {
      Unlink(chunk);
      chunk->InFullList = false;
      const bool front = first == AvailList || first->Used < chunk->Used;
      InsertBefore(chunk, front ? first : first->Next);
    }
  } else if (chunk->Used > first->Used) {
    Unlink(chunk);
    InsertBefore(chunk, AvailList->Next);
  }
  NextChunkSize = CalcChunkCount();
}

}  // namespace kyrovane::memory
