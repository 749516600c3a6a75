// The manager over a recording system layer: size classes, chunk sizes, the return rule,
// moving blocks, large blocks, locking, start-up failures and the pointers it refuses. Sizes
// that would wrap are refused in the process tests.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "memory/PoolAllocator.h"
#include "memory/fake_system.h"

namespace kyrovane::test {
namespace {

using memory::TBlockKind;
using memory::TPoolAllocator;
using Call = TSystemCall;

constexpr std::size_t kHeader = memory::kOsHeaderSize;

struct TFault {
  std::string Function;
  TBlockKind Kind;
};

void ThrowFault(const char* function, TBlockKind kind, const void*) {
  throw TFault{function, kind};
}

class MemoryManager : public ::testing::Test {
 protected:
  // Starts the manager and forgets what that asked of the system.
  void SetUp() override {
    allocator.PoolFreeMem(allocator.PoolGetMem(1));
    system.Records.clear();
  }
  const memory::TFixedSizePool& Pool(std::size_t blockSize) const {
    return allocator.Manager()->Pool(blockSize);
  }
  std::vector<void*> Allocate(std::size_t size, int count) {
    std::vector<void*> blocks;
    for (int i = 0; i < count; ++i) blocks.push_back(allocator.PoolGetMem(size));
    return blocks;
  }
  TBlockKind FaultOnFree(void* p) {
    try {
      allocator.PoolFreeMem(p);
    } catch (const TFault& fault) {
      EXPECT_EQ(fault.Function, "free");
      return fault.Kind;
    }
    ADD_FAILURE() << "the pointer was taken back";
    return TBlockKind::Pooled;
  }

  TFakeSystem system;
  TPoolAllocator allocator{system, ThrowFault};
};

TEST_F(MemoryManager, RequestsGoToTheirSizeClassOrToTheSystem) {
  struct {
    std::size_t request;
    std::size_t blockSize;        // 0: a system block
    TSystemRecord systemRequest;  // for system blocks
  } const cases[] = {
      {0, 16, {}},
      {1, 16, {}},
      {8, 16, {}},
      {9, 32, {}},
      {16376, 16384, {}},
      {16377, 0, {Call::HeapAlloc, 16400 + kHeader}},
      {65512, 0, {Call::HeapAlloc, 65520 + kHeader}},
      {65513, 0, {Call::MapPages, 65536 + kHeader}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request);
    system.Records.clear();
    void* p = allocator.PoolGetMem(c.request);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 16, 0u);
    if (c.blockSize) {
      EXPECT_EQ(Pool(c.blockSize).Used, 1u);
      EXPECT_EQ(allocator.UsableSize(p), c.blockSize - 8);
    } else {
      EXPECT_EQ(system.Records, std::vector{c.systemRequest});
      EXPECT_EQ(allocator.UsableSize(p), c.systemRequest.Size - kHeader);
    }
    std::memset(p, 0xA5, allocator.UsableSize(p));
    allocator.PoolFreeMem(p);
    if (!c.blockSize) {
      const Call back = c.systemRequest.Call == Call::HeapAlloc ? Call::HeapFree : Call::UnmapPages;
      EXPECT_EQ(system.Records.back(), (TSystemRecord{back, c.systemRequest.Size}));
    }
  }
}

TEST_F(MemoryManager, TheFirst48ByteBlockMakesAChunkOf200AndItsFreeReleasesIt) {
  const std::size_t liveBefore = system.LiveBlocks();
  void* p = allocator.PoolGetMem(40);
  const TSystemRecord chunkMemory{Call::HeapAlloc, 200 * 48 + kHeader};
  EXPECT_EQ(std::count(system.Records.begin(), system.Records.end(), chunkMemory), 1);
  EXPECT_EQ(Pool(48).ChunkCount, 1u);
  EXPECT_EQ(Pool(48).Total, 200u);

  allocator.PoolFreeMem(p);
  EXPECT_EQ(Pool(48).ChunkCount, 0u);
  EXPECT_EQ(system.LiveBlocks(), liveBefore);
  EXPECT_EQ(std::count(system.Records.begin(), system.Records.end(),
                       TSystemRecord{Call::HeapFree, chunkMemory.Size}),
            1);
}

TEST_F(MemoryManager, ChunksGrowWithDemandUpTo64KiB) {
  struct {
    std::size_t blockSize;
    int blocks;
    std::size_t largestChunk;  // in blocks
  } const cases[] = {{64, 300, 200}, {128, 200, 20}, {4096, 100, 16}, {16384, 40, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.blockSize);
    system.Records.clear();
    const std::vector<void*> blocks = Allocate(c.blockSize - 8, c.blocks);
    EXPECT_EQ(system.LargestRequest(), c.largestChunk * c.blockSize + kHeader);
    for (void* p : blocks) allocator.PoolFreeMem(p);
    EXPECT_EQ(Pool(c.blockSize).ChunkCount, 0u);
  }
}

TEST_F(MemoryManager, AFullChunkServesAgainOnceMoreThanATenthOfItIsFree) {
  const std::vector<void*> first = Allocate(16, 200);  // one chunk of 200 blocks of 32
  void* second = allocator.PoolGetMem(16);             // a new chunk
  EXPECT_EQ(Pool(32).ChunkCount, 2u);
  for (int i = 0; i < 20; ++i) allocator.PoolFreeMem(first[i]);
  void* fromSecond = allocator.PoolGetMem(16);
  EXPECT_EQ(std::find(first.begin(), first.end(), fromSecond), first.end());
  allocator.PoolFreeMem(first[20]);
  EXPECT_EQ(allocator.PoolGetMem(16), first[20]);
  EXPECT_EQ(Pool(32).Used, 182u);
  EXPECT_EQ(Pool(32).FreeBlocks, 400u - 182u);
  (void)second;
}

TEST_F(MemoryManager, ReallocationMovesTheBlockAndCopiesWhatFits) {
  auto* small = static_cast<unsigned char*>(allocator.PoolGetMem(24));  // a 32-byte block
  std::memset(small, 0xA5, 24);
  auto* grown = static_cast<unsigned char*>(allocator.PoolReallocMem(small, 100));
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(std::count(grown, grown + 100, 0xA5), 24);
  EXPECT_TRUE(std::all_of(grown, grown + 24, [](unsigned char b) { return b == 0xA5; }));

  auto* shrunk = static_cast<unsigned char*>(allocator.PoolReallocMem(grown, 10));
  EXPECT_NE(shrunk, grown);
  EXPECT_EQ(std::count(shrunk, shrunk + 10, 0xA5), 10);

  auto* large = static_cast<unsigned char*>(allocator.PoolReallocMem(shrunk, 70000));
  EXPECT_EQ(std::count(large, large + 70000, 0xA5), 10);
  std::memset(large, 0x5A, 70000);
  system.RefuseFrom = 100000;
  EXPECT_EQ(allocator.PoolReallocMem(large, 100000), nullptr);
  auto* back = static_cast<unsigned char*>(allocator.PoolReallocMem(large, 20000));
  EXPECT_EQ(std::count(back, back + 20000, 0x5A), 20000);
  allocator.PoolFreeMem(back);
}

TEST_F(MemoryManager, AlignedBlocksAreAlignedAndGoBackWhole) {
  const std::size_t liveBefore = system.LiveBlocks();
  for (const std::size_t alignment : {32u, 64u, 4096u, 65536u}) {
    SCOPED_TRACE(alignment);
    void* p = allocator.PoolGetAlignedMem(100, alignment);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % alignment, 0u);
    EXPECT_GE(allocator.UsableSize(p), 100u);
    std::memset(p, 0xA5, allocator.UsableSize(p));
    allocator.PoolFreeMem(p);
    EXPECT_EQ(system.LiveBlocks(), liveBefore);
  }
}

