#include "app/core/TemporaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "app/core/HiddenFiles.h"

namespace kyrovane {

namespace fs = std::filesystem;

TTemporaryFile::~TTemporaryFile() {
  if (!hiddenName_.empty() && HiddenNameStands()) unlink(hiddenName_.c_str());
  if (fd_ >= 0) close(fd_);
}

namespace {

// The name through which an unnamed file is given a name of its own.
std::string ProcName(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

// Whether the unnamed file can be given a name: not where /proc is missing or is not the
// system's own (a container, a chroot).
bool CanBeNamed(int fd) {
  struct stat named, open;
  return stat(ProcName(fd).c_str(), &named) == 0 && fstat(fd, &open) == 0 &&
         named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

}  // namespace

bool TTemporaryFile::Open(const fs::path& Folder, mode_t Mode) {
  fd_ = open(Folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, Mode);
  if (fd_ >= 0 && CanBeNamed(fd_)) return true;
  if (fd_ >= 0) {
    close(fd_);
    fd_ = -1;
  } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    return false;
  }
  // File systems without unnamed files, network file systems among them, and systems where
  // they cannot be named.
  for (;;) {
    const fs::path name = Folder / HiddenFileName(getpid());
    fd_ = open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
      hiddenName_ = name;
      return true;
    }
    if (errno != EEXIST) return false;
  }
}

bool TTemporaryFile::Link(const fs::path& Path) {
  return linkat(AT_FDCWD, ProcName(fd_).c_str(), AT_FDCWD, Path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool TTemporaryFile::LinkHidden(const fs::path& Folder) {
  for (;;) {
    const fs::path name = Folder / HiddenFileName(getpid());
    if (Link(name)) {
      hiddenName_ = name;
      return true;
    }
    if (errno != EEXIST) return false;
  }
}

bool TTemporaryFile::HiddenNameStands() const {
  struct stat named, open;
  return lstat(hiddenName_.c_str(), &named) == 0 && fstat(fd_, &open) == 0 &&
         named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

void TTemporaryFile::Placed() {
  hiddenName_.clear();
  close(fd_);
  fd_ = -1;
}

}  // namespace kyrovane
