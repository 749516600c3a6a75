#pragma once

// Deflate of large streams spread over several threads. The input is cut into pieces that are
// compressed independently as raw deflate data, each primed with the 32 KB before it and ending
// on a byte boundary (a sync flush), so that the pieces joined behind one zlib header, with
// their Adler-32 checksums combined, form one ordinary zlib stream.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "pdf/ZLibEx.h"

namespace kyrovane {

// Input bytes per piece, and the input before a piece that primes it.
inline constexpr std::size_t kDeflatePieceSize = 256 * 1024;
inline constexpr std::size_t kDeflateWindowSize = 32 * 1024;

// Threads used for the deflate of large streams; the machine's core count unless set.
unsigned DeflateThreadCount();
void SetDeflateThreadCount(unsigned threads);

// The two header bytes zlib itself writes for a level (window 32 KB, no preset dictionary).
std::string ZlibHeader(int level);
// The four bytes that end a zlib stream: the Adler-32 of all its data, high byte first.
std::string ZlibTrailer(std::uint32_t adler);
// The Adler-32 of two pieces of data one after the other.
std::uint32_t CombineAdler(std::uint32_t first, std::uint32_t second, std::uint64_t secondSize);

// One piece of input, and what it became. Whoever makes the piece decides in Keep what is kept
// of the compressed bytes.
class TDeflatePiece {
 public:
  virtual ~TDeflatePiece() = default;

  std::string Input;  // the dictionary (the input just before the piece), then the data
  std::size_t DictionarySize = 0;
  bool Last = false;  // ends the stream; otherwise ends on a byte boundary

  // Known once the piece is compressed; Input is released then.
  std::uint64_t DataSize = 0;
  std::uint32_t Adler = 1;

 protected:
  // Called once, on the thread that compressed the piece.
  virtual void Keep(std::string_view compressed) = 0;

 private:
  friend class TZlibDeflater;
  friend class TDeflateWorkers;
  // Set under the workers' lock.
  bool done_ = false;
  std::exception_ptr failure_;
};

// A piece that keeps its compressed bytes in memory.
class TBufferedPiece : public TDeflatePiece {
 public:
  std::string Output;

 protected:
  void Keep(std::string_view compressed) override { Output.assign(compressed); }
};

// A raw deflate state for one level, set up on first use and reset for each piece after that.
class TZlibDeflater {
 public:
  explicit TZlibDeflater(int level);
  ~TZlibDeflater();
  TZlibDeflater(const TZlibDeflater&) = delete;
  TZlibDeflater& operator=(const TZlibDeflater&) = delete;

  // Compresses the piece, lets it keep the result and releases its input. zlib failures raise
  // EZCompressionError.
  void Compress(TDeflatePiece& piece);

 private:
  struct TState;
  const int level_;
  std::unique_ptr<TState> state_;
  std::string output_;
};

// Threads that compress pieces in any order, each with a zlib state of its own. The threads
// start with the first piece submitted, as many as the system lets start; with fewer than two
// asked for, or none started, pieces are compressed on the thread that submits them.
class TDeflateWorkers {
 public:
  TDeflateWorkers(unsigned threads, int level);
  // Pieces under way are finished, pieces still queued are dropped.
  ~TDeflateWorkers();
  TDeflateWorkers(const TDeflateWorkers&) = delete;
  TDeflateWorkers& operator=(const TDeflateWorkers&) = delete;

  // Queues the piece, first waiting while the queue holds two pieces per thread; without
  // threads, compresses it at once. May be called from several threads.
  void Submit(std::shared_ptr<TDeflatePiece> piece);
  // Compresses the piece at once on the calling thread, without starting any thread.
  void CompressHere(TDeflatePiece& piece);
  // Waits until the piece is compressed and kept; raises what compressing or keeping it raised.
  void Wait(TDeflatePiece& piece);
  // The threads running, once the first piece was submitted.
  unsigned ThreadCount();

 private:
  void Start();
  void Work();

  const unsigned wanted_;
  const int level_;
  std::mutex mutex_;
  std::condition_variable wake_;      // a piece was queued, or the workers stop
  std::condition_variable finished_;  // a piece is done
  std::condition_variable room_;      // the queue has room again
  std::deque<std::shared_ptr<TDeflatePiece>> queue_;
  bool started_ = false;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
  TZlibDeflater inline_;  // for pieces compressed where they are submitted
  std::mutex inlineMutex_;
};

// Compresses the whole input into one zlib stream at the given zlib level (0 … 9 or -1) with
// `threads` workers; with one thread, or input of one piece, on the calling thread. The input is
// cut into the same pieces whatever the thread count, so the output depends on the input and
// the level alone; input of one piece gives zlib's own bytes. Holds at most a few pieces per
// thread in memory at a time. zlib failures raise EZCompressionError.
void ParallelZCompress(const TZReadFunc& input, const TZWriteFunc& output, int level,
                       unsigned threads);

}  // namespace kyrovane
