#include "pdf_test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "pdf/PdfClassRegistry.h"
#include "support/test_support.h"

namespace kyrovane::test {

ScopedPdfClock::ScopedPdfClock() {
  SetPdfClock([next = EncodeDateTime(2025, 1, 2, 3, 4, 5)]() mutable {
    TDateTime now = next;
    next += 1.0 / 86400;
    return now;
  });
}

ScopedPdfClock::~ScopedPdfClock() {
  SetPdfClock(nullptr);
}

namespace {

class TTestImageCreator : public TPdfImageCreator {
 public:
  std::unique_ptr<TPdfXObject> CreateImage(TPdfObjectMgr& objectMgr,
                                           const std::any& picture) override {
    ++ScopedTestImageCreator::calls;
    if (!std::any_cast<int>(&picture)) return nullptr;
    auto image = std::make_unique<TPdfXObject>(&objectMgr);
    TPdfDictionary& attributes = image->Attributes();
    attributes.AddNameItem("Type", "XObject");
    attributes.AddNameItem("Subtype", "Image");
    attributes.AddNumberItem("Width", 2);
    attributes.AddNumberItem("Height", 1);
    attributes.AddNumberItem("BitsPerComponent", 8);
    attributes.AddNameItem("ColorSpace", "DeviceRGB");
    image->Data().Write(std::string("\xFF\x00\x00\x00\x00\xFF", 6));
    return image;
  }
};

}  // namespace

ScopedTestImageCreator::ScopedTestImageCreator() {
  calls = 0;
  PdfClassRegistry().RegisterClass("Test-Image", ImageCreatorClass<TTestImageCreator>());
}

ScopedTestImageCreator::~ScopedTestImageCreator() {
  PdfClassRegistry().UnregisterClass("Test-Image");
}

int OpenFilesIn(const std::filesystem::path& folder) {
  int count = 0;
  std::string prefix = folder.string() + "/";
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    std::string target = std::filesystem::read_symlink(entry.path(), error).string();
    if (!error && target.starts_with(prefix)) ++count;
  }
  return count;
}

void SaveToFile(TPdfDoc& doc, const std::filesystem::path& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  doc.SaveToStream(out);
}

std::string SaveChecked(TPdfDoc& doc) {
  TempDir dir;
  auto path = dir / "checked.pdf";
  SaveToFile(doc, path);
  ExpectReadersAccept(path);
  return ReadFile(path);
}

std::string PageContents(TPdfDoc& doc) {
  return doc.GetCanvas().Contents()->EncodedData();
}

std::string Body(TPdfObject& object) {
  std::ostringstream out;
  object.WriteToStream(out);
  return out.str();
}

std::string Definition(TPdfObject& object) {
  std::ostringstream out;
  object.WriteValueToStream(out);
  return out.str();
}

void ExpectReadersAccept(const std::filesystem::path& path, int pages) {
  const std::string file = ShellQuote(path.string());
  TempDir scratch;
  const std::string out = ShellQuote((scratch / "page").string());
  std::string range = pages > 0 ? " -f 1 -l " + std::to_string(pages) : "";
  std::string gsRange = pages > 0 ? " -dFirstPage=1 -dLastPage=" + std::to_string(pages) : "";
  std::string mutoolRange = pages > 0 ? " 1-" + std::to_string(pages) : "";

  CommandResult qpdf = Run("qpdf --check " + file);
  EXPECT_EQ(qpdf.exitCode, 0) << path << "\n" << qpdf.out << qpdf.err;

  CommandResult poppler = Run("pdftoppm -r 20" + range + " " + file + " " + out);
  EXPECT_EQ(poppler.exitCode, 0) << path;
  EXPECT_EQ(poppler.err, "") << path;

  CommandResult mupdf = Run("mutool draw -q -N -r 20 -o " + out + "%d.png " + file + mutoolRange);
  EXPECT_EQ(mupdf.exitCode, 0) << path;
  EXPECT_EQ(mupdf.err, "") << path;

  CommandResult ghostscript = Run(
      "gs -q -dSAFER -dBATCH -dNOPAUSE -dPDFSTOPONERROR -sDEVICE=nullpage" + gsRange + " " + file);
  EXPECT_EQ(ghostscript.exitCode, 0) << path << "\n" << ghostscript.out << ghostscript.err;
  EXPECT_EQ(ghostscript.err, "") << path;
}

const char* RendererName(TRenderer renderer) {
  switch (renderer) {
    case TRenderer::Poppler:
      return "poppler";
    case TRenderer::Mupdf:
      return "mupdf";
    case TRenderer::Ghostscript:
      return "ghostscript";
  }
  return "";
}

std::array<int, 3> TRaster::Pixel(int x, int y) const {
  const std::size_t at = 3 * (static_cast<std::size_t>(y) * width + x);
  return {static_cast<unsigned char>(pixels.at(at)), static_cast<unsigned char>(pixels.at(at + 1)),
          static_cast<unsigned char>(pixels.at(at + 2))};
}

TRaster RenderFirstPage(const std::filesystem::path& path, TRenderer renderer) {
  TempDir scratch;
  const std::string file = ShellQuote(path.string());
  const std::string out = ShellQuote((scratch / "page.ppm").string());
  std::string command;
  switch (renderer) {
    case TRenderer::Poppler:
      command = "pdftoppm -r 72 -f 1 -l 1 -singlefile " + file + " " +
                ShellQuote((scratch / "page").string());
      break;
    case TRenderer::Mupdf:
      command = "mutool draw -q -N -r 72 -o " + out + " " + file + " 1";
      break;
    case TRenderer::Ghostscript:
      command =
          "gs -q -dSAFER -dBATCH -dNOPAUSE -r72 -sDEVICE=ppmraw -dFirstPage=1 -dLastPage=1 "
          "-sOutputFile=" +
          out + " " + file;
      break;
  }
  CommandResult result = Run(command);
  EXPECT_EQ(result.exitCode, 0) << RendererName(renderer) << ": " << result.err;
  if (result.exitCode != 0) return {};

  // A binary PPM: "P6", width, height and largest value, with comments between them.
  const std::string ppm = ReadFile(scratch / "page.ppm");
  std::size_t at = 2;
  auto number = [&] {
    while (at < ppm.size() &&
           (std::isspace(static_cast<unsigned char>(ppm[at])) || ppm[at] == '#')) {
      if (ppm[at] == '#') at = ppm.find('\n', at);
      ++at;
    }
    int value = 0;
    while (at < ppm.size() && std::isdigit(static_cast<unsigned char>(ppm[at]))) {
      value = value * 10 + (ppm[at++] - '0');
    }
    return value;
  };
  TRaster raster;
  raster.width = number();
  raster.height = number();
  number();  // largest value, 255
  raster.pixels = ppm.substr(at + 1);
  EXPECT_EQ(ppm.substr(0, 2), "P6");
  EXPECT_EQ(raster.pixels.size(), 3u * raster.width * raster.height);
  return raster;
}

}  // namespace kyrovane::test
