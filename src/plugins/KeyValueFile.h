#pragma once

// A small text file of named values, one "name=value" a line, standing in for the registry of
// other systems: the names are registry paths such as "Software\Vendor\Product\Value". Names
// compare without regard to ASCII case, as registry names do, and the first line of a name
// holds its value. Blanks around names and values are dropped. Other lines (blank ones,
// comments starting with "#" or ";", lines without "=") are ignored. The program only reads it.

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

 private:
  std::filesystem::path path_;
};

}  // namespace kyrovane
