// The C++ allocation operators, served by the memory manager like the C functions. Every
// replaceable form is defined, so that no allocator that replaces them (a preloaded one, say)
// takes a part of the process's blocks: the executable's definitions come first wherever the
// process looks one up.

#include <malloc.h>
#include <stdlib.h>

#include <cstddef>
#include <new>

namespace {

// What the standard asks of a throwing new: call the new handler until memory comes or none is
// left, then throw.
void* Allocate(std::size_t size, std::size_t alignment) {
  for (;;) {
    void* p =
        alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__ ? malloc(size) : memalign(alignment, size);
    if (p) return p;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void* AllocateOrNull(std::size_t size, std::size_t alignment) noexcept {
  try {
    return Allocate(size, alignment);
  } catch (...) {
    return nullptr;
  }
}

constexpr std::size_t kPlain = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

std::size_t Of(std::align_val_t alignment) {
  return static_cast<std::size_t>(alignment);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size, kPlain);
}
void* operator new[](std::size_t size) {
  return Allocate(size, kPlain);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size, kPlain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return Allocate(size, Of(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return Allocate(size, Of(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size, Of(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size, Of(alignment));
}

void operator delete(void* p) noexcept {
  free(p);
}
void operator delete[](void* p) noexcept {
  free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  free(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
  free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  free(p);
}
