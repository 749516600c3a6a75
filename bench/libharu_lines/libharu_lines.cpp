// The line workload of printer_lines through libharu, for comparison: the same segments on the
// same A3 landscape page with the same pens (width, stroke colour, dash set before every
// segment, as the drawing component writes them), page contents Flate-compressed.
//
//   bench_libharu_lines [N] [output.pdf]
//
// N defaults to 1,000,000. Prints N, the seconds from the first call to the saved file, and the
// file's size in bytes.

#include <hpdf.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/line_workload.h"

namespace {

using kyrovane::bench::LineSegment;
using kyrovane::bench::LineWorkload;

// The dash of the drawing component's line type 4.
constexpr HPDF_UINT16 kDash[] = {6, 2};

void StopOnError(HPDF_STATUS error, HPDF_STATUS detail, void*) {
  std::fprintf(stderr, "libharu error 0x%04X (detail %u)\n", static_cast<unsigned>(error),
               static_cast<unsigned>(detail));
  std::exit(1);
}

HPDF_REAL Component(std::int32_t color, int shift) {
  return static_cast<HPDF_REAL>((color >> shift) & 0xFF) / 255.0f;
}

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
  const std::filesystem::path output =
      argc > 2 ? std::filesystem::path(argv[2])
               : std::filesystem::temp_directory_path() / "bench_libharu_lines.pdf";

  const auto start = std::chrono::steady_clock::now();
  HPDF_Doc pdf = HPDF_New(StopOnError, nullptr);
  HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
  HPDF_Page page = HPDF_AddPage(pdf);
  HPDF_Page_SetWidth(page, kyrovane::bench::kPageWidth);
  HPDF_Page_SetHeight(page, kyrovane::bench::kPageHeight);
  LineWorkload workload;
  for (long k = 0; k < n; ++k) {
    const LineSegment s = workload.Next();
    HPDF_Page_SetLineWidth(page, s.width);
    HPDF_Page_SetRGBStroke(page, Component(s.color, 0), Component(s.color, 8),
                           Component(s.color, 16));
    if (s.dashed) {
      HPDF_Page_SetDash(page, kDash, 2, 0);
    } else {
      HPDF_Page_SetDash(page, nullptr, 0, 0);
    }
    HPDF_Page_MoveTo(page, s.x1, s.y1);
    HPDF_Page_LineTo(page, s.x2, s.y2);
    HPDF_Page_Stroke(page);
  }
  HPDF_SaveToFile(pdf, output.c_str());
  HPDF_Free(pdf);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("N %ld\nseconds %.3f\nbytes %ju\n", n, seconds,
              static_cast<std::uintmax_t>(std::filesystem::file_size(output)));
  return 0;
}
