#include "memory/OsMemory.h"

#include <cstdint>

namespace kyrovane::memory {

void* TOsMemory::OSGetMem(std::size_t size) {
  if (size > SIZE_MAX - kOsHeaderSize) return nullptr;
  const std::size_t total = size + kOsHeaderSize;
  void* base = size >= kVirtualMemoryFrom ? system_.MapPages(total) : system_.HeapAlloc(total);
  if (!base) return nullptr;
  auto* header = static_cast<TOsHeader*>(base);
  header->Size = size;
  return header + 1;
}

bool TOsMemory::OSFreeMem(void* p) {
  TOsHeader* header = HeaderOf(p);
  const std::size_t size = header->Size;
  return size >= kVirtualMemoryFrom ? system_.UnmapPages(header, size + kOsHeaderSize)
                                    : system_.HeapFree(header);
}

}  // namespace kyrovane::memory
