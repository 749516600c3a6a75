#pragma once

// The data of a Flate stream, compressed while it is written: each piece of input goes to the
// deflate workers as soon as the piece after it has begun, and its compressed bytes wait in the
// stream store; only the piece being filled stays in memory. The pieces, the level and so the
// zlib stream are those that ParallelZCompress makes of the same data, whatever the number of
// threads.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/ZLibEx.h"

namespace kyrovane {

class TPdfStreamStore;
struct TStoredPiece;

class TPdfDeflatedData {
 public:
  // The store outlives the data.
  explicit TPdfDeflatedData(TPdfStreamStore& store) : store_(store) {}
  TPdfDeflatedData(const TPdfDeflatedData&) = delete;
  TPdfDeflatedData& operator=(const TPdfDeflatedData&) = delete;

  void Write(std::string_view bytes);
  // Compresses the piece being filled as the last one, on the workers, and moves it out of
  // memory; for data that will not grow for a while. Writing more takes it back.
  void Flush();

  // The zlib stream of the data written so far.
  class TStream {
   public:
    std::uint64_t Size() const { return size_; }
    // Writes the stream: its header, each piece read back from the store block by block, and
    // its checksum.
    void WriteTo(const TZWriteFunc& sink) const;

   private:
    friend class TPdfDeflatedData;
    const TPdfStreamStore* store_ = nullptr;
    std::vector<std::shared_ptr<const TStoredPiece>> pieces_;
    std::uint64_t size_ = 0;
    std::uint32_t adler_ = 1;
  };
  // Compresses what is not compressed yet as the last piece, waits for every piece and raises
  // the first failure (EZCompressionError for zlib's). Writing may go on afterwards.
  TStream Finish();

 private:
  void SubmitFullPiece();

  TPdfStreamStore& store_;
  std::string pending_;  // the dictionary, then the data of the piece being filled
  std::size_t dictionarySize_ = 0;
  std::vector<std::shared_ptr<TStoredPiece>> pieces_;  // the pieces before it, in order
  // The pending data compressed as the last piece, while nothing more is written.
  std::shared_ptr<TStoredPiece> last_;
  // After Flush, the pending data waits in the store at this offset.
  bool flushed_ = false;
  std::uint64_t flushedAt_ = 0;
  std::size_t flushedSize_ = 0;
};

}  // namespace kyrovane
