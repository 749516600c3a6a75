#pragma once

// Files that the program writes (PDFs, settings and list files) are written beside their
// target and put in its place only when complete, so that a failure or a killed process never
// leaves a partial file where the old one was. The file under way has no name where the file
// system allows it; otherwise it has a hidden name, which later writes into that folder remove
// only when it is provably no running writer's (see HiddenFiles.h). A target that is a symbolic
// link is written through to the file it points to, unless another user planted it in a shared
// sticky folder; one that is a device, a pipe or a folder, or a file the user may not write, is
// refused.

#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/core/TemporaryFile.h"

namespace kyrovane {

// A file that could not be written; what() is the cause in words for the user (Japanese).
class EFileWriteError : public std::runtime_error {
 public:
  EFileWriteError(std::filesystem::path Path, const std::string& Cause)
      : std::runtime_error(Cause), path_(std::move(Path)) {}
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class TOutputFile {
 public:
  // Starts the file. Sources are the files the output is made from, which it must not
  // replace under any of their names. Throws EFileWriteError.
  explicit TOutputFile(const std::filesystem::path& Target,
                       const std::vector<std::filesystem::path>& Sources = {});
  // Without Commit the file is dropped and the target stays as it was.
  ~TOutputFile();
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  std::ostream& Stream() { return stream_; }

  // Throws EFileWriteError when the target is one of Sources: more files the output is made
  // from, known only once it was started.
  void RefuseSources(const std::vector<std::filesystem::path>& Sources) const;

  // Throws EFileWriteError when a write into the stream has failed, with its cause; for
  // callers whose own error hides it.
  void ThrowIfWriteFailed() const;

  // Puts the complete file in place of the target. Throws EFileWriteError, with the cause of
  // the first write that failed.
  void Commit();

 private:
  class TBuffer;

  std::filesystem::path shownPath_;  // as the caller named it, for messages
  std::filesystem::path target_;     // the file it names, links followed
  std::filesystem::path folder_;
  TTemporaryFile file_;
  std::unique_ptr<TBuffer> buffer_;
  std::ostream stream_;
};

// Writes the whole file through a TOutputFile.
void WriteFileSafely(const std::filesystem::path& Target, std::string_view Bytes);

// Whether writing to A and writing to B would replace one and the same file: the same name
// once links are followed, or two names of one file. Throws EFileWriteError for a link that
// cannot be followed.
bool WriteToSameFile(const std::filesystem::path& A, const std::filesystem::path& B);

}  // namespace kyrovane
