#pragma once

// A clock whose time now and file time a test sets.

#include <optional>

#include "import/TextVariables.h"

namespace kyrovane::test {

class FixedClock final : public Clock {
 public:
  DateTime now;
  std::optional<DateTime> fileTime;  // nothing: the file cannot be examined

  DateTime Now() const override { return now; }
  std::optional<DateTime> FileTime(const std::filesystem::path&) const override { return fileTime; }
};

}  // namespace kyrovane::test
