#pragma once

// Reading a whole file that a user named: only a regular file is read. Opening never waits (a
// pipe with no writer, or some devices, would hold an ordinary open for ever) and nothing is
// read before the opened file is known to be a regular file within the size limit.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace kyrovane {

enum class TFileReadFailure {
  None,
  Missing,     // no such file (or no such folder on the way)
  NotRegular,  // a folder, pipe, device or socket
  TooLarge,    // larger than the limit
  Unreadable,  // no permission, or an error while reading
};

struct TFileBytes {
  std::string Bytes;
  TFileReadFailure Failure = TFileReadFailure::None;
  int Error = 0;  // errno of Missing and Unreadable; EISDIR for a folder
};

TFileBytes ReadRegularFile(const std::filesystem::path& Path, std::uintmax_t MaxSize);

// The first Count bytes of a regular file of any size, fewer when the file is shorter: a look
// at what kind of file it is.
TFileBytes ReadRegularFileStart(const std::filesystem::path& Path, std::size_t Count);

// Whether nothing stands at Path: no such name, or no such folder on its way (a link whose
// target is missing is missing too). A name that cannot be looked at for another reason (a
// folder on the way that may not be entered, a link loop, an I/O error, a lost network share)
// is not absent: reading it tells why.
bool IsAbsent(const std::filesystem::path& Path);

}  // namespace kyrovane
