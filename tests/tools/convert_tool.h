#pragma once

// Running the conversion tool in the end-to-end tests.

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace kyrovane::test {

// convert-drawing INPUT OUTPUT followed by the options.
CommandResult ConvertDrawing(const std::filesystem::path& input,
                             const std::filesystem::path& output, const std::string& options = "");

}  // namespace kyrovane::test
