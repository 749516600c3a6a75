#include "cad/pdf_probe.h"

#include <regex>
#include <sstream>
#include <stdexcept>

#include "pdf/printer/pdf_inspection.h"
#include "support/test_support.h"

namespace kyrovane::test {

// The model's documents hold no stream but the page contents (fonts embed no program, and
// no picture is drawn), and each page's contents follow the page in the file.
std::vector<std::string> PageContents(const std::string& pdf) {
  return StreamData(pdf);
}

std::vector<std::string> ContentLines(const std::string& content) {
  std::vector<std::string> lines;
  std::istringstream in(content);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

int CountOperator(const std::string& content, const std::string& op) {
  int count = 0;
  for (const std::string& line : ContentLines(content)) {
    if (line == op || (line.size() > op.size() && line.ends_with(" " + op))) ++count;
  }
  return count;
}

std::vector<PageBox> PdfInfoBoxes(const std::filesystem::path& pdf) {
  const CommandResult result = Run("pdfinfo -box -f 1 -l 100000 " + ShellQuote(pdf.string()));
  if (result.exitCode != 0) throw std::runtime_error("pdfinfo failed: " + result.err);
  std::vector<PageBox> boxes;
  const std::regex mediaBox("Page +\\d+ MediaBox: +([-0-9.]+) +([-0-9.]+) +([-0-9.]+) +([-0-9.]+)");
  for (auto it = std::sregex_iterator(result.out.begin(), result.out.end(), mediaBox);
       it != std::sregex_iterator(); ++it) {
    boxes.push_back(
        {std::stod((*it)[3]) - std::stod((*it)[1]), std::stod((*it)[4]) - std::stod((*it)[2])});
  }
  return boxes;
}

}  // namespace kyrovane::test
