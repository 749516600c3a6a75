#pragma once

// A small text file of named values, one "name=value" a line, standing in for the registry of
// other systems: the names are registry paths such as "Software\Vendor\Product\Value". Names
// compare without regard to ASCII case, as registry names do, and the first line of a name
// holds its value. Blanks around names and values are dropped. Other lines (blank ones,
// comments starting with "#" or ";", lines without "=") are ignored and kept as they are.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kyrovane {

class TKeyValueFile {
 public:
  explicit TKeyValueFile(std::filesystem::path path) : path_(std::move(path)) {}

  // The value of `name`; none when the file is missing, unreadable, no regular file, larger
  // than a registry file ever is (1 MiB), or holds no such name.
  std::optional<std::string> Read(std::string_view name) const;

  // Sets the value of `name` on the line that holds it, or on a new last line, creating the
  // file and its folder when missing. The file is replaced whole through a temporary file and
  // a rename, so a reader never sees half of it. Throws std::invalid_argument for a name that
  // holds "=" or for a name or value that holds a line break or would lose blanks, and
  // std::runtime_error "<path> に書き込めません" when the file cannot be written.
  void Write(std::string_view name, std::string_view value) const;

 private:
  std::filesystem::path path_;
};

}  // namespace kyrovane
