#pragma once

// System memory with a header: every block taken from the system starts with 16 bytes that
// record its requested size, so that a block can be returned knowing only its address and the
// address after the header keeps the system's 16-byte alignment. Small blocks come from the
// C library's heap, large ones from page mappings.

#include <cstddef>
#include <cstdint>
#include <new>

#include "memory/SystemLayer.h"

namespace kyrovane::memory {

// The header before every system block. `Check` and `SizeWord` belong to blocks handed to
// callers (the manager's own blocks may reuse them); `SizeWord` is the 32-bit word just before
// the caller's pointer.
struct TOsHeader {
  std::uint64_t Size;
  std::uint32_t Check;
  std::uint32_t SizeWord;
};
static_assert(sizeof(TOsHeader) == 16);

inline constexpr std::size_t kOsHeaderSize = sizeof(TOsHeader);
// Requests from this size on are mapped pages rather than heap blocks.
inline constexpr std::size_t kVirtualMemoryFrom = 65532;

inline TOsHeader* HeaderOf(const void* p) {
  return reinterpret_cast<TOsHeader*>(const_cast<std::byte*>(static_cast<const std::byte*>(p)) -
                                      kOsHeaderSize);
}

class TOsMemory {
 public:
  explicit constexpr TOsMemory(TSystemLayer& system) : system_(system) {}

  TSystemLayer& System() const { return system_; }

  // At least `size` bytes, 16-byte aligned, or nullptr.
  void* OSGetMem(std::size_t size);
  // False when the system refuses to take the block back.
  bool OSFreeMem(void* p);

  // The manager's bookkeeping objects live in system memory, never in its own pools.
  template <class T, class... Arguments>
  T* NewInstance(Arguments&&... arguments) {
    void* p = OSGetMem(sizeof(T));
    return p ? new (p) T(static_cast<Arguments&&>(arguments)...) : nullptr;
  }
  template <class T>
  void FreeInstance(T* object) {
    object->~T();
    OSFreeMem(object);
  }

 private:
  TSystemLayer& system_;
};

}  // namespace kyrovane::memory
