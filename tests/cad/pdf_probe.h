#pragma once

// Looking into the PDF files the model writes: the inflated contents of each page, their
// operator lines, and the page boxes that pdfinfo reports.

#include <filesystem>
#include <string>
#include <vector>

namespace kyrovane::test {

// The contents stream of every page, inflated, in page order.
std::vector<std::string> PageContents(const std::string& pdf);

// The operator lines of a contents stream.
std::vector<std::string> ContentLines(const std::string& content);

// Number of operator lines that end in the operator (for example "c" or "re").
int CountOperator(const std::string& content, const std::string& op);

struct PageBox {
  double width = 0;
  double height = 0;
};
// The MediaBox of every page as pdfinfo -box reports it.
std::vector<PageBox> PdfInfoBoxes(const std::filesystem::path& pdf);

}  // namespace kyrovane::test
