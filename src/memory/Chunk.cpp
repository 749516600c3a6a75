#include "memory/Chunk.h"

#include <algorithm>

namespace kyrovane::memory {

namespace {

std::byte*& NextReturned(std::byte* block) {
  return *reinterpret_cast<std::byte**>(block + kBlockHeaderSize);
}

}  // namespace

TChunk::TChunk(std::byte* memory, std::uint16_t blockSize, std::uint16_t count)
    : BlockSize(blockSize),
      Count(count),
      Threshold(std::max(1, count / 10)),
      FreeCount(count),
      Memory(memory),
      MultipleTest(UINT64_MAX / blockSize + 1) {
  NextUnused = FirstBlock();
}

std::byte* TChunk::AllocBlock() {
  ++Used;
  --FreeCount;
  std::byte* block = FreeList;
  if (block) {
    FreeList = NextReturned(block);
  } else {
    block = NextUnused;
    NextUnused += BlockSize;
  }
  BlockHeader(block)->ChunkId = Id;
  return block;
}

void TChunk::FreeBlock(std::byte* block) {
  BlockHeader(block)->SizeWord |= kFreedMark;
  NextReturned(block) = FreeList;
  FreeList = block;
  --Used;
  ++FreeCount;
}

TChunk* NewChunk(TOsMemory& os, TChunkTable& chunks, std::uint16_t blockSize, std::uint16_t count) {
  auto* memory = static_cast<std::byte*>(os.OSGetMem(std::size_t{blockSize} * count));
  if (!memory) return nullptr;
  TChunk* chunk = os.NewInstance<TChunk>(memory, blockSize, count);
  if (chunk) {
    chunk->Id = chunks.Add(chunk);
    if (chunk->Id != 0) return chunk;
    os.FreeInstance(chunk);
  }
  os.OSFreeMem(memory);
  return nullptr;
}

void DestroyChunk(TOsMemory& os, TChunkTable& chunks, TChunk* chunk) {
  chunks.Remove(chunk->Id);
  os.OSFreeMem(chunk->Memory);
  os.FreeInstance(chunk);
}

void InsertBefore(TChunk* chunk, TChunk* node) {
  chunk->Prev = node->Prev;
  chunk->Next = node;
  node->Prev->Next = chunk;
  node->Prev = chunk;
}

void Unlink(TChunk* chunk) {
  chunk->Prev->Next = chunk->Next;
  chunk->Next->Prev = chunk->Prev;
  chunk->Prev = chunk;
  chunk->Next = chunk;
}

}  // namespace kyrovane::memory
