#pragma once

// A system layer for the manager's tests: it records every request, hands out zeroed blocks
// of the test program's own heap, refuses what a test tells it to and returns what is left
// when it goes.

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "memory/SystemLayer.h"

namespace kyrovane::test {

enum class TSystemCall { HeapAlloc, HeapFree, MapPages, UnmapPages, Lock, Unlock };

struct TSystemRecord {
  TSystemCall Call;
  std::size_t Size = 0;  // bytes asked for or given back
  bool operator==(const TSystemRecord&) const = default;
};

class TFakeSystem final : public memory::TSystemLayer {
 public:
  TFakeSystem() = default;
  TFakeSystem(const TFakeSystem&) = delete;
  TFakeSystem& operator=(const TFakeSystem&) = delete;
  ~TFakeSystem();

  bool HasHeap() override { return Heap; }
  void* HeapAlloc(std::size_t size) override { return Give(TSystemCall::HeapAlloc, size); }
  bool HeapFree(void* p) override { return Take(TSystemCall::HeapFree, p); }
  void* MapPages(std::size_t size) override { return Give(TSystemCall::MapPages, size); }
  bool UnmapPages(void* p, std::size_t size) override;
  bool IsMultiThreaded() override { return MultiThreaded; }
  void Lock() override { Records.push_back({TSystemCall::Lock}); }
  void Unlock() override { Records.push_back({TSystemCall::Unlock}); }
  void Started() override { ++StartCount; }

  // Blocks of the system not given back yet.
  std::size_t LiveBlocks() const { return live_.size(); }
  // The largest request recorded since the records were last cleared.
  std::size_t LargestRequest() const;

  std::vector<TSystemRecord> Records;
  bool Heap = true;
  bool MultiThreaded = false;
  std::size_t RefuseFrom = SIZE_MAX;  // requests of at least this many bytes fail
  std::size_t GrantsLeft = SIZE_MAX;  // requests that succeed before all fail
  int StartCount = 0;

 private:
  void* Give(TSystemCall call, std::size_t size);
  bool Take(TSystemCall call, void* p);

  std::map<void*, std::size_t> live_;
};

}  // namespace kyrovane::test
