#include "files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace kyrovane {
namespace {

TFileBytes Failed(TFileReadFailure failure, int error = 0) {
  TFileBytes result;
  result.Failure = failure;
  result.Error = error;
  return result;
}

bool IsAbsence(int error) {
  return error == ENOENT || error == ENOTDIR;
}

TFileBytes OpenFailed(int error) {
  return Failed(IsAbsence(error) ? TFileReadFailure::Missing : TFileReadFailure::Unreadable, error);
}

TFileBytes NotRegular(const struct stat& info) {
  return Failed(TFileReadFailure::NotRegular, S_ISDIR(info.st_mode) ? EISDIR : 0);
}

// Closes the descriptor on every way out.
struct TDescriptor {
  int fd;
  ~TDescriptor() {
    if (fd >= 0) close(fd);
  }
};

// At most Count bytes of the file; a file larger than MaxSize is refused.
TFileBytes Read(const std::filesystem::path& Path, std::uintmax_t MaxSize, std::uintmax_t Count) {
  // A look before opening keeps devices from being opened at all; the look at the opened file
  // holds whatever the name has come to stand for meanwhile.
  struct stat info;
  if (stat(Path.c_str(), &info) != 0) return OpenFailed(errno);
  if (!S_ISREG(info.st_mode)) return NotRegular(info);
  const TDescriptor file{open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
  if (file.fd < 0) return OpenFailed(errno);
  if (fstat(file.fd, &info) != 0) return Failed(TFileReadFailure::Unreadable, errno);
  if (!S_ISREG(info.st_mode)) return NotRegular(info);
  const auto size = static_cast<std::uintmax_t>(info.st_size);
  if (size > MaxSize) return Failed(TFileReadFailure::TooLarge);

  TFileBytes result;
  result.Bytes.resize(static_cast<std::size_t>(std::min(size, Count)));
  std::size_t done = 0;
  while (done < result.Bytes.size()) {
    const ssize_t got = read(file.fd, result.Bytes.data() + done, result.Bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failed(TFileReadFailure::Unreadable, errno);
    if (got == 0) break;  // the file got shorter
    done += static_cast<std::size_t>(got);
  }
  result.Bytes.resize(done);
  return result;
}

}  // namespace

TFileBytes ReadRegularFile(const std::filesystem::path& Path, std::uintmax_t MaxSize) {
  return Read(Path, MaxSize, MaxSize);
}

TFileBytes ReadRegularFileStart(const std::filesystem::path& Path, std::size_t Count) {
  return Read(Path, UINTMAX_MAX, Count);
}

bool IsAbsent(const std::filesystem::path& Path) {
  struct stat info;
  return stat(Path.c_str(), &info) != 0 && IsAbsence(errno);
}

}  // namespace kyrovane
