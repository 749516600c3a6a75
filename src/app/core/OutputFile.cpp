#include "app/core/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "app/core/FileErrors.h"
#include "app/core/HiddenFiles.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;

// Why the file could not be written. "Not found" means a missing folder, unless the folder
// is there and takes no new files (as those under /proc).
std::string CauseOf(int error, const fs::path& folder = {}) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "書き込む権限がありません。";
    case ENOENT:
    case ENOTDIR: {
      std::error_code ignored;
      if (!folder.empty() && fs::is_directory(folder, ignored)) {
        return "このフォルダーにはファイルを作成できません。";
      }
      return "フォルダーがありません。";
    }
    default:
      return ErrorCause(error);
  }
}

// Whether the link may be followed. In a sticky folder that others may write (/tmp, a team's
// drop folder) anyone can plant a link under the name the user is about to write, to have a
// file of the user's replaced: there, as the kernel's protected-links rule has it, only the
// user's own links and the folder owner's are followed.
bool MayFollow(const struct stat& link, const fs::path& path) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  struct stat shared;
  if (stat(folder.c_str(), &shared) != 0) return false;
  const bool othersMayPlant =
      (shared.st_mode & S_ISVTX) != 0 && (shared.st_mode & (S_IWGRP | S_IWOTH)) != 0;
  return !othersMayPlant || link.st_uid == geteuid() || link.st_uid == shared.st_uid;
}

// The file a chain of symbolic links ends at; the path itself when it is no link.
fs::path FollowLinks(const fs::path& target) {
  fs::path path = target;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    if (!MayFollow(info, path)) {
      throw EFileWriteError(target,
                            "共有フォルダーにあるほかのユーザーのシンボリックリンクです。"
                            "リンク先には書き込みません。");
    }
    std::error_code error;
    const fs::path link = fs::read_symlink(path, error);
    if (error) throw EFileWriteError(target, CauseOf(error.value()));
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  throw EFileWriteError(target, CauseOf(ELOOP));
}

mode_t NewFileMode() {
  const mode_t mask = umask(022);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

// Collects the bytes and writes them in large pieces; remembers the first error.
class TOutputFile::TBuffer : public std::streambuf {
 public:
  explicit TBuffer(int fd) : fd_(fd), data_(kSize) { Empty(); }

  int Error() const { return error_; }

  bool Flush() {
    const bool written = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    Empty();
    return written;
  }

 protected:
  int_type overflow(int_type ch) override {
    if (!Flush()) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(ch);
      pbump(1);
    }
    return traits_type::not_eof(ch);
  }

  std::streamsize xsputn(const char* bytes, std::streamsize count) override {
    if (count < epptr() - pptr()) {
      std::memcpy(pptr(), bytes, static_cast<std::size_t>(count));
      pbump(static_cast<int>(count));
      return count;
    }
    if (!Flush() || !WriteAll(bytes, static_cast<std::size_t>(count))) return 0;
    return count;
  }

  int sync() override { return Flush() ? 0 : -1; }

  // Telling the position costs nothing; moving it writes what is buffered first.
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode) override {
    const off_type here = written_ + (pptr() - pbase());
    if (direction == std::ios_base::cur && offset == 0) return here;
    if (!Flush()) return pos_type(off_type(-1));
    const off_type base = direction == std::ios_base::beg   ? 0
                          : direction == std::ios_base::cur ? here
                                                            : -1;
    if (base < 0 || lseek(fd_, base + offset, SEEK_SET) < 0) return pos_type(off_type(-1));
    written_ = base + offset;
    return written_;
  }

  pos_type seekpos(pos_type position, std::ios_base::openmode mode) override {
    return seekoff(off_type(position), std::ios_base::beg, mode);
  }

 private:
  static constexpr std::size_t kSize = 1 << 16;

  void Empty() { setp(data_.data(), data_.data() + data_.size()); }

  bool WriteAll(const char* bytes, std::size_t count) {
    if (error_ != 0) return false;
    while (count > 0) {
      const ssize_t written = write(fd_, bytes, count);
      if (written < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        return false;
      }
      bytes += written;
      count -= static_cast<std::size_t>(written);
      written_ += written;
    }
    return true;
  }

  int fd_;
  std::vector<char> data_;
  int error_ = 0;
  off_type written_ = 0;  // the file position
};

