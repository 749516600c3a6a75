#include "pdf/PdfNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kyrovane {
namespace {

// The largest magnitude written: readers take numbers as 32-bit integers at least, and a value
// beyond them, which no drawing needs, is cut to them.
constexpr long double kLargestWritten = 2147483647.0L;
// Below this a value is written 0 rather than as a long run of zeros.
constexpr long double kSmallestPlain = 1e-20L;

long double Clamped(long double value) {
  return std::clamp(value, -kLargestWritten, kLargestWritten);
}

std::string TrimFraction(std::string text) {
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// Appends r / 1000 with the trailing zeros of the fraction left out.
void AppendThousandths(std::string& text, long long thousandths) {
  char buffer[24];
  char* end = buffer + sizeof buffer;
  char* p = end;
  const bool negative = thousandths < 0;
  unsigned long long magnitude =
      negative ? 0ULL - static_cast<unsigned long long>(thousandths) : thousandths;
  unsigned fraction = static_cast<unsigned>(magnitude % 1000);
  magnitude /= 1000;
  if (fraction != 0) {
    int places = 3;
    while (fraction % 10 == 0) {
      fraction /= 10;
      --places;
    }
    for (int i = 0; i < places; ++i) {
      *--p = static_cast<char>('0' + fraction % 10);
      fraction /= 10;
    }
    *--p = '.';
  }
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) *--p = '-';
  text.append(p, end);
}

}  // namespace

// llrintl rounds like nearbyintl in the default rounding mode, halves to even, but straight
// into an integer, which is many times faster.
void AppendFloatR(std::string& text, long double value) {
  if (!std::isfinite(value)) value = 0;
  AppendThousandths(text, std::llrintl(Clamped(value) * 1000.0L));
}

void AppendFloatRounded(std::string& text, long double value) {
  if (!std::isfinite(value)) value = 0;
  AppendThousandths(text, static_cast<long long>(Clamped(value) * 1000.0L + 0.5L));
}

std::string FloatToStrGeneral(long double value, int digits) {
  if (!std::isfinite(value) || std::fabs(value) < kSmallestPlain) return "0";
  value = Clamped(value);
  char buffer[128];
  auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
  std::string text(buffer, end);
  if (text.find('e') != std::string::npos) {
    // Only small magnitudes get here; lay them out as a plain fraction of the same digits.
    int exponent = std::atoi(text.c_str() + text.find('e') + 1);
    int decimals = digits - 1 - exponent;
    auto fixed =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    text = TrimFraction(std::string(buffer, fixed.ptr));
  }
  return text;
}

std::string FloatToStrR(long double value) {
  std::string text;
  AppendFloatR(text, value);
  return text;
}

std::string FloatToStrRounded(long double value) {
  std::string text;
  AppendFloatRounded(text, value);
  return text;
}

}  // namespace kyrovane
