#include "pdf_inspection.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>

#include "support/test_support.h"

namespace kyrovane::test {

namespace {

std::string Inflate(const std::string& data) {
  z_stream zs{};
  EXPECT_EQ(inflateInit(&zs), Z_OK);
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char buffer[65536];
  int rc;
  do {
    zs.next_out = reinterpret_cast<Bytef*>(buffer);
    zs.avail_out = sizeof buffer;
    rc = inflate(&zs, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - zs.avail_out);
  } while (rc == Z_OK);
  EXPECT_EQ(rc, Z_STREAM_END) << "a stream does not inflate";
  EXPECT_EQ(zs.avail_in, 0u) << "bytes after the end of a compressed stream";
  inflateEnd(&zs);
  return out;
}

std::string WithoutLine(std::string text, const std::string& line) {
  const std::size_t at = text.find(line + "\n");
  if (at != std::string::npos) text.erase(at, line.size() + 1);
  return text;
}

}  // namespace

std::vector<std::string> StreamData(const std::string& pdf) {
  std::vector<std::string> streams;
  const std::string keyword = "\r\nstream\r\n";
  for (std::size_t at = pdf.find(keyword); at != std::string::npos;
       at = pdf.find(keyword, at + 1)) {
    const std::size_t dictionaryStart = pdf.rfind("obj\r\n", at);
    const std::string dictionary = pdf.substr(dictionaryStart, at - dictionaryStart);
    const std::size_t lengthAt = dictionary.find("/Length ");
    if (lengthAt == std::string::npos) {
      ADD_FAILURE() << "stream without /Length";
      continue;
    }
    const std::size_t length = std::strtoul(dictionary.c_str() + lengthAt + 8, nullptr, 10);
    const std::size_t dataStart = at + keyword.size();
    EXPECT_EQ(pdf.compare(dataStart + length, 10, "\nendstream"), 0) << "wrong /Length";
    const std::string data = pdf.substr(dataStart, length);
    streams.push_back(dictionary.find("/FlateDecode") != std::string::npos ? Inflate(data) : data);
  }
  return streams;
}

void ExpectReadersAccept(const std::filesystem::path& pdf) {
  const std::string file = ShellQuote(pdf.string());
  CommandResult qpdf = Run("qpdf --check " + file);
  EXPECT_EQ(qpdf.exitCode, 0) << qpdf.out << qpdf.err;

  TempDir scratch;
  CommandResult poppler =
      Run("pdftoppm -r 20 " + file + " " + ShellQuote((scratch / "page").string()));
  EXPECT_EQ(poppler.exitCode, 0);
  EXPECT_EQ(poppler.err, "");

  CommandResult mupdf =
      Run("mutool draw -q -r 20 -o " + ShellQuote((scratch / "mu%d.png").string()) + " " + file);
  EXPECT_EQ(mupdf.exitCode, 0) << mupdf.err;
  // This build of mupdf announces on every run that it lacks colour management.
  EXPECT_EQ(WithoutLine(mupdf.err, "warning: ICC support is not available"), "");

  CommandResult ghostscript =
      Run("gs -q -dSAFER -dBATCH -dNOPAUSE -dPDFSTOPONERROR -sDEVICE=nullpage " + file);
  EXPECT_EQ(ghostscript.exitCode, 0) << ghostscript.out << ghostscript.err;
  EXPECT_EQ(ghostscript.err, "");
}

}  // namespace kyrovane::test
