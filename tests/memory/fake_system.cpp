#include "memory/fake_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kyrovane::test {

TFakeSystem::~TFakeSystem() {
  for (const auto& [p, size] : live_) std::free(p);
}

void* TFakeSystem::Give(TSystemCall call, std::size_t size) {
  Records.push_back({call, size});
  if (size >= RefuseFrom || GrantsLeft == 0) return nullptr;
  --GrantsLeft;
  // Page-aligned like real mappings; the heap's blocks are 16-byte aligned.
  void* p = call == TSystemCall::MapPages ? std::aligned_alloc(4096, (size + 4095) & ~4095)
                                          : std::malloc(size);
  std::memset(p, 0, size);
  live_[p] = size;
  return p;
}

bool TFakeSystem::Take(TSystemCall call, void* p) {
  const auto block = live_.find(p);
  EXPECT_NE(block, live_.end()) << "the system never gave out " << p;
  if (block == live_.end()) return false;
  Records.push_back({call, block->second});
  std::free(p);
  live_.erase(block);
  return true;
}

bool TFakeSystem::UnmapPages(void* p, std::size_t size) {
  const auto block = live_.find(p);
  EXPECT_TRUE(block != live_.end() && block->second == size) << "unmapping " << size;
  return Take(TSystemCall::UnmapPages, p);
}

std::size_t TFakeSystem::LargestRequest() const {
  std::size_t largest = 0;
  for (const TSystemRecord& record : Records) {
    if (record.Call == TSystemCall::HeapAlloc || record.Call == TSystemCall::MapPages) {
      largest = std::max(largest, record.Size);
    }
  }
  return largest;
}

}  // namespace kyrovane::test
