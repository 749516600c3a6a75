// The memory manager in charge of this whole test process: the C allocation functions and
// their contracts, random and threaded use, fork and exec, and the pointers it refuses.

#include <errno.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <new>
#include <random>
#include <thread>
#include <vector>

#include "support/test_support.h"

namespace kyrovane::test {
namespace {

// Hides a pointer from the compiler, which would otherwise warn about or drop the misuse.
template <class T>
T* Opaque(T* p) {
  asm volatile("" : "+r"(p));
  return p;
}

bool Aligned(const void* p, std::size_t alignment = 16) {
  return reinterpret_cast<std::uintptr_t>(p) % alignment == 0;
}

// A block filled with a pattern of its own, to be checked before it is freed or moved.
struct TBlock {
  unsigned char* p = nullptr;
  std::size_t size = 0;
  unsigned seed = 0;

  void Fill() {
    for (std::size_t i = 0; i < size; ++i) p[i] = static_cast<unsigned char>(seed + i * 31);
  }
  bool Holds(std::size_t length) const {
    for (std::size_t i = 0; i < length; ++i) {
      if (p[i] != static_cast<unsigned char>(seed + i * 31)) return false;
    }
    return true;
  }
};

TEST(InstalledManager, SmallRequestsComeFromThePools) {
  void* p = Opaque(malloc(1));
  std::uint32_t sizeWord;
  std::memcpy(&sizeWord, static_cast<char*>(p) - 4, 4);
  EXPECT_EQ(sizeWord, 16u);
  EXPECT_EQ(malloc_usable_size(p), 8u);
  free(p);
  int* object = Opaque(new int(7));
  EXPECT_EQ(malloc_usable_size(object), 8u);
  delete object;
}

TEST(InstalledManager, TheCFunctionsKeepTheirContracts) {
  // Sizes and alignments whose arithmetic would wrap.
  void* never = nullptr;
  for (const std::size_t size : {SIZE_MAX, SIZE_MAX - 15, SIZE_MAX / 2 + 1}) {
    volatile std::size_t huge = size;
    errno = 0;
    EXPECT_EQ(malloc(huge), nullptr);
    EXPECT_EQ(errno, ENOMEM) << size;
    EXPECT_EQ(posix_memalign(&never, 4096, huge - 100), ENOMEM) << size;
  }
  EXPECT_EQ(posix_memalign(&never, SIZE_MAX / 2 + 1, 16), ENOMEM);
  volatile std::size_t half = SIZE_MAX / 2;
  errno = 0;
  EXPECT_EQ(calloc(half, 3), nullptr);
  EXPECT_EQ(errno, ENOMEM);

  // Pooled blocks and mapped pages are both used again.
  for (const std::size_t size : {100ul, 200000ul}) {
    auto* dirty = static_cast<unsigned char*>(malloc(size));
    std::memset(dirty, 0xFF, size);
    free(dirty);
    auto* zeroed = static_cast<unsigned char*>(calloc(size / 4, 4));
    EXPECT_TRUE(std::all_of(zeroed, zeroed + size, [](unsigned char b) { return b == 0; }));
    free(zeroed);
  }
  // A given-back mapping serves a later request of nearly the same size.
  void* mapped = Opaque(malloc(200000));
  free(mapped);
  void* again = Opaque(malloc(210000));
  EXPECT_EQ(again, mapped);
  free(again);

  errno = EDOM;
  free(malloc(10));
  free(malloc(100000));
  EXPECT_EQ(errno, EDOM);

  auto* text = static_cast<char*>(realloc(nullptr, 5));
  std::strcpy(text, "abcd");
  text = static_cast<char*>(realloc(text, 100000));
  EXPECT_STREQ(text, "abcd");
  EXPECT_EQ(realloc(text, 0), nullptr);

  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  for (const std::size_t alignment : {16ul, 32ul, 256ul, 4096ul, 65536ul}) {
    SCOPED_TRACE(alignment);
    void* p = nullptr;
    EXPECT_EQ(posix_memalign(&p, alignment, 100), 0);
    void* q = aligned_alloc(alignment, 100);
    void* r = memalign(alignment, 100);
    for (void* block : {p, q, r}) {
      EXPECT_TRUE(Aligned(block, alignment));
      EXPECT_GE(malloc_usable_size(block), 100u);
      free(block);
    }
  }
  void* p = nullptr;
  EXPECT_EQ(posix_memalign(&p, 24, 10), EINVAL);
  EXPECT_EQ(aligned_alloc(24, 10), nullptr);
  void* pageBlock = valloc(10);
  void* wholePages = pvalloc(10);
  EXPECT_TRUE(Aligned(pageBlock, page) && Aligned(wholePages, page));
  EXPECT_GE(malloc_usable_size(wholePages), page);
  free(pageBlock);
  free(wholePages);
}

// malloc_usable_size stops the program for a block that the manager did not hand out.
TEST(InstalledManager, EveryFormOfNewAndDeleteGoesThroughTheManager) {
  constexpr std::align_val_t k256{256};
  const auto fromManager = [](void* p, std::size_t alignment) {
    EXPECT_TRUE(Aligned(p, alignment));
    EXPECT_GE(malloc_usable_size(p), 100u);
    return p;
  };
  ::operator delete(fromManager(::operator new(100), 16));
  ::operator delete(fromManager(::operator new(100), 16), 100);
  ::operator delete(fromManager(::operator new(100, std::nothrow), 16), std::nothrow);
  ::operator delete[](fromManager(::operator new[](100), 16));
  ::operator delete[](fromManager(::operator new[](100), 16), 100);
  ::operator delete[](fromManager(::operator new[](100, std::nothrow), 16), std::nothrow);
  ::operator delete(fromManager(::operator new(100, k256), 256), k256);
  ::operator delete(fromManager(::operator new(100, k256), 256), 100, k256);
  ::operator delete(fromManager(::operator new(100, k256, std::nothrow), 256), k256, std::nothrow);
  ::operator delete[](fromManager(::operator new[](100, k256), 256), k256);
  ::operator delete[](fromManager(::operator new[](100, k256), 256), 100, k256);
  ::operator delete[](fromManager(::operator new[](100, k256, std::nothrow), 256), k256,
                      std::nothrow);

  // Beyond what can be had: the new handler is asked until it gives up, then bad_alloc, or
  // nothing from the forms that do not throw.
  volatile std::size_t huge = SIZE_MAX / 2;
  static int handlerCalls = 0;
  std::set_new_handler([] {
    if (++handlerCalls == 3) std::set_new_handler(nullptr);
  });
  EXPECT_THROW(static_cast<void>(::operator new(huge)), std::bad_alloc);
  EXPECT_EQ(handlerCalls, 3);
  EXPECT_EQ(::operator new(huge, std::nothrow), nullptr);
  EXPECT_EQ(::operator new[](huge, k256, std::nothrow), nullptr);
}

// A preloaded allocator that replaces the C++ operators as well as the C functions takes no
// block of the program: the program's own definitions come first.
TEST(InstalledManager, AnAllocatorPreloadedIntoTheProgramTakesNoBlocks) {
  const std::filesystem::path jemalloc = "/usr/lib/x86_64-linux-gnu/libjemalloc.so.2";
  if (!std::filesystem::exists(jemalloc)) GTEST_SKIP() << "no jemalloc to preload";
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const CommandResult run =
      test::Run("LD_PRELOAD=" + jemalloc.string() + " " + ShellQuote(self) +
                " --gtest_filter='InstalledManager.*:-InstalledManager.AnAllocatorPreloaded*'");
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
}

TEST(InstalledManager, RandomRequestsMovesAndFreesKeepEveryBlocksContents) {
  std::mt19937 random(15);
  const auto size = [&] {
    const unsigned kind = random() % 100;
    return kind < 70 ? random() % 65 : kind < 98 ? random() % 17000 : random() % 300000;
  };
  std::vector<TBlock> slots(3000);
  unsigned serial = 0;
  for (int i = 0; i < 200000; ++i) {
    TBlock& block = slots[random() % slots.size()];
    if (block.p && random() % 2) {
      const std::size_t moved = size();
      ASSERT_TRUE(block.Holds(block.size)) << i;
      block.p = static_cast<unsigned char*>(realloc(block.p, moved));
      if (moved == 0) {
        ASSERT_EQ(block.p, nullptr);
      } else {
        ASSERT_TRUE(block.Holds(std::min(moved, block.size))) << i;
      }
      block.size = moved;
    } else if (block.p) {
      ASSERT_TRUE(block.Holds(block.size)) << i;
      free(block.p);
      block = {};
      continue;
    } else {
      block.size = size();
      block.p = static_cast<unsigned char*>(malloc(block.size));
    }
    if (!block.p) continue;
    ASSERT_TRUE(Aligned(block.p));
    block.seed = ++serial;
    block.Fill();
  }
  for (TBlock& block : slots) {
    EXPECT_TRUE(block.Holds(block.size));
    free(block.p);
  }
}

TEST(InstalledManager, EightThreadsAllocateAndFreeEachOthersBlocks) {
  constexpr int kThreads = 8;
  struct TMailbox {
    std::mutex lock;
    std::vector<TBlock> blocks;
  };
  std::array<TMailbox, kThreads> mailboxes;
  std::atomic<int> damaged{0};
  const auto freeAll = [&](std::vector<TBlock>& blocks) {
    for (const TBlock& block : blocks) {
      if (!block.Holds(block.size) || !Aligned(block.p)) ++damaged;
      free(block.p);
    }
    blocks.clear();
  };
  const auto work = [&](int thread) {
    std::mt19937 random(thread);
    std::vector<TBlock> received;
    for (int i = 0; i < 20000; ++i) {
      TBlock block;
      block.size = random() % 400 + (i % 100 == 0 ? 30000 : 0);
      block.p = static_cast<unsigned char*>(malloc(block.size));
      block.seed = random();
      block.Fill();
      {
        std::lock_guard lock(mailboxes[(thread + 1) % kThreads].lock);
        mailboxes[(thread + 1) % kThreads].blocks.push_back(block);
      }
      {
        std::lock_guard lock(mailboxes[thread].lock);
        received.swap(mailboxes[thread].blocks);
      }
      freeAll(received);
    }
  };
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back(work, t);
  for (std::thread& thread : threads) thread.join();
  for (TMailbox& mailbox : mailboxes) freeAll(mailbox.blocks);
  EXPECT_EQ(damaged, 0);
}

TEST(InstalledManager, AThreadedProcessForksAndExecs) {
  std::atomic<bool> stop{false};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&stop, t] {
      std::mt19937 random(t);
      while (!stop) free(Opaque(malloc(random() % 2 ? random() % 200 : 70000)));
    });
  }
  for (int i = 0; i < 50; ++i) {
    const pid_t child = fork();
    if (child == 0) {
      alarm(20);  // a child stuck on a lock dies instead
      free(Opaque(malloc(100)));
      free(Opaque(malloc(100000)));
      execl("/bin/true", "true", nullptr);
      _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  }
  stop = true;
  for (std::thread& thread : threads) thread.join();
}

TEST(InstalledManagerDeathTest, ForeignAndTwiceFreedPointersStopTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  alignas(16) static unsigned char foreign[64];
  EXPECT_DEATH(free(Opaque(foreign + 32)), "free\\(\\): invalid pointer 0x[0-9a-f]+");
  EXPECT_DEATH((void)!realloc(Opaque(foreign + 32), 10), "realloc\\(\\): invalid pointer");
  EXPECT_DEATH(
      {
        void* keeper = malloc(24);  // keeps the chunk alive
        void* volatile p = malloc(24);
        free(p);
        free(p);
        free(keeper);
      },
      "free\\(\\): double free of 0x");
  EXPECT_DEATH(
      {
        void* volatile large = malloc(20000);
        free(large);
        free(large);
      },
      "free\\(\\): invalid pointer");
}

}  // namespace
}  // namespace kyrovane::test
