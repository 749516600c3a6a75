#include "cad/pdf_probe.h"

#include <zlib.h>

#include <regex>
#include <sstream>
#include <stdexcept>

#include "support/test_support.h"

namespace kyrovane::test {
namespace {

std::string Inflate(const std::string& data) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit");
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char buffer[65536];
  int status = Z_OK;
  while (status == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    status = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  }
  inflateEnd(&z);
  if (status != Z_STREAM_END) throw std::runtime_error("contents do not inflate");
  return out;
}

// Byte offsets of the objects, from the cross-reference table.
std::vector<std::size_t> ObjectOffsets(const std::string& pdf) {
  const std::size_t start = pdf.rfind("startxref");
  if (start == std::string::npos) throw std::runtime_error("no startxref");
  const std::size_t xref = std::stoul(pdf.substr(start + 11));
  std::istringstream in(pdf.substr(xref));
  std::string word;
  std::size_t first = 0, count = 0;
  in >> word >> first >> count;
  std::vector<std::size_t> offsets(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::string offset, generation, type;
    in >> offset >> generation >> type;
    offsets[i] = std::stoul(offset);
  }
  return offsets;
}

std::string ObjectText(const std::string& pdf, const std::vector<std::size_t>& offsets, int n) {
  const std::size_t begin = offsets.at(static_cast<std::size_t>(n));
  return pdf.substr(begin, pdf.find("endobj", begin) - begin);
}

std::string StreamData(const std::string& pdf, const std::vector<std::size_t>& offsets, int n) {
  const std::size_t begin = offsets.at(static_cast<std::size_t>(n));
  std::smatch m;
  const std::string head = pdf.substr(begin, 200);
  if (!std::regex_search(head, m, std::regex("/Length (\\d+)"))) {
    throw std::runtime_error("stream without length");
  }
  const std::size_t length = std::stoul(m[1]);
  const std::size_t data = pdf.find("stream\r\n", begin) + 8;
  std::string bytes = pdf.substr(data, length);
  return head.find("/FlateDecode") != std::string::npos ? Inflate(bytes) : bytes;
}

}  // namespace

std::vector<std::string> PageContents(const std::string& pdf) {
  const std::vector<std::size_t> offsets = ObjectOffsets(pdf);
  std::smatch m;
  const std::string catalog = ObjectText(pdf, offsets, 1);
  if (!std::regex_search(catalog, m, std::regex("/Pages (\\d+) 0 R"))) {
    throw std::runtime_error("no page tree");
  }
  const std::string tree = ObjectText(pdf, offsets, std::stoi(m[1]));
  if (!std::regex_search(tree, m, std::regex("/Kids \\[([^\\]]*)\\]"))) {
    throw std::runtime_error("no kids");
  }
  std::vector<std::string> contents;
  const std::string kids = m[1];
  const std::regex reference("(\\d+) 0 R");
  for (auto it = std::sregex_iterator(kids.begin(), kids.end(), reference);
       it != std::sregex_iterator(); ++it) {
    const std::string page = ObjectText(pdf, offsets, std::stoi((*it)[1]));
    std::smatch c;
    if (!std::regex_search(page, c, std::regex("/Contents (\\d+) 0 R"))) {
      throw std::runtime_error("page without contents");
    }
    contents.push_back(StreamData(pdf, offsets, std::stoi(c[1])));
  }
  return contents;
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

Rgb Raster::At(int x, int y) const {
  const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)) *
                        3;
  return {rgb.at(i), rgb.at(i + 1), rgb.at(i + 2)};
}

Raster RenderPage(const std::filesystem::path& pdf, int page) {
  TempDir scratch;
  const std::string number = std::to_string(page);
  const CommandResult result =
      Run("pdftoppm -r 72 -f " + number + " -l " + number + " -singlefile " +
          ShellQuote(pdf.string()) + " " + ShellQuote((scratch / "page").string()));
  if (result.exitCode != 0) throw std::runtime_error("pdftoppm failed: " + result.err);
  const std::string ppm = ReadFile(scratch / "page.ppm");
  std::istringstream in(ppm);
  std::string magic;
  int maxValue = 0;
  Raster raster;
  in >> magic >> raster.width >> raster.height >> maxValue;
  in.get();
  if (magic != "P6" || maxValue != 255) throw std::runtime_error("unexpected render format");
  raster.rgb.resize(static_cast<std::size_t>(raster.width) * raster.height * 3);
  in.read(reinterpret_cast<char*>(raster.rgb.data()),
          static_cast<std::streamsize>(raster.rgb.size()));
  return raster;
}

std::string ReaderComplaints(const std::filesystem::path& pdf) {
  const std::string file = ShellQuote(pdf.string());
  std::string complaints;
  auto check = [&](const std::string& name, const std::string& command, bool quiet) {
    const CommandResult result = Run(command);
    if (result.exitCode != 0 || (quiet && !result.err.empty())) {
      complaints += name + " (exit " + std::to_string(result.exitCode) + "): " + result.err +
                    result.out + "\n";
    }
  };
  check("qpdf", "qpdf --check " + file, false);
  check("pdftoppm", "pdftoppm -r 10 " + file + " >/dev/null", true);
  check("mutool", "mutool draw -q -r 10 -o /dev/null -F pnm " + file, false);
  check("gs", "gs -q -dNOPAUSE -dBATCH -dSAFER -dPDFSTOPONERROR -sDEVICE=nullpage " + file, false);
  return complaints;
}

}  // namespace kyrovane::test
