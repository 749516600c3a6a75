#include "memory/MemManager.h"

#include <algorithm>

namespace kyrovane::memory {

namespace {

// Size words above the pooled sizes: a large block's size (capped below both marks), or the
// mark of an aligned block, whose header holds the address of the block around it.
constexpr std::uint32_t kAlignedMark = 0x40000000u;
constexpr std::size_t kLargeSizeWordCap = kAlignedMark - 16;

std::uint32_t CheckOf(const void* p) {
  const auto address = reinterpret_cast<std::uintptr_t>(p);
  return static_cast<std::uint32_t>(address >> 4) ^ static_cast<std::uint32_t>(address >> 36) ^
         0x4B79726Fu;
}

// Header of a block handed out on its own (large or aligned): its check word and size word.
void MarkHandedOut(void* p, std::uint32_t sizeWord) {
  HeaderOf(p)->Check = CheckOf(p);
  HeaderOf(p)->SizeWord = sizeWord;
}

}  // namespace

TMemManager* TMemManager::Create(TOsMemory& os) {
  TMemManager* manager = os.NewInstance<TMemManager>(os);
  if (!manager) return nullptr;
  for (std::size_t i = 1; i <= kPoolCount; ++i) {
    manager->pools_[i] = TFixedSizePool::Create(os, static_cast<std::uint32_t>(16 * i));
    if (!manager->pools_[i]) {
      os.FreeInstance(manager);
      return nullptr;
    }
  }
  return manager;
}

TMemManager::~TMemManager() {
  for (TFixedSizePool* pool : pools_) {
    if (pool) TFixedSizePool::Destroy(os_, pool);
  }
}

void* TMemManager::GetMem(std::size_t size) {
  if (size > kLargestRequest) return nullptr;
  const std::size_t s = BlockSizeFor(size);
  if (s > kLargestPooledBlock) {
    void* p = os_.OSGetMem(s);
    if (p) MarkHandedOut(p, static_cast<std::uint32_t>(std::min(s, kLargeSizeWordCap)));
    return p;
  }
  std::byte* block = pools_[s / 16]->AllocBlock(os_, chunks_);
  if (!block) return nullptr;
  BlockHeader(block)->SizeWord = static_cast<std::uint32_t>(s);
  return block + kBlockHeaderSize;
}

void* TMemManager::GetAlignedMem(std::size_t size, std::size_t alignment) {
  if (alignment > kLargestRequest || size > kLargestRequest - alignment) return nullptr;
  auto* around = static_cast<std::byte*>(GetMem(size + alignment));
  if (!around) return nullptr;
  // At least a header's room before the aligned address, and `size` bytes after it.
  const auto first = reinterpret_cast<std::uintptr_t>(around + kOsHeaderSize);
  auto* p = reinterpret_cast<std::byte*>((first + alignment - 1) & ~(alignment - 1));
  HeaderOf(p)->Size = reinterpret_cast<std::uintptr_t>(around);
  MarkHandedOut(p, kAlignedMark);
  return p;
}

bool TMemManager::ClaimsLarge(const void* p) {
  const std::uint32_t word = HeaderOf(p)->SizeWord;
  return word > kLargestPooledBlock && word < kAlignedMark;
}

TBlockInfo TMemManager::Inspect(const void* p) const {
  const TOsHeader* header = HeaderOf(p);
  if (header->SizeWord != kAlignedMark) return InspectUnaligned(p);
  if (header->Check != CheckOf(p)) return {TBlockKind::NotHandedOut};
  const auto* around = reinterpret_cast<const std::byte*>(header->Size);
  const TBlockInfo outer = InspectUnaligned(around);
  if (IsFault(outer.Kind)) return {TBlockKind::NotHandedOut};
  return {TBlockKind::Aligned,
          outer.Usable - static_cast<std::size_t>(static_cast<const std::byte*>(p) - around)};
}

TBlockInfo TMemManager::InspectUnaligned(const void* p) const {
  const TOsHeader* header = HeaderOf(p);
  const std::uint32_t word = header->SizeWord;
  const std::uint32_t s = word & ~kFreedMark;
  if (s > kLargestPooledBlock) {
    const bool valid = word == s && header->Check == CheckOf(p) &&
                       word == std::min<std::size_t>(header->Size, kLargeSizeWordCap);
    return {valid ? TBlockKind::Large : TBlockKind::NotHandedOut, valid ? header->Size : 0};
  }
  const auto* block = static_cast<const std::byte*>(p) - kBlockHeaderSize;
  TChunk* chunk = chunks_.Find(reinterpret_cast<const TBlockHeader*>(block)->ChunkId);
  if (!chunk || chunk->BlockSize != s || !chunk->HandedOut(block)) {
    return {TBlockKind::NotHandedOut};
  }
  if (word & kFreedMark) return {TBlockKind::FreedTwice};
  return {TBlockKind::Pooled, s - kBlockHeaderSize, chunk};
}

TFreeResult TMemManager::FreeMem(void* p) {
  const TBlockInfo info = Inspect(p);
  switch (info.Kind) {
    case TBlockKind::Pooled: {
      auto* block = static_cast<std::byte*>(p) - kBlockHeaderSize;
      pools_[info.Chunk->BlockSize / 16]->FreeBlock(os_, chunks_, info.Chunk, block);
      return TFreeResult::Freed;
    }
    case TBlockKind::Large:
      HeaderOf(p)->Check = 0;
      return os_.OSFreeMem(p) ? TFreeResult::Freed : TFreeResult::ReleaseFailed;
    case TBlockKind::Aligned:
      HeaderOf(p)->Check = 0;
      return FreeMem(reinterpret_cast<void*>(HeaderOf(p)->Size));
    case TBlockKind::FreedTwice:
      return TFreeResult::FreedTwice;
    case TBlockKind::NotHandedOut:
      break;
  }
  return TFreeResult::NotHandedOut;
}

}  // namespace kyrovane::memory
