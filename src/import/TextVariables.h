#pragma once

// Text variables: two- and three-character tokens in drawing texts that stand for the
// drawing's file name, the date and time now or of the drawing file, or the drawing's editing
// time. Texts and values are code page 932 bytes.
//
// The text is expanded in one pass from left to right, and an inserted value is never searched
// again: a file name that holds a token, or a value that forms one with the text around it,
// comes out as it is.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings/ConversionContext.h"

namespace kyrovane {

// A local date and time.
struct DateTime {
  int Year = 0, Month = 0, Day = 0;      // Month 1..12, Day 1..31
  int Hour = 0, Minute = 0, Second = 0;  // Hour 0..23
};

// Where the expansion takes the time from; tests put in a clock of their own.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;
  // The last-write time of a file; nothing when the file cannot be examined.
  virtual std::optional<DateTime> FileTime(const std::filesystem::path& path) const = 0;
};

// The system's clock and files, in local time.
class SystemClock final : public Clock {
 public:
  DateTime Now() const override;
  std::optional<DateTime> FileTime(const std::filesystem::path& path) const override;
};

// The tokens of JWC and JWK texts. DrawingTime is the drawing's editing time in seconds (JWK
// files have none: pass 0).
std::string ReplaceTextVariables(std::string_view Src, const ConversionContext& context,
                                 int32_t DrawingTime, const Clock& clock);

// The tokens of JWW texts, which include the date and time of the drawing file
// context.CurrentFileName (now, when that file cannot be examined).
std::string ReplaceTextVariablesJww(std::string_view Src, const ConversionContext& context,
                                    uint32_t DrawingTime, const Clock& clock);

}  // namespace kyrovane
