#pragma once

// The file under way of an output file, beside its target (see OutputFile.h).

#include <sys/types.h>

#include <filesystem>

namespace kyrovane {

// Owns the descriptor of the file under way and its hidden name, where it has one, and closes
// the one and removes the other on every way out until the file is put in place. Another
// machine may have removed the hidden file and another file taken its name: the name is removed
// only while it still stands for this file.
class TTemporaryFile {
 public:
  TTemporaryFile() = default;
  ~TTemporaryFile();
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  int Fd() const { return fd_; }
  bool IsOpen() const { return fd_ >= 0; }
  // Empty while the file has no name.
  const std::filesystem::path& HiddenName() const { return hiddenName_; }

  // Opens a new file in Folder: unnamed where the file system allows it, else under a hidden
  // name. False with errno set when it cannot.
  bool Open(const std::filesystem::path& Folder, mode_t Mode);
  // Gives the unnamed file the name Path. False with errno set when it cannot (EEXIST when the
  // name is taken).
  bool Link(const std::filesystem::path& Path);
  // Gives the unnamed file a hidden name in Folder. False with errno set when it cannot.
  bool LinkHidden(const std::filesystem::path& Folder);
  // Whether the hidden name still stands for this file.
  bool HiddenNameStands() const;
  // The file is in place under its target's name: closes it and forgets the hidden name.
  void Placed();

 private:
  int fd_ = -1;
  std::filesystem::path hiddenName_;
};

}  // namespace kyrovane
