#pragma once

// A fixed array indexed First..Last, so that pen 1..9 and line type 1..19 index their settings
// directly. Indexing outside the range is a caller error; Contains() tells beforehand.

#include <array>
#include <cassert>
#include <cstddef>

namespace kyrovane {

template <typename T, int First, int Last>
class IndexedArray {
  static_assert(First <= Last);

 public:
  static constexpr int kFirst = First;
  static constexpr int kLast = Last;

  static constexpr bool Contains(long long index) { return index >= First && index <= Last; }

  constexpr T& operator[](int index) {
    assert(Contains(index));
    return items_[static_cast<std::size_t>(index - First)];
  }
  constexpr const T& operator[](int index) const {
    assert(Contains(index));
    return items_[static_cast<std::size_t>(index - First)];
  }

  constexpr auto begin() { return items_.begin(); }
  constexpr auto end() { return items_.end(); }
  constexpr auto begin() const { return items_.begin(); }
  constexpr auto end() const { return items_.end(); }

  bool operator==(const IndexedArray&) const = default;

 private:
  std::array<T, Last - First + 1> items_{};
};

}  // namespace kyrovane
