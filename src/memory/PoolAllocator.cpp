#include "memory/PoolAllocator.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kyrovane::memory {

namespace {

// Holds the lock for a scope when the process has more than one thread. Large blocks need
// none: they touch no shared state, and their system calls then keep no other thread waiting.
class TProcessLock {
 public:
  explicit TProcessLock(TSystemLayer& system, bool needed = true)
      : system_(system), held_(needed && system.IsMultiThreaded()) {
    if (held_) system_.Lock();
  }
  ~TProcessLock() {
    if (held_) system_.Unlock();
  }
  TProcessLock(const TProcessLock&) = delete;
  TProcessLock& operator=(const TProcessLock&) = delete;

 private:
  TSystemLayer& system_;
  const bool held_;
};

}  // namespace

bool TPoolAllocator::InitMemManager() {
  if (initialised_.load(std::memory_order_acquire)) return true;
  {
    TProcessLock lock(os_.System());
    if (initialised_.load(std::memory_order_relaxed)) return true;
    if (!os_.System().HasHeap()) return false;
    manager_ = TMemManager::Create(os_);
    if (!manager_) return false;
    initialised_.store(true, std::memory_order_release);
  }
  os_.System().Started();
  return true;
}

void* TPoolAllocator::PoolGetMem(std::size_t size) {
  if (!InitMemManager()) return nullptr;
  TProcessLock lock(os_.System(), !IsLargeRequest(size));
  return manager_->GetMem(size);
}

void* TPoolAllocator::PoolGetAlignedMem(std::size_t size, std::size_t alignment) {
  if (alignment <= 16) return PoolGetMem(size);
  if (!InitMemManager()) return nullptr;
  TProcessLock lock(os_.System());
  return manager_->GetAlignedMem(size, alignment);
}

int TPoolAllocator::PoolFreeMem(void* p) {
  if (!initialised_.load(std::memory_order_acquire)) Stop("free", TBlockKind::NotHandedOut, p);
  TFreeResult result;
  {
    TProcessLock lock(os_.System(), !TMemManager::ClaimsLarge(p));
    result = manager_->FreeMem(p);
  }
  switch (result) {
    case TFreeResult::Freed:
      return 0;
    case TFreeResult::ReleaseFailed:
      return 1;
    case TFreeResult::FreedTwice:
      Stop("free", TBlockKind::FreedTwice, p);
    case TFreeResult::NotHandedOut:
      break;
  }
  Stop("free", TBlockKind::NotHandedOut, p);
}

void* TPoolAllocator::PoolReallocMem(void* p, std::size_t size) {
  const std::size_t usable = InspectOrStop("realloc", p).Usable;
  void* moved = PoolGetMem(size);
  if (!moved) return nullptr;
  std::memcpy(moved, p, std::min(usable, size));
  PoolFreeMem(p);
  return moved;
}

std::size_t TPoolAllocator::UsableSize(const void* p) {
  return InspectOrStop("malloc_usable_size", p).Usable;
}

TBlockInfo TPoolAllocator::InspectOrStop(const char* function, const void* p) {
  if (!initialised_.load(std::memory_order_acquire)) Stop(function, TBlockKind::NotHandedOut, p);
  TBlockInfo info;
  {
    TProcessLock lock(os_.System(), !TMemManager::ClaimsLarge(p));
    info = manager_->Inspect(p);
  }
  if (IsFault(info.Kind)) Stop(function, info.Kind, p);
  return info;
}

void TPoolAllocator::Stop(const char* function, TBlockKind fault, const void* p) {
  fault_(function, fault, p);
  std::abort();
}

}  // namespace kyrovane::memory
