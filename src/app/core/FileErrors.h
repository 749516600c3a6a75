#pragma once

// Failures of the system and of files in the words of the program's messages.

#include <filesystem>
#include <stdexcept>
#include <string>

#include "files/RegularFile.h"

namespace kyrovane {

// Why a system call failed (an errno value), as a sentence for the user in Japanese: the causes
// users meet in words (no space, no permission, not found, too many open files, busy, network
// failures, …), any other with its number.
std::string ErrorCause(int Error);

// Why a file was not read, for the failures of ReadRegularFile; MaxSize is the limit it was
// read with.
std::string ReadFailureCause(TFileReadFailure Failure, int Error, std::uintmax_t MaxSize);

// The message for a file that could not be read, naming it once: the path, "を読み込めません。"
// and the cause on a line of its own.
std::string CannotReadText(const std::filesystem::path& Path, const std::string& Cause);

// The message for a settings, list or ini file that could not be written: the path,
// " に書き込めません" and the cause on a line of its own, as the PDF's message gives it.
std::string CannotWriteText(const std::filesystem::path& Path, const std::string& Cause);

// A file that could not be read; what() is CannotReadText.
class EFileReadError : public std::runtime_error {
 public:
  EFileReadError(const std::filesystem::path& Path, const std::string& Cause)
      : std::runtime_error(CannotReadText(Path, Cause)) {}
};

}  // namespace kyrovane
