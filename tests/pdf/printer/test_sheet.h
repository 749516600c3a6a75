#pragma once

// One page that draws every primitive, pen, dash preset and font of the drawing component.

#include "pdf/PDFPrinter.h"

namespace kyrovane::test {

// Begins a document in the printer (A3 landscape) and draws the sheet on its page.
void DrawTestSheet(TPDFPrinter& printer);

}  // namespace kyrovane::test
