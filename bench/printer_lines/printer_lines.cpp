// Line drawing through the drawing component on one A3 landscape page, with a workload that
// other PDF writers can repeat: pseudo-random segments from the C library's classic linear
// congruential generator, ten pens, every third segment dashed, Flate on.
//
//   bench_printer_lines [N] [threads] [output.pdf]
//
// N defaults to 1,000,000 and threads (for the deflate of the page contents) to every core.
// Prints N, the seconds from the first call to the saved file, and the file's size in bytes.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/line_workload.h"
#include "pdf/PDFPrinter.h"
#include "pdf/ParallelDeflate.h"

namespace {

using kyrovane::TLineType;
using kyrovane::TPDFPrinter;
using kyrovane::bench::LineSegment;
using kyrovane::bench::LineWorkload;

constexpr int kDashedSlot = 4;

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
  const unsigned threads = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 0;
  const std::filesystem::path output =
      argc > 3 ? std::filesystem::path(argv[3])
               : std::filesystem::temp_directory_path() / "bench_printer_lines.pdf";
  kyrovane::SetDeflateThreadCount(threads);

  const auto start = std::chrono::steady_clock::now();
  TPDFPrinter printer;
  printer.SetPageWidth(kyrovane::bench::kPageWidth);
  printer.SetPageHeight(kyrovane::bench::kPageHeight);
  printer.BeginDoc();
  const TLineType solid;
  const TLineType& dashed = printer.GetLineType(kDashedSlot);
  kyrovane::TPdfCanvas& canvas = printer.GetCanvas();
  LineWorkload workload;
  for (long k = 0; k < n; ++k) {
    const LineSegment s = workload.Next();
    printer.DrawLine(canvas, s.color, s.x1, s.y1, s.x2, s.y2, s.width, s.dashed ? dashed : solid,
                     true);
  }
  {
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    printer.EndDoc(file);
    if (!file.flush()) {
      std::fprintf(stderr, "cannot write %s\n", output.c_str());
      return 1;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("N %ld\nthreads %u\nseconds %.3f\nbytes %ju\n", n, kyrovane::DeflateThreadCount(),
              seconds, static_cast<std::uintmax_t>(std::filesystem::file_size(output)));
  return 0;
}
