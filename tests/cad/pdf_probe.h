#pragma once

// Looking into the PDF files the model writes: the inflated contents of each page, the page
// boxes that pdfinfo reports, a 72 dpi render, and the verdict of the real PDF readers.

#include <cstdint>
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

struct Rgb {
  int r = 0, g = 0, b = 0;
};
struct Raster {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  Rgb At(int x, int y) const;
};
// One page rendered by pdftoppm at 72 dpi (one pixel per point).
Raster RenderPage(const std::filesystem::path& pdf, int page);

// What qpdf --check, pdftoppm, mutool draw and gs -dPDFSTOPONERROR say against the file;
// empty when every reader accepts it silently.
std::string ReaderComplaints(const std::filesystem::path& pdf);

}  // namespace kyrovane::test
