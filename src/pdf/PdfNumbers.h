#pragma once

// Numbers as they are written into PDF files: plain decimal text, never an exponent, never
// "nan", "inf" or "-0", so that no value coming from a drawing can break the file.

#include <string>

namespace kyrovane {

// Rounds to three decimals, halves to even, and prints without trailing zeros: 596 -> "596",
// 2/3 -> "0.667", -0.0001 -> "0". A value that is not finite is written "0"; magnitudes beyond
// 2147483647 (2^31 - 1), the range every reader takes, are written as that with their sign.
std::string FloatToStrR(long double value);

// Like FloatToStrR, but the third decimal is rounded half up first (line widths, colours).
std::string FloatToStrRounded(long double value);

// The same texts appended to `text`, without a string of their own: the page contents are
// made of millions of these numbers.
void AppendFloatR(std::string& text, long double value);
void AppendFloatRounded(std::string& text, long double value);

// Up to `digits` significant digits, unrounded otherwise, with the same guards as FloatToStrR.
std::string FloatToStrGeneral(long double value, int digits);

}  // namespace kyrovane
