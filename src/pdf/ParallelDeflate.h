#pragma once

// Deflate of large streams spread over several threads. The input is cut into pieces that are
// compressed independently as raw deflate data, each primed with the 32 KB before it and ending
// on a byte boundary (a sync flush), so that the pieces joined behind one zlib header, with
// their Adler-32 checksums combined, form one ordinary zlib stream.

#include <cstddef>
#include <functional>

namespace kyrovane {

// Fills the buffer with up to `capacity` bytes of input and returns how many it wrote; 0 means
// the input is exhausted.
using DeflateSource = std::function<std::size_t(char* buffer, std::size_t capacity)>;
// Receives the compressed bytes in order.
using DeflateSink = std::function<void(const char* data, std::size_t size)>;

// Input bytes per piece.
inline constexpr std::size_t kDeflatePieceSize = 256 * 1024;

// Threads used for the deflate of large streams; the machine's core count unless set.
unsigned DeflateThreadCount();
void SetDeflateThreadCount(unsigned threads);

// Compresses everything the source yields into one zlib stream at the given zlib level (0 … 9
// or -1) with `threads` workers. Holds at most a few pieces per thread in memory at a time.
// zlib failures are reported with the code zlib gave through `check`, which must throw.
void ParallelZCompress(const DeflateSource& source, const DeflateSink& sink, int level,
                       unsigned threads, const std::function<void(int zlibCode)>& check);

}  // namespace kyrovane
