#pragma once

// Reading the settings record from a settings file or the program's ini file: sections
// "Environment" and "LayerColor", keys and defaults as the program stores them. Only what the
// conversion tool needs; the program's own settings storage replaces it.

#include <filesystem>
#include <stdexcept>

#include "app/settings/Environment.h"

namespace kyrovane::tools {

class ESettingsFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The record with every key of the file over the defaults: sections and keys are matched
// without regard to case, a missing key or a value that cannot be read as its type keeps the
// default, and a font other than "Gothic" or "Mincyo" becomes "Gothic". A file that cannot be
// read raises ESettingsFileError.
REnvironment LoadSettingsFile(const std::filesystem::path& path);

}  // namespace kyrovane::tools
