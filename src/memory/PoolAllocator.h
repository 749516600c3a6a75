#pragma once

// The process's allocation entry points over the manager. The manager starts on the first
// request; the lock is taken only while the process has more than one thread, by each entry
// point on its own. Everything here is constant-initialised, so that the entry points work
// before any constructor of the program has run.

#include <atomic>
#include <cstddef>

#include "memory/MemManager.h"
#include "memory/OsMemory.h"
#include "memory/SystemLayer.h"

namespace kyrovane::memory {

class TPoolAllocator {
 public:
  // Called with the entry point's name for a pointer that the manager did not hand out or
  // that was freed already; it must not return.
  using TFaultHandler = void (*)(const char* function, TBlockKind fault, const void* p);

  constexpr TPoolAllocator(TSystemLayer& system, TFaultHandler fault)
      : os_(system), fault_(fault) {}

  // nullptr when the manager cannot start, the request is too large or memory is exhausted.
  void* PoolGetMem(std::size_t size);
  // `alignment`: a power of two; nullptr as PoolGetMem.
  void* PoolGetAlignedMem(std::size_t size, std::size_t alignment);
  // 0, or 1 when the system refused to take a large block back.
  int PoolFreeMem(void* p);
  // The block moved to a new one of `size` bytes, or nullptr with `p` untouched.
  void* PoolReallocMem(void* p, std::size_t size);
  std::size_t UsableSize(const void* p);

  // The manager once started, for tests.
  const TMemManager* Manager() const { return manager_; }

 private:
  bool InitMemManager();
  TBlockInfo InspectOrStop(const char* function, const void* p);
  [[noreturn]] void Stop(const char* function, TBlockKind fault, const void* p);

  TOsMemory os_;
  TFaultHandler fault_;
  TMemManager* manager_ = nullptr;
  std::atomic<bool> initialised_{false};
};

}  // namespace kyrovane::memory
