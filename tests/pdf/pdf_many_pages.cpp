// Writes a document of many pages, as a separate process, so that tests can run it under a
// small descriptor limit or kill it while its stream buffers are in use.
//
//   pdf_many_pages PAGES OUTPUT   builds and saves the document, prints "saved"
//   pdf_many_pages PAGES --kill   builds the pages, prints the buffer files it holds in the
//                                 temp folder, and kills itself

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>

#include "pdf/PdfDoc.h"
#include "pdf_test_support.h"

namespace {

void WriteDocument(int pages, const std::string& target) {
  using namespace kyrovane;
  TPdfDoc doc;
  doc.SetCompressionMethod(cmFlateDecode);
  doc.NewDoc();
  for (int page = 0; page < pages; ++page) {
    doc.AddPage();
    TPdfCanvas& canvas = doc.GetCanvas();
    canvas.SetLineWidth(0.3);
    for (int i = 0; i < 20; ++i) {
      canvas.MoveTo(10 + i * 20, 10);
      canvas.LineTo(10 + i * 20, 800 - page % 100);
    }
    canvas.Stroke();
    canvas.BeginText();
    canvas.SetFont("Times-Roman", 12);
    canvas.SetTextMatrix(1, 0, 0, 1, 40, 820);
    canvas.ShowText("Page " + std::to_string(page + 1));
    canvas.EndText();
  }

  if (target == "--kill") {
    std::printf("buffer files: %d\n", test::OpenFilesIn(std::filesystem::temp_directory_path()));
    std::fflush(stdout);
    std::raise(SIGKILL);
  }
  test::SaveToFile(doc, target);
  std::printf("saved\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  try {
    WriteDocument(std::atoi(argv[1]), argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
