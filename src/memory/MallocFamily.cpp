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
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <bit>
#include <cstdint>

#include "memory/LibcSystem.h"
#include "memory/PoolAllocator.h"

namespace {

using kyrovane::memory::libcSystem;
using kyrovane::memory::TBlockKind;
using kyrovane::memory::TLibcSystem;
using kyrovane::memory::TPoolAllocator;

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

constinit TPoolAllocator allocator(libcSystem, StopProgram);

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
  // Blocks beyond the mappings kept for reuse come from fresh pages, which are zeroed.
  if (p && total <= TLibcSystem::kLargestKeptMapping) memset(p, 0, total);
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
