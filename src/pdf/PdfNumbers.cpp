#include "pdf/PdfNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kyrovane {
namespace {

// The largest magnitude that prints without an exponent in 15 significant digits.
constexpr long double kLargestPlain = 999999999999999.0L;
// Below this a value is written 0 rather than as a long run of zeros.
constexpr long double kSmallestPlain = 1e-20L;

std::string TrimFraction(std::string text) {
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// Thousandths below this print exactly in 15 significant digits.
constexpr long double kExactThousandths = 1e15L;

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
  const long double scaled = value * 1000.0L;
  if (std::fabs(scaled) < kExactThousandths) {
    AppendThousandths(text, std::llrintl(scaled));
  } else {
    text += FloatToStrR(value);
  }
}

void AppendFloatRounded(std::string& text, long double value) {
  const long double scaled = value * 1000.0L + 0.5L;
  if (std::fabs(scaled) < kExactThousandths) {
    AppendThousandths(text, static_cast<long long>(scaled));
  } else {
    text += FloatToStrRounded(value);
  }
}

std::string FloatToStrGeneral(long double value, int digits) {
  if (!std::isfinite(value) || std::fabs(value) < kSmallestPlain) return "0";
  if (std::fabs(value) >= kLargestPlain + 0.5L) value = std::copysign(kLargestPlain, value);
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
  if (!std::isfinite(value)) return "0";
  if (std::fabs(value) > kLargestPlain) return FloatToStrGeneral(value, 15);
  long double thousandths = std::nearbyintl(value * 1000.0L);
  if (std::fabs(thousandths) >= 1e15L) return FloatToStrGeneral(thousandths / 1000.0L, 15);
  // Up to 15 digits the thousandths are the significant digits themselves: print them as an
  // integer and set the decimal point.
  long long whole = static_cast<long long>(thousandths);
  if (whole == 0) return "0";
  std::string text = whole < 0 ? "-" : "";
  unsigned long long magnitude = whole < 0 ? -static_cast<unsigned long long>(whole) : whole;
  text += std::to_string(magnitude / 1000);
  if (unsigned fraction = magnitude % 1000) {
    const char digits[] = {'.', static_cast<char>('0' + fraction / 100),
                           static_cast<char>('0' + fraction / 10 % 10),
                           static_cast<char>('0' + fraction % 10)};
    std::size_t length = sizeof digits;
    while (digits[length - 1] == '0') --length;
    text.append(digits, length);
  }
  return text;
}

std::string FloatToStrRounded(long double value) {
  return FloatToStrR(std::truncl(value * 1000.0L + 0.5L) / 1000.0L);
}

}  // namespace kyrovane