TEST_F(MemoryManager, ForeignAndTwiceFreedPointersAreRefusedUntouched) {
  void* kept = allocator.PoolGetMem(24);
  void* freed = allocator.PoolGetMem(24);
  allocator.PoolFreeMem(freed);
  EXPECT_EQ(FaultOnFree(freed), TBlockKind::FreedTwice);

  alignas(16) unsigned char foreign[64] = {};
  EXPECT_EQ(FaultOnFree(foreign + 32), TBlockKind::NotHandedOut);
  auto* inside = static_cast<unsigned char*>(allocator.PoolGetMem(100));
  EXPECT_EQ(FaultOnFree(inside + 16), TBlockKind::NotHandedOut);
  auto* large = static_cast<unsigned char*>(allocator.PoolGetMem(20000));
  EXPECT_EQ(FaultOnFree(large + 16), TBlockKind::NotHandedOut);
  void* aligned = allocator.PoolGetAlignedMem(10, 64);
  EXPECT_EQ(FaultOnFree(static_cast<unsigned char*>(aligned) + 64), TBlockKind::NotHandedOut);
  EXPECT_THROW(allocator.PoolReallocMem(freed, 10), TFault);
  EXPECT_THROW(allocator.UsableSize(foreign + 32), TFault);

  // Nothing was written: the blocks still go back normally.
  for (void* p : {kept, static_cast<void*>(inside), static_cast<void*>(large), aligned}) {
    EXPECT_EQ(allocator.PoolFreeMem(p), 0);
  }
  EXPECT_EQ(Pool(32).Used, 0u);
}

TEST_F(MemoryManager, LocksOnlyWhileTheProcessHasMoreThanOneThread) {
  const auto locks = [&] {
    const auto n =
        std::count(system.Records.begin(), system.Records.end(), TSystemRecord{Call::Lock});
    EXPECT_EQ(
        n, std::count(system.Records.begin(), system.Records.end(), TSystemRecord{Call::Unlock}));
    system.Records.clear();
    return n;
  };
  const auto everyEntryPoint = [&] {
    void* p = allocator.PoolGetMem(10);
    p = allocator.PoolReallocMem(p, 20);
    allocator.PoolFreeMem(p);
  };
  everyEntryPoint();
  EXPECT_EQ(locks(), 0);
  system.MultiThreaded = true;
  everyEntryPoint();
  // Get; then inspect, get and free for the move; then free.
  EXPECT_EQ(locks(), 5);
}

TEST(MemoryManagerStart, WithoutHeapOrMemoryNothingIsHandedOutAndNothingKept) {
  TFakeSystem system;
  TPoolAllocator allocator{system, ThrowFault};
  system.Heap = false;
  EXPECT_EQ(allocator.PoolGetMem(1), nullptr);
  EXPECT_EQ(system.Records, std::vector<TSystemRecord>{});
  system.Heap = true;
  system.GrantsLeft = 1000;  // runs out while making the pools
  EXPECT_EQ(allocator.PoolGetMem(1), nullptr);
  EXPECT_EQ(system.LiveBlocks(), 0u);
  EXPECT_EQ(system.StartCount, 0);

  system.GrantsLeft = SIZE_MAX;
  void* p = allocator.PoolGetMem(1);
  EXPECT_NE(p, nullptr);
  allocator.PoolGetMem(1);
  EXPECT_EQ(system.StartCount, 1);
}

}  // namespace
}  // namespace kyrovane::test