TOutputFile::TOutputFile(const fs::path& Target, const std::vector<fs::path>& Sources)
    : shownPath_(Target), target_(FollowLinks(Target)), stream_(nullptr) {
  struct stat existing;
  const bool exists = stat(target_.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    throw EFileWriteError(Target, "通常のファイルではありません。");
  }
  RefuseSources(Sources);
  // The file is replaced by a rename, which its own permissions do not stop; they must, as
  // they would stop writing into it.
  if (exists && faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) {
    throw EFileWriteError(Target, CauseOf(errno));
  }

  folder_ = target_.parent_path().empty() ? fs::path(".") : target_.parent_path();
  // A replaced file passes on its permissions, never set-user-ID, set-group-ID or sticky.
  const mode_t mode = exists ? existing.st_mode & 0777 : NewFileMode();
  if (!file_.Open(folder_, mode)) {
    const int error = errno;
    throw EFileWriteError(Target, CauseOf(error, folder_));
  }
  // File systems that decide the permission bits themselves (exFAT, FAT, some network shares)
  // refuse to change those of a new file, or cannot change them at all (FAT through FUSE): it
  // keeps the ones they gave it.
  if (fchmod(file_.Fd(), mode) != 0 && errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) {
    const int error = errno;
    throw EFileWriteError(Target, CauseOf(error));
  }
  struct stat fresh;
  if (fstat(file_.Fd(), &fresh) != 0) {
    const int error = errno;
    throw EFileWriteError(Target, CauseOf(error));
  }
  // The new file tells the time by the folder's own clock, which other machines share.
  RemoveLeftovers(folder_, fresh.st_mtim);
  buffer_ = std::make_unique<TBuffer>(file_.Fd());
  stream_.rdbuf(buffer_.get());
}

TOutputFile::~TOutputFile() = default;

void TOutputFile::RefuseSources(const std::vector<fs::path>& Sources) const {
  struct stat target;
  if (stat(target_.c_str(), &target) != 0) return;
  const auto isTarget = [&](const fs::path& source) {
    struct stat read;
    return stat(source.c_str(), &read) == 0 && read.st_dev == target.st_dev &&
           read.st_ino == target.st_ino;
  };
  if (std::ranges::any_of(Sources, isTarget)) {
    throw EFileWriteError(shownPath_, "変換元のファイルと同じファイルです。");
  }
}

void TOutputFile::ThrowIfWriteFailed() const {
  if (buffer_ && buffer_->Error() != 0)
    throw EFileWriteError(shownPath_, CauseOf(buffer_->Error()));
}

void TOutputFile::Commit() {
  const auto fail = [&](int error) { return EFileWriteError(shownPath_, CauseOf(error)); };
  if (!file_.IsOpen()) return;
  if (!buffer_->Flush()) throw fail(buffer_->Error());
  if (fdatasync(file_.Fd()) != 0) throw fail(errno);
  if (file_.HiddenName().empty()) {
    // An unnamed file gets the target's own name when there is no file yet, else a hidden one
    // that then replaces the target.
    if (file_.Link(target_)) {
      file_.Placed();
      return;
    }
    if (errno != EEXIST || !file_.LinkHidden(folder_)) throw fail(errno);
  }
  // Another machine or program may have removed the named file: that, not a missing folder,
  // is why the file cannot be put in place.
  const auto vanished = [this] {
    return EFileWriteError(shownPath_, "書き込み中の一時ファイル " +
                                           file_.HiddenName().filename().string() +
                                           " が消えました。ほかのコンピューターまたは"
                                           "プログラムが削除した可能性があります。");
  };
  if (!file_.HiddenNameStands()) throw vanished();
  if (rename(file_.HiddenName().c_str(), target_.c_str()) != 0) {
    const int error = errno;
    throw file_.HiddenNameStands() ? fail(error) : vanished();
  }
  file_.Placed();
}

void WriteFileSafely(const fs::path& Target, std::string_view Bytes) {
  TOutputFile file(Target);
  file.Stream().write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  file.Commit();
}

bool WriteToSameFile(const fs::path& A, const fs::path& B) {
  const fs::path a = FollowLinks(A), b = FollowLinks(B);
  std::error_code errorA, errorB, errorBoth;
  const fs::path canonicalA = fs::weakly_canonical(a, errorA);
  const fs::path canonicalB = fs::weakly_canonical(b, errorB);
  return (!errorA && !errorB && canonicalA == canonicalB) || fs::equivalent(a, b, errorBoth);
}

}  // namespace kyrovane
