#include "printer_fixture.h"

#include <fstream>

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
