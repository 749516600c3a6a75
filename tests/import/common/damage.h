#pragma once

// Damaged copies of a test file for the readers: every proper prefix, and the file with one
// byte changed. The check returns what is wrong with the reader's answer, or an empty string.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace kyrovane::test {

template <typename Check>
void CheckEveryPrefix(const std::string& file, Check check) {
  for (std::size_t size = 0; size < file.size(); ++size) {
    std::string problem = check(std::string_view(file.data(), size));
    if (!problem.empty()) {
      ADD_FAILURE() << "prefix of " << size << " bytes: " << problem;
      return;
    }
  }
}

// Changes each of the first `limit` bytes in turn: bytes of the text header to values that upset
// numbers, separators and signs, the binary bytes after it to values that upset counts and codes.
template <typename Check>
void CheckEveryByteChange(std::string file, std::size_t textHeaderSize, std::size_t limit,
                          Check check) {
  for (std::size_t pos = 0; pos < file.size() && pos < limit; ++pos) {
    const char original = file[pos];
    const char flipped = static_cast<char>(original ^ 0x01);
    std::string values = pos < textHeaderSize
                             ? std::string{'\0', '\xFF', '9', ',', '-', 'f', flipped}
                             : std::string{'\0', '\xFF', flipped};
    for (char value : values) {
      if (value == original) continue;
      file[pos] = value;
      std::string problem = check(std::string_view(file));
      if (!problem.empty()) {
        ADD_FAILURE() << "byte " << pos << " set to " << int(static_cast<unsigned char>(value))
                      << ": " << problem;
        return;
      }
    }
    file[pos] = original;
  }
}

}  // namespace kyrovane::test
