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

#include "pdf/PDFPrinter.h"
#include "pdf/ParallelDeflate.h"

namespace {

using kyrovane::TLineType;
using kyrovane::TPDFPrinter;

constexpr int kPageWidth = 1191;
constexpr int kPageHeight = 842;
constexpr int kDashedSlot = 4;

// x(k+1) = (1103515245 x(k) + 12345) mod 2^31, x(0) = 1.
class Sequence {
 public:
  std::uint32_t Next() {
    x_ = (1103515245u * x_ + 12345u) & 0x7FFFFFFFu;
    return x_;
  }

 private:
  std::uint32_t x_ = 1;
};

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
  const unsigned threads = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 0;
  const std::filesystem::path output =
      argc > 3 ? std::filesystem::path(argv[3])
               : std::filesystem::temp_directory_path() / "bench_printer_lines.pdf";
  kyrovane::SetDeflateThreadCount(threads);

  const float widths[10] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f};
  const std::int32_t colors[10] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                   0xFF00FF, 0xFFFF00, 0x808080, 0x004080, 0x800040};

  const auto start = std::chrono::steady_clock::now();
  TPDFPrinter printer;
  printer.SetPageWidth(kPageWidth);
  printer.SetPageHeight(kPageHeight);
  printer.BeginDoc();
  const TLineType solid;
  const TLineType& dashed = printer.GetLineType(kDashedSlot);
  kyrovane::TPdfCanvas& canvas = printer.GetCanvas();
  Sequence sequence;
  for (long k = 0; k < n; ++k) {
    const long double x1 = sequence.Next() % kPageWidth;
    const long double y1 = sequence.Next() % kPageHeight;
    const long double x2 = sequence.Next() % kPageWidth;
    const long double y2 = sequence.Next() % kPageHeight;
    const int pen = static_cast<int>(k % 10);
    printer.DrawLine(canvas, colors[pen], x1, y1, x2, y2, widths[pen], k % 3 == 2 ? dashed : solid,
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
