#include "memory/LibcSystem.h"

#include <sys/mman.h>
#include <sys/single_threaded.h>
#include <unistd.h>

extern "C" {
void* __libc_malloc(std::size_t size);
void __libc_free(void* p);
}

namespace kyrovane::memory {

constinit TLibcSystem libcSystem;

namespace {

std::size_t WholePages(std::size_t size) {
  const std::size_t page = static_cast<std::size_t>(getpagesize());
  return (size + page - 1) & ~(page - 1);
}

// The size actually mapped: mappings that may be kept come in steps of 64 KiB, so that a
// given-back one fits later requests of nearly the same size.
std::size_t MappedSize(std::size_t size) {
  constexpr std::size_t kStep = 64 << 10;
  if (size > TLibcSystem::kLargestKeptMapping) return WholePages(size);
  return (size + kStep - 1) & ~(kStep - 1);
}

}  // namespace

void* TLibcSystem::HeapAlloc(std::size_t size) {
  return __libc_malloc(size);
}

bool TLibcSystem::HeapFree(void* p) {
  __libc_free(p);
  return true;
}

bool TLibcSystem::IsMultiThreaded() {
  return !__libc_single_threaded;
}

void* TLibcSystem::MapPages(std::size_t size) {
  size = MappedSize(size);
  const auto take = [&]() -> void* {
    for (TMapping& mapping : kept_) {
      if (mapping.Size == size) {
        mapping.Size = 0;
        keptBytes_ -= size;
        return mapping.Address;
      }
    }
    return nullptr;
  };
  if (size <= kLargestKeptMapping) {
    if (void* kept = WithKeptMappings(take)) return kept;
  }
  void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

bool TLibcSystem::UnmapPages(void* p, std::size_t size) {
  size = MappedSize(size);
  const auto keep = [&] {
    if (keptBytes_ + size > kKeptBytes) return false;
    for (TMapping& mapping : kept_) {
      if (mapping.Size == 0) {
        mapping = {p, size};
        keptBytes_ += size;
        return true;
      }
    }
    return false;
  };
  if (size <= kLargestKeptMapping && WithKeptMappings(keep)) return true;
  return munmap(p, size) == 0;
}

// A fork copies the locks in whatever state other threads hold them: they are taken before
// the fork and released on both sides.
void TLibcSystem::BeforeFork() {
  libcSystem.lockedForFork_ = libcSystem.IsMultiThreaded();
  if (!libcSystem.lockedForFork_) return;
  libcSystem.lock_.Lock();
  pthread_mutex_lock(&libcSystem.keptMutex_);
}

void TLibcSystem::AfterForkInParent() {
  if (!libcSystem.lockedForFork_) return;
  pthread_mutex_unlock(&libcSystem.keptMutex_);
  libcSystem.lock_.Unlock();
}

void TLibcSystem::AfterForkInChild() {
  if (!libcSystem.lockedForFork_) return;
  const pthread_mutex_t fresh = PTHREAD_MUTEX_INITIALIZER;
  libcSystem.keptMutex_ = fresh;
  libcSystem.lock_.Reset();
}

void TLibcSystem::Started() {
  pthread_atfork(BeforeFork, AfterForkInParent, AfterForkInChild);
}

}  // namespace kyrovane::memory
