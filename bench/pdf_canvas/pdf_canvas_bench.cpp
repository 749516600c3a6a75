// Writes P pages of M line segments each through the page canvas into a Flate-compressed
// document and prints how long building and saving took and how large the file is.
//
//   pdf_canvas_bench [PAGES [SEGMENTS [OUTPUT]]]   (defaults: 200 pages, 10000 segments, a
//                                                   file in the temp folder that is removed)

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "pdf/PdfDoc.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

void DrawPage(kyrovane::TPdfCanvas& canvas, int page, long segments) {
  canvas.SetLineWidth(0.25);
  canvas.SetRGBStrokeColor(0x202020 + page % 64);
  // Segments that wander over the page with three-decimal coordinates, like a drawing's.
  long double x = 30, y = 30;
  for (long i = 0; i < segments; ++i) {
    canvas.MoveTo(x, y);
    x = 30 + std::fmod(x * 1.37L + i * 0.731L, 530);
    y = 30 + std::fmod(y * 1.91L + i * 0.377L, 780);
    canvas.LineTo(x, y);
    if (i % 64 == 63) canvas.Stroke();
  }
  canvas.Stroke();
}

}  // namespace

int main(int argc, char** argv) {
  const int pages = argc > 1 ? std::atoi(argv[1]) : 200;
  const long segments = argc > 2 ? std::atol(argv[2]) : 10000;
  const bool keep = argc > 3;
  const std::filesystem::path output =
      keep ? std::filesystem::path(argv[3])
           : std::filesystem::temp_directory_path() / "kyrovane-pdf-canvas-bench.pdf";
  try {
    auto start = Clock::now();
    kyrovane::TPdfDoc doc;
    doc.SetCompressionMethod(kyrovane::cmFlateDecode);
    doc.NewDoc();
    for (int page = 0; page < pages; ++page) {
      doc.AddPage();
      DrawPage(doc.GetCanvas(), page, segments);
    }
    double drawing = Seconds(start);
    auto saving = Clock::now();
    {
      std::ofstream out(output, std::ios::binary | std::ios::trunc);
      doc.SaveToStream(out);
    }
    double saved = Seconds(saving);
    std::uintmax_t bytes = std::filesystem::file_size(output);
    if (!keep) std::filesystem::remove(output);
    std::printf("pages %d, segments per page %ld\n", pages, segments);
    std::printf("drawing %.3f s, saving %.3f s, total %.3f s\n", drawing, saved, drawing + saved);
    std::printf("output %ju bytes\n", bytes);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
