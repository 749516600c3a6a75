#pragma once

// The system layer of the program: the C library's own allocator under its internal names,
// anonymous page mappings, the C library's single-thread flag and one lock.

#include <pthread.h>

#include <cstddef>

#include "memory/SpinLock.h"
#include "memory/SystemLayer.h"

namespace kyrovane::memory {

class TLibcSystem final : public TSystemLayer {
 public:
  // Given-back mappings up to this size are kept for a later request of the same size, sizes
  // being counted in steps of 64 KiB, at most kKeptMappings of them and kKeptBytes in all: code
  // that keeps taking and giving back large buffers of the same sizes, compression buffers for one,
  // then neither maps nor faults in fresh pages each time. Larger mappings are always fresh, so
  // zeroed.
  static constexpr std::size_t kLargestKeptMapping = 1 << 20;
  static constexpr int kKeptMappings = 64;
  static constexpr std::size_t kKeptBytes = 16 << 20;

  bool HasHeap() override { return true; }
  void* HeapAlloc(std::size_t size) override;
  bool HeapFree(void* p) override;
  void* MapPages(std::size_t size) override;
  bool UnmapPages(void* p, std::size_t size) override;
  bool IsMultiThreaded() override;
  void Lock() override { lock_.Lock(); }
  void Unlock() override { lock_.Unlock(); }
  // Registers the fork handlers.
  void Started() override;

 private:
  struct TMapping {
    void* Address;
    std::size_t Size;
  };

  // Runs `use` on the kept mappings, under their mutex while the process has more than one
  // thread.
  template <class Use>
  auto WithKeptMappings(Use use) {
    const bool locked = IsMultiThreaded();
    if (locked) pthread_mutex_lock(&keptMutex_);
    const auto result = use();
    if (locked) pthread_mutex_unlock(&keptMutex_);
    return result;
  }

  static void BeforeFork();
  static void AfterForkInParent();
  static void AfterForkInChild();

  TSpinLock lock_;
  pthread_mutex_t keptMutex_ = PTHREAD_MUTEX_INITIALIZER;  // taken after lock_, never before
  TMapping kept_[kKeptMappings] = {};                      // Size 0: a free entry
  std::size_t keptBytes_ = 0;
  bool lockedForFork_ = false;
};

// The one instance, constant-initialised.
extern TLibcSystem libcSystem;

}  // namespace kyrovane::memory
