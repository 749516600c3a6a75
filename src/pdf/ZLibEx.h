#pragma once

// Deflate compression of stream data in zlib format, piece by piece, so that only the
// compressed copy is ever held whole in memory.

#include <cstddef>
#include <functional>
#include <stdexcept>

namespace kyrovane {

class EZLibError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Carries zlib's message for the failing result code.
class EZCompressionError : public EZLibError {
 public:
  using EZLibError::EZLibError;
};

// zlib levels 0, 1, the library default and 9.
enum TZCompressionLevel { zcNone, zcFastest, zcDefault, zcMax };

// Fills the buffer with up to `size` bytes of input and returns their count; 0 ends the input.
using TZReadFunc = std::function<std::size_t(char* buffer, std::size_t size)>;
using TZWriteFunc = std::function<void(const char* data, std::size_t size)>;

// Compresses the whole input into the output (window 15, memory level 8, default strategy).
// Large input is cut into pieces of a fixed size that the cores compress at once; the output
// is the same on every machine (see ParallelZCompress).
void ZCompressStream(const TZReadFunc& input, const TZWriteFunc& output, TZCompressionLevel level);

// Passes a zlib result code through; a negative one raises EZCompressionError.
int ZCompressCheck(int code);

}  // namespace kyrovane
