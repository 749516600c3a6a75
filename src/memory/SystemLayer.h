#pragma once

// What the memory manager needs from the system: blocks of the C library's own heap, page
// mappings, the process's thread state and one lock. The program uses TLibcSystem; the tests
// put a recording fake in its place.

#include <cstddef>

namespace kyrovane::memory {

class TSystemLayer {
 public:
  // False when there is no heap to allocate from; the manager then never starts.
  virtual bool HasHeap() = 0;
  virtual void* HeapAlloc(std::size_t size) = 0;
  virtual bool HeapFree(void* p) = 0;
  // Read-write pages of at least `size` bytes, or nullptr.
  virtual void* MapPages(std::size_t size) = 0;
  virtual bool UnmapPages(void* p, std::size_t size) = 0;

  // True once the process has had a second thread.
  virtual bool IsMultiThreaded() = 0;
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  // Told once, after the manager has started and outside the lock.
  virtual void Started() {}

 protected:
  // Not virtual and trivial: the program's instance is a constant-initialised global that
  // needs no destructor at exit.
  ~TSystemLayer() = default;
};

}  // namespace kyrovane::memory
