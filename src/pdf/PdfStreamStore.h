#pragma once

// Where the data of PDF streams waits until the document is saved. Each stream keeps only its
// latest bytes in memory and moves them on to one temporary file shared by the streams of a
// document. That file lies in the system temp folder (TMPDIR, or /tmp when that one is missing
// or cannot take it) and has no name from the start, so it never collides with another process
// or a user's file, and nothing is left behind when the document is freed or the process is
// killed; one descriptor serves all the streams.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kyrovane {

// The temporary file of the streams could not be made, written or read; code() tells why.
class EStreamStoreError : public std::system_error {
 public:
  using std::system_error::system_error;
};

class TPdfStreamStore {
 public:
  TPdfStreamStore() = default;
  ~TPdfStreamStore();
  TPdfStreamStore(const TPdfStreamStore&) = delete;
  TPdfStreamStore& operator=(const TPdfStreamStore&) = delete;

  // Appends the bytes to the file, creating it on first use, and returns their offset.
  std::uint64_t Append(std::string_view bytes);

  // Reads bytes back. Reads do not move a shared file position, so several threads may read
  // at once as long as nothing is appended meanwhile.
  void Read(std::uint64_t offset, char* buffer, std::size_t size) const;

 private:
  void Open();

  int fd_ = -1;
  std::uint64_t size_ = 0;
};

// The data of one stream: a list of pieces in the store followed by the bytes still in memory.
class TPdfStreamData {
 public:
  explicit TPdfStreamData(std::shared_ptr<TPdfStreamStore> store);

  void Write(std::string_view bytes);
  std::uint64_t Size() const { return size_; }

  // Moves the bytes held in memory to the store and releases that memory; for data that will
  // not grow for a while, such as the contents of a page that was left.
  void Flush();

  // Reads the data from its start, block by block.
  class TReader {
   public:
    explicit TReader(const TPdfStreamData& data) : data_(data) {}
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
};

}  // namespace kyrovane
