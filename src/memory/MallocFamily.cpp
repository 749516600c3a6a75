// The C library's allocation functions, served by the memory manager. Linked into an
// executable (kyrovane_use_memory_manager), these definitions take the place of the C
// library's own for the whole process: the C++ runtime, Qt and every other library allocate
// through them. The manager's system memory comes from the C library's allocator under its
// internal names, and from page mappings.
//
// Nothing here may need a constructor, thread-local storage or an allocation of its own: the
// first calls come from the dynamic loader and the C library before the program's
// initialisers have run.

#include <errno.h>
#include <malloc.h>
#include <pthread.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/single_threaded.h>
#include <unistd.h>

#include <bit>
#include <cstdint>

#include "memory/PoolAllocator.h"

extern "C" {
void* __libc_malloc(size_t size);
void __libc_free(void* p);
}

namespace {

using kyrovane::memory::TBlockKind;
using kyrovane::memory::TPoolAllocator;

class TLibcSystem final : public kyrovane::memory::TSystemLayer {
 public:
  bool HasHeap() override { return true; }
  void* HeapAlloc(size_t size) override { return __libc_malloc(size); }
  bool HeapFree(void* p) override {
    __libc_free(p);
    return true;
  }
  void* MapPages(size_t size) override {
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
  }
  bool UnmapPages(void* p, size_t size) override { return munmap(p, size) == 0; }
  bool IsMultiThreaded() override { return !__libc_single_threaded; }
  void Lock() override { pthread_mutex_lock(&mutex_); }
  void Unlock() override { pthread_mutex_unlock(&mutex_); }
  void Started() override;

  // A fork copies the lock in whatever state another thread holds it: it is taken before the
  // fork and released on both sides.
  void BeforeFork() {
    lockedForFork_ = IsMultiThreaded();
    if (lockedForFork_) Lock();
  }
  void AfterForkInParent() {
    if (lockedForFork_) Unlock();
  }
  void AfterForkInChild() {
    if (!lockedForFork_) return;
    const pthread_mutex_t fresh = PTHREAD_MUTEX_INITIALIZER;
    mutex_ = fresh;
  }

 private:
  pthread_mutex_t mutex_ = PTHREAD_MUTEX_INITIALIZER;
  bool lockedForFork_ = false;
};

// Appends text to a fixed buffer; the fault message is written without allocating.
struct TMessage {
  char text[200];
  size_t length = 0;

  TMessage& operator<<(const char* part) {
    while (*part && length < sizeof text) text[length++] = *part++;
    return *this;
  }
  TMessage& operator<<(const void* p) {
    char digits[2 + 2 * sizeof(uintptr_t) + 1] = "0x";
    auto value = reinterpret_cast<uintptr_t>(p);
    for (size_t i = 2 * sizeof value; i > 0; --i, value >>= 4) {
      digits[1 + i] = "0123456789abcdef"[value & 15];
    }
    digits[sizeof digits - 1] = 0;
    return *this << digits;
  }
};

[[noreturn]] void StopProgram(const char* function, TBlockKind fault, const void* p) {
  TMessage message;
  message << "kyrovane: " << function << "(): ";
  if (fault == TBlockKind::FreedTwice) {
    message << "double free of " << p;
  } else {
    message << "invalid pointer " << p << ": not handed out by the memory manager, or released";
  }
  message << "\n";
  (void)!write(STDERR_FILENO, message.text, message.length);
  abort();
}

constinit TLibcSystem libcSystem;
constinit TPoolAllocator allocator(libcSystem, StopProgram);

void TLibcSystem::Started() {
  pthread_atfork([] { libcSystem.BeforeFork(); }, [] { libcSystem.AfterForkInParent(); },
                 [] { libcSystem.AfterForkInChild(); });
}

size_t PageSize() {
  return static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace

extern "C" {

void* malloc(size_t size) noexcept {
  void* p = allocator.PoolGetMem(size);
  if (!p) errno = ENOMEM;
  return p;
}

void free(void* p) noexcept {
  if (!p) return;
  const int saved = errno;
  allocator.PoolFreeMem(p);
  errno = saved;
}

void* calloc(size_t count, size_t size) noexcept {
  size_t total;
  if (__builtin_mul_overflow(count, size, &total)) {
    errno = ENOMEM;
    return nullptr;
  }
  void* p = malloc(total);
  if (p && !kyrovane::memory::ComesFromPages(total)) memset(p, 0, total);
  return p;
}

void* realloc(void* p, size_t size) noexcept {
  if (!p) return malloc(size);
  if (size == 0) {
    free(p);
    return nullptr;
  }
  void* moved = allocator.PoolReallocMem(p, size);
  if (!moved) errno = ENOMEM;
  return moved;
}

// An alignment that is not a power of two is raised to the next one.
void* memalign(size_t alignment, size_t size) noexcept {
  if (alignment > SIZE_MAX / 2 + 1) {
    errno = EINVAL;
    return nullptr;
  }
  void* p = allocator.PoolGetAlignedMem(size, std::bit_ceil(alignment));
  if (!p) errno = ENOMEM;
  return p;
}

int posix_memalign(void** result, size_t alignment, size_t size) noexcept {
  if (alignment % sizeof(void*) != 0 || !std::has_single_bit(alignment)) return EINVAL;
  void* p = allocator.PoolGetAlignedMem(size, alignment);
  if (!p) return ENOMEM;
  *result = p;
  return 0;
}

void* aligned_alloc(size_t alignment, size_t size) noexcept {
  if (!std::has_single_bit(alignment)) {
    errno = EINVAL;
    return nullptr;
  }
  return memalign(alignment, size);
}

void* valloc(size_t size) noexcept {
  return memalign(PageSize(), size);
}

void* pvalloc(size_t size) noexcept {
  const size_t page = PageSize();
  if (size > SIZE_MAX - page) {
    errno = ENOMEM;
    return nullptr;
  }
  return memalign(page, size == 0 ? page : (size + page - 1) & ~(page - 1));
}

size_t malloc_usable_size(void* p) noexcept {
  return p ? allocator.UsableSize(p) : 0;
}

}  // extern "C"
