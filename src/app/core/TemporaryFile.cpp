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

bool TTemporaryFile::Open(const fs::path& Folder, mode_t Mode) {
  fd_ = open(Folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, Mode);
  if (fd_ >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd_ >= 0;
  // File systems without unnamed files, network file systems among them.
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
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, Path.c_str(), AT_SYMLINK_FOLLOW) == 0;
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
