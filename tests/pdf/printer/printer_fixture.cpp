#include "printer_fixture.h"

#include <fstream>
#include <sstream>
#include <utility>

#include "pdf/ParallelDeflate.h"
#include "pdf_inspection.h"

namespace kyrovane::test {

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

std::string LinesDocument(unsigned threads, std::initializer_list<int> linesPerPage) {
  SetDeflateThreadCount(threads);
  ScopedPdfClock clock;
  TPDFPrinter printer;
  printer.BeginDoc();
  bool first = true;
  for (const int lines : linesPerPage) {
    if (!std::exchange(first, false)) printer.NewPage();
    for (int i = 0; i < lines; ++i) {
      printer.DrawLine(printer.GetCanvas(), i * 7919 % 0xFFFFFF, i % 1000, i % 700, i % 333,
                       i % 555, 0.1f * (1 + i % 10), printer.GetLineType(i % 10), true);
    }
  }
  std::ostringstream out;
  printer.EndDoc(out);
  SetDeflateThreadCount(0);
  return out.str();
}

std::string PrinterTest::EndFile() {
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    printer.EndDoc(out);
  }
  ExpectReadersAccept(file);
  return ReadFile(file);
}

std::vector<std::string> PrinterTest::EndPages() {
  return StreamData(EndFile());
}

std::string PrinterTest::EndFirstPageDrawing() {
  std::string page = EndPages().at(0);
  const std::string defaultFont = "/F0 10 Tf\n";
  EXPECT_EQ(page.substr(0, defaultFont.size()), defaultFont);
  return page.substr(defaultFont.size());
}

}  // namespace kyrovane::test
