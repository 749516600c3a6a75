#include "pdf/PdfStreamStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "pdf/PdfDeflatedData.h"
#include "pdf/PdfErrors.h"

namespace kyrovane {
namespace {

// Bytes a stream keeps in memory before it moves them to the store.
constexpr std::size_t kMemoryLimit = 32768;

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw EStreamStoreError(errno, std::generic_category(), what);
}

// An unnamed file in the folder, or -1 with errno set.
int OpenUnnamed(const std::string& folder) {
  const int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  // File systems without unnamed files: a private name, removed at once.
  std::string path = (std::filesystem::path(folder) / "kyrovane-stream-XXXXXX").string();
  const int named = mkostemp(path.data(), O_CLOEXEC);
  if (named >= 0) unlink(path.c_str());
  return named;
}

}  // namespace

TPdfStreamStore::~TPdfStreamStore() {
  // The workers may still be storing a piece.
  workers_.reset();
  if (fd_ >= 0) close(fd_);
}

TDeflateWorkers& TPdfStreamStore::Workers() {
  std::lock_guard lock(mutex_);
  if (!workers_)
    workers_ = std::make_unique<TDeflateWorkers>(DeflateThreadCount(), kPdfDeflateLevel);
  return *workers_;
}

void TPdfStreamStore::Open() {
  // TMPDIR when it names a folder that takes files, else the system's own folder.
  std::error_code error;
  const std::string chosen = std::filesystem::temp_directory_path(error).string();
  if (!error) fd_ = OpenUnnamed(chosen);
  if (fd_ >= 0) return;
  fd_ = OpenUnnamed(P_tmpdir);
  if (fd_ < 0) ThrowErrno(std::string("cannot create a stream buffer in ") + P_tmpdir);
}

std::uint64_t TPdfStreamStore::Append(std::string_view bytes) {
  std::uint64_t offset;
  int fd;
  {
    // The range is taken under the lock and written outside it.
    std::lock_guard lock(mutex_);
    if (fd_ < 0) Open();
    fd = fd_;
    offset = size_;
    size_ += bytes.size();
  }
  for (std::uint64_t at = offset; !bytes.empty();) {
    ssize_t written = pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(at));
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowErrno("cannot write a stream buffer");
    }
    at += static_cast<std::uint64_t>(written);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return offset;
}

void TPdfStreamStore::Read(std::uint64_t offset, char* buffer, std::size_t size) const {
  while (size > 0) {
    ssize_t got = pread(fd_, buffer, size, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (got == 0) errno = EIO;
      ThrowErrno("cannot read a stream buffer");
    }
    buffer += got;
    offset += static_cast<std::uint64_t>(got);
    size -= static_cast<std::size_t>(got);
  }
}

TPdfStreamData::TPdfStreamData(std::shared_ptr<TPdfStreamStore> store) : store_(std::move(store)) {}

TPdfStreamData::~TPdfStreamData() = default;

void TPdfStreamData::Write(std::string_view bytes) {
  size_ += bytes.size();
  if (deflated_) {
    deflated_->Write(bytes);
    return;
  }
  memory_.append(bytes);
  if (memory_.size() >= kMemoryLimit) MoveToStore();
}

void TPdfStreamData::Flush() {
  if (deflated_) {
    deflated_->Flush();
    return;
  }
  MoveToStore();
  std::string().swap(memory_);
}

TPdfDeflatedData& TPdfStreamData::Deflated() {
  if (deflated_) return *deflated_;
  auto deflated = std::make_unique<TPdfDeflatedData>(*store_);
  TReader reader(*this);
  std::string block(kStreamReadBlockSize, '\0');
  while (const std::size_t count = reader.Read(block.data(), block.size())) {
    deflated->Write(std::string_view(block.data(), count));
  }
  deflated_ = std::move(deflated);
  pieces_.clear();
  std::string().swap(memory_);
  return *deflated_;
}

void TPdfStreamData::MoveToStore() {
  if (memory_.empty()) return;
  std::uint64_t offset = store_->Append(memory_);
  // Pieces written one after another in the file (one page drawn at a time) become one.
  if (!pieces_.empty() && pieces_.back().offset + pieces_.back().length == offset) {
    pieces_.back().length += memory_.size();
  } else {
    pieces_.push_back({offset, memory_.size()});
  }
  memory_.clear();
}

TPdfStreamData::TReader::TReader(const TPdfStreamData& data) : data_(data) {
  if (data.deflated_) throw EPdfInvalidOperation("the stream data is kept compressed.");
}

std::size_t TPdfStreamData::TReader::Read(char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size && piece_ < data_.pieces_.size()) {
    const TPiece& piece = data_.pieces_[piece_];
    std::size_t count = static_cast<std::size_t>(
        std::min<std::uint64_t>(size - done, piece.length - offsetInPiece_));
    data_.store_->Read(piece.offset + offsetInPiece_, buffer + done, count);
    done += count;
    offsetInPiece_ += count;
    if (offsetInPiece_ == piece.length) {
      ++piece_;
      offsetInPiece_ = 0;
    }
  }
  if (done < size && piece_ == data_.pieces_.size()) {
    std::size_t count = std::min<std::size_t>(size - done, data_.memory_.size() - offsetInPiece_);
    data_.memory_.copy(buffer + done, count, offsetInPiece_);
    done += count;
    offsetInPiece_ += count;
  }
  return done;
}

}  // namespace kyrovane
