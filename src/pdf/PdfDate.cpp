#include "pdf/PdfDate.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <mutex>

namespace kyrovane {
namespace {

constexpr long long kMsecsPerDay = 86400000;
// Days from 0001-01-01 and to 9999-12-31 counted from 1899-12-30.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958466 - 1.0 / kMsecsPerDay;

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<long long>(yoe) + era * 400 + (m <= 2);
}

const long long kEpochOffset = DaysFromCivil(1899, 12, 30);

TDateTime SystemNow() {
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                        local.tm_min, local.tm_sec);
}

std::mutex clockMutex;
std::function<TDateTime()> clockFunction;

}  // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  long long days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochOffset;
  return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

std::string DateTimeToPdfDate(TDateTime date) {
  if (!std::isfinite(date)) date = 0;
  if (date < kFirstDay) date = kFirstDay;
  if (date > kLastDay) date = kLastDay;
  // Whole milliseconds first, so that 23:59:59.9996 becomes the next day like any clock shows.
  long long msecs = static_cast<long long>(std::nearbyint(date * kMsecsPerDay));
  long long days = msecs / kMsecsPerDay;
  long long msOfDay = msecs % kMsecsPerDay;
  if (msOfDay < 0) {
    msOfDay += kMsecsPerDay;
    --days;
  }
  long long year;
  unsigned month, day;
  CivilFromDays(days + kEpochOffset, year, month, day);
  long long seconds = msOfDay / 1000;
  char text[64];
  std::snprintf(text, sizeof text, "D:%04lld%02u%02u%02lld%02lld%02lld", year, month, day,
                seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

TDateTime PdfNow() {
  std::lock_guard lock(clockMutex);
  return clockFunction ? clockFunction() : SystemNow();
}

void SetPdfClock(std::function<TDateTime()> clock) {
  std::lock_guard lock(clockMutex);
  clockFunction = std::move(clock);
}

}  // namespace kyrovane
