#pragma once

// Advance widths (thousandths of the font size) of the standard Type1 fonts for the codes 32
// to 255 of WinAnsiEncoding, from the published metrics of each face. Codes that the encoding
// leaves empty, the no-break space (160) and the soft hyphen (173) measure 0.

#include "pdf/PdfFonts.h"

namespace kyrovane {

extern const TType1WidthTable kCourierWidths;
extern const TType1WidthTable kHelveticaWidths;
extern const TType1WidthTable kHelveticaBoldWidths;
extern const TType1WidthTable kHelveticaObliqueWidths;
extern const TType1WidthTable kHelveticaBoldObliqueWidths;
extern const TType1WidthTable kTimesRomanWidths;
extern const TType1WidthTable kTimesBoldWidths;
extern const TType1WidthTable kTimesItalicWidths;
extern const TType1WidthTable kTimesBoldItalicWidths;

}  // namespace kyrovane
