#pragma once

// A drawing component with a begun document under the tests' clock, and the means to end the
// document and read back what its pages contain.

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PDFPrinter.h"
#include "pdf_test_support.h"
#include "support/test_support.h"

namespace kyrovane::test {

// Operator lines, each ended by LF as in content streams.
std::string Lines(std::initializer_list<std::string_view> lines);

// A document of pages of the given numbers of lines in many colours, widths and dashes, drawn
// and saved with the given number of deflate threads.
std::string LinesDocument(unsigned threads, std::initializer_list<int> linesPerPage);

class PrinterTest : public ::testing::Test {
 protected:
  void SetUp() override { printer.BeginDoc(); }
  TPdfCanvas& Canvas() { return printer.GetCanvas(); }

  // Ends the document into a file that every PDF reader must accept, and returns its bytes.
  std::string EndFile();
  // Ends the document and returns the inflated contents of each page.
  std::vector<std::string> EndPages();
  // The contents of the first page without the default-font line every page starts with.
  std::string EndFirstPageDrawing();

  ScopedPdfClock clock;
  TPDFPrinter printer;
  TempDir dir;
  std::filesystem::path file = dir / "out.pdf";
};

}  // namespace kyrovane::test
