#pragma once

// Dates of the document information and the clock they are read from. Tests fix the clock so
// that whole files compare byte for byte.

#include <functional>
#include <string>

namespace kyrovane {

// Local date and time as days since 1899-12-30 00:00; the fraction is the time of day.
using TDateTime = double;

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second);

// "D:" and fourteen digits YYYYMMDDHHMMSS. Dates outside the years 1 to 9999 are clamped.
std::string DateTimeToPdfDate(TDateTime date);

// The current local time from the PDF library's clock.
TDateTime PdfNow();

// Replaces the clock; an empty function brings back the system clock.
void SetPdfClock(std::function<TDateTime()> clock);

}  // namespace kyrovane
