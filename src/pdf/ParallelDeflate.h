#pragma once

// Deflate of large streams spread over several threads. The input is cut into pieces that are
// compressed independently as raw deflate data, each primed with the 32 KB before it and ending
// on a byte boundary (a sync flush), so that the pieces joined behind one zlib header, with
// their Adler-32 checksums combined, form one ordinary zlib stream.

#include <cstddef>

#include "pdf/ZLibEx.h"

namespace kyrovane {

// Input bytes per piece.
inline constexpr std::size_t kDeflatePieceSize = 256 * 1024;

// Threads used for the deflate of large streams; the machine's core count unless set.
unsigned DeflateThreadCount();
void SetDeflateThreadCount(unsigned threads);

// Compresses the whole input into one zlib stream at the given zlib level (0 … 9 or -1) with
// `threads` workers; with one thread, or input of one piece, on the calling thread. The input is
// cut into the same pieces whatever the thread count, so the output depends on the input and
// the level alone; input of one piece gives zlib's own bytes. Holds at most a few pieces per
// thread in memory at a time. zlib failures raise EZCompressionError.
void ParallelZCompress(const TZReadFunc& input, const TZWriteFunc& output, int level,
                       unsigned threads);

}  // namespace kyrovane
