#pragma once

// Where the data of PDF streams waits until the document is saved. Each stream keeps only its
// latest bytes in memory and moves them on to one temporary file shared by the streams of a
// document; the data of Flate streams is compressed on the way (see TPdfDeflatedData), by
// deflate workers that the streams of a document share too. That file lies in the system temp
// folder (TMPDIR, or /tmp when that one is missing or cannot take it) and has no name from the
// start, so it never collides with another process or a user's file, and nothing is left behind
// when the document is freed or the process is killed; one descriptor serves all the streams.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "pdf/ParallelDeflate.h"

namespace kyrovane {

// The temporary file of the streams could not be made, written or read; code() tells why.
class EStreamStoreError : public std::system_error {
 public:
  using std::system_error::system_error;
};

class TPdfDeflatedData;

// The zlib level of every Flate stream the library writes.
inline constexpr int kPdfDeflateLevel = 9;
// Bytes read back from the store at a time.
inline constexpr std::size_t kStreamReadBlockSize = 65536;

class TPdfStreamStore {
 public:
  TPdfStreamStore() = default;
  ~TPdfStreamStore();
  TPdfStreamStore(const TPdfStreamStore&) = delete;
  TPdfStreamStore& operator=(const TPdfStreamStore&) = delete;

  // Appends the bytes to the file, creating it on first use, and returns their offset. Several
  // threads may append at once.
  std::uint64_t Append(std::string_view bytes);

  // Reads bytes appended before. Reads do not move a shared file position, so several threads
  // may read at once, also while others append.
  void Read(std::uint64_t offset, char* buffer, std::size_t size) const;

  // The deflate workers of the streams (DeflateThreadCount threads at kPdfDeflateLevel).
  TDeflateWorkers& Workers();

 private:
  void Open();

  std::mutex mutex_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
  std::unique_ptr<TDeflateWorkers> workers_;
};

// The data of one stream: a list of pieces in the store followed by the bytes still in memory.
class TPdfStreamData {
 public:
  explicit TPdfStreamData(std::shared_ptr<TPdfStreamStore> store);
  ~TPdfStreamData();
  TPdfStreamData(const TPdfStreamData&) = delete;
  TPdfStreamData& operator=(const TPdfStreamData&) = delete;

  void Write(std::string_view bytes);
  // Bytes written, before any compression.
  std::uint64_t Size() const { return size_; }

  // Moves the bytes held in memory to the store and releases that memory; for data that will
  // not grow for a while, such as the contents of a page that was left.
  void Flush();

  // The data kept compressed: from the first call on, what was written so far is compressed at
  // once and what follows as it comes.
  TPdfDeflatedData& Deflated();

  // Reads the data from its start, block by block; not for data kept compressed.
  class TReader {
   public:
    explicit TReader(const TPdfStreamData& data);
    // Fills the buffer with up to `size` bytes and returns their count; 0 at the end.
    std::size_t Read(char* buffer, std::size_t size);

   private:
    const TPdfStreamData& data_;
    std::size_t piece_ = 0;
    std::uint64_t offsetInPiece_ = 0;
  };

 private:
  struct TPiece {
    std::uint64_t offset;
    std::uint64_t length;
  };

  void MoveToStore();

  std::shared_ptr<TPdfStreamStore> store_;
  std::vector<TPiece> pieces_;
  std::string memory_;
  std::uint64_t size_ = 0;
  std::unique_ptr<TPdfDeflatedData> deflated_;
};

}  // namespace kyrovane
