#pragma once

// The manager: 1024 pools of blocks of 16 × i bytes (their 8-byte header included) for
// requests up to 16 KiB, and system blocks for anything larger. Blocks handed out carry what
// is needed to check a pointer given back: a pooled block names its chunk, a large block's
// header holds a check word derived from its address.

#include <cstddef>
#include <cstdint>

#include "memory/ChunkTable.h"
#include "memory/FixedSizePool.h"
#include "memory/OsMemory.h"

namespace kyrovane::memory {

inline constexpr std::size_t kPoolCount = 1024;
inline constexpr std::size_t kLargestPooledBlock = 16 * kPoolCount;
// Larger requests are refused outright, so that no size arithmetic can wrap.
inline constexpr std::size_t kLargestRequest = PTRDIFF_MAX;

// The block that serves a request: the request and the 8-byte header rounded up to 16.
constexpr std::size_t BlockSizeFor(std::size_t size) {
  return (size + kBlockHeaderSize + 15) & ~std::size_t{15};
}
// Whether a request gets a system block of its own. Such blocks share no state of the manager
// with other threads.
constexpr bool IsLargeRequest(std::size_t size) {
  return size > kLargestPooledBlock - kBlockHeaderSize;
}

// What a pointer given back turned out to be.
enum class TBlockKind { Pooled, Large, Aligned, NotHandedOut, FreedTwice };

struct TBlockInfo {
  TBlockKind Kind;
  std::size_t Usable = 0;   // bytes the caller may use
  TChunk* Chunk = nullptr;  // a pooled block's chunk
};

inline bool IsFault(TBlockKind kind) {
  return kind == TBlockKind::NotHandedOut || kind == TBlockKind::FreedTwice;
}

enum class TFreeResult { Freed, ReleaseFailed, NotHandedOut, FreedTwice };

class TMemManager {
 public:
  // The manager with its pools, or nullptr when the system has no memory for them.
  static TMemManager* Create(TOsMemory& os);

  explicit TMemManager(TOsMemory& os) : os_(os), chunks_(os) {}
  ~TMemManager();
  TMemManager(const TMemManager&) = delete;
  TMemManager& operator=(const TMemManager&) = delete;

  // nullptr when the request is too large or memory is exhausted.
  void* GetMem(std::size_t size);
  // `alignment`: a power of two above 16.
  void* GetAlignedMem(std::size_t size, std::size_t alignment);
  TBlockInfo Inspect(const void* p) const;
  TFreeResult FreeMem(void* p);
  // Whether p claims to be a large block, by its own header alone; Inspect tells for sure.
  static bool ClaimsLarge(const void* p);

  // The pool of blocks of `blockSize` bytes (a multiple of 16 up to 16384).
  const TFixedSizePool& Pool(std::size_t blockSize) const { return *pools_[blockSize / 16]; }

 private:
  TBlockInfo InspectUnaligned(const void* p) const;

  TOsMemory& os_;
  TChunkTable chunks_;
  TFixedSizePool* pools_[kPoolCount + 1] = {};  // pools_[i] holds blocks of 16 × i bytes
};

}  // namespace kyrovane::memory
