#pragma once

// Profile (ini) files as the program's settings are kept in: sections and keys found without
// regard to the case of A..Z, the first of repeated sections or keys counting; blanks around
// keys and values and one pair of quotes around a value dropped when read; lines that are no
// key of a known section kept as they are. A written key replaces the value of its first
// line, or is added after the last line of its section, or in a new section at the end. The
// file is read with CRLF or LF line ends and written with CRLF, as a whole, only by
// UpdateFile.
//
// Typed values follow the settings' rules: integers are whole decimal numbers within 32 bits,
// Booleans are integers (non-zero is true; written "1"/"0"), floating-point values use "." and
// are written with up to 15 significant digits. A value that cannot be read as its type reads
// as the default.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "files/RegularFile.h"

namespace kyrovane {

// A profile file that cannot be written, or read when it must be; what() names the file.
class EIniFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TIniFile {
 public:
  // Reads the file; a missing file gives an empty profile. A file that is there but cannot be
  // read (no permission, no regular file, larger than 1 MiB) gives an empty profile too, which
  // UpdateFile never writes over.
  explicit TIniFile(std::filesystem::path Path);
  // The profile of Text, which UpdateFile writes to Path.
  TIniFile(std::filesystem::path Path, std::string_view Text);

  const std::filesystem::path& Path() const { return path_; }
  // The file is there but could not be read.
  bool Unreadable() const {
    return readFailure_ != TFileReadFailure::None && readFailure_ != TFileReadFailure::Missing;
  }
  // The message naming the file and why it could not be read; for an Unreadable() file.
  std::string CannotReadMessage() const;

  // The value as written in the file, blanks and one pair of quotes dropped.
  std::optional<std::string> Value(std::string_view Section, std::string_view Key) const;
  // Throws EIniFileError for a section, key or value holding a line break, which would read
  // back as other lines.
  void SetValue(std::string_view Section, std::string_view Key, std::string_view Value);

  std::string ReadString(std::string_view Section, std::string_view Key,
                         std::string_view Default) const;
  int32_t ReadInteger(std::string_view Section, std::string_view Key, int32_t Default) const;
  bool ReadBool(std::string_view Section, std::string_view Key, bool Default) const;
  long double ReadFloat(std::string_view Section, std::string_view Key, long double Default) const;

  void WriteString(std::string_view Section, std::string_view Key, std::string_view Value);
  void WriteInteger(std::string_view Section, std::string_view Key, int32_t Value);
  void WriteBool(std::string_view Section, std::string_view Key, bool Value);
  void WriteFloat(std::string_view Section, std::string_view Key, long double Value);

  // The whole file as it would be written.
  std::string Text() const;
  // Replaces the file with Text() in one step; on failure, and for a file that could not be
  // read, the old file stays whole and EIniFileError is thrown.
  void UpdateFile() const;

 private:
  void SetLines(std::string_view Text);
  // Index range [first, end) of the lines of the first section of that name; nothing when
  // there is none.
  std::optional<std::pair<std::size_t, std::size_t>> FindSection(std::string_view Section) const;
  std::optional<std::size_t> FindKey(std::size_t First, std::size_t End,
                                     std::string_view Key) const;

  std::filesystem::path path_;
  TFileReadFailure readFailure_ = TFileReadFailure::None;
  int readError_ = 0;
  std::vector<std::string> lines_;
};

// A floating-point value in the general format with up to 15 significant digits: "0.15", "1",
// "1E20", "1.5E-7".
std::string FormatFloat(long double Value);

}  // namespace kyrovane
