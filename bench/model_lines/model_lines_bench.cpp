// Line drawing through the drawing model against the bare drawing component, on the workload of
// the component's own line benchmark: pseudo-random segments from the C library's classic
// linear congruential generator on one A3 landscape page, ten pens, every third segment dashed.
//
//   model_lines_bench [N]
//
// N defaults to 1,000,000. Prints the seconds from the first drawing call to the saved file for
// the bare component and for the model's page output (the model is built beforehand; building
// it is timed on its own), and what the model adds.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "cad/CadGeometry.h"
#include "cad/CadPage.h"
#include "pdf/PDFPrinter.h"

namespace {

using kyrovane::PtToMm;

constexpr int kPageWidth = 1191;
constexpr int kPageHeight = 842;
constexpr int kDashedSlot = 4;  // the component's preset [6 2]

const float kWidths[10] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f};
const std::int32_t kColors[10] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                  0xFF00FF, 0xFFFF00, 0x808080, 0x004080, 0x800040};

struct Segment {
  long double x1, y1, x2, y2;  // points
};

// x(k+1) = (1103515245 x(k) + 12345) mod 2^31, x(0) = 1.
std::vector<Segment> Segments(long n) {
  std::uint32_t x = 1;
  auto next = [&x] {
    x = (1103515245u * x + 12345u) & 0x7FFFFFFFu;
    return x;
  };
  std::vector<Segment> segments(static_cast<std::size_t>(n));
  for (Segment& s : segments) {
    s.x1 = next() % kPageWidth;
    s.y1 = next() % kPageHeight;
    s.x2 = next() % kPageWidth;
    s.y2 = next() % kPageHeight;
  }
  return segments;
}

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

const std::filesystem::path kOutput =
    std::filesystem::temp_directory_path() / "model_lines_bench.pdf";

double BarePrinter(const std::vector<Segment>& segments) {
  const auto start = Clock::now();
  kyrovane::TPDFPrinter printer;
  printer.SetPageWidth(kPageWidth);
  printer.SetPageHeight(kPageHeight);
  printer.BeginDoc();
  const kyrovane::TLineType solid;
  const kyrovane::TLineType& dashed = printer.GetLineType(kDashedSlot);
  kyrovane::TPdfCanvas& canvas = printer.GetCanvas();
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const Segment& s = segments[k];
    printer.DrawLine(canvas, kColors[k % 10], s.x1, s.y1, s.x2, s.y2, kWidths[k % 10],
                     k % 3 == 2 ? dashed : solid, true);
  }
  std::ofstream file(kOutput, std::ios::binary | std::ios::trunc);
  printer.EndDoc(file);
  file.flush();
  return Since(start);
}

double Model(const std::vector<Segment>& segments, double& buildSeconds) {
  auto start = Clock::now();
  kyrovane::TCad_Page page;
  page.PageWidth = kPageWidth;
  page.PageHeight = kPageHeight;
  page.Output.PaintBackground = 0;
  kyrovane::TCad_Layer& layer = *page.GetLayer(page.AddLayer("0"));
  layer.Scale = {1, 1, 1};
  kyrovane::TCad_Line_Type& dashed = *page.GetLineType(page.AddLineType("dashed"));
  dashed.AddDash(PtToMm(6));
  dashed.AddDash(PtToMm(2));
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const Segment& s = segments[k];
    auto line = std::make_unique<kyrovane::TCad_Line>(nullptr, layer);
    line->P2 = {PtToMm(s.x1), PtToMm(s.y1), 0};  // the model draws from P2 to P1
    line->P1 = {PtToMm(s.x2), PtToMm(s.y2), 0};
    line->Color = kColors[k % 10];
    line->LineWidth = kWidths[k % 10];
    if (k % 3 == 2) line->LineType = &dashed;
    layer.Add(std::move(line));
  }
  buildSeconds = Since(start);
  start = Clock::now();
  std::ofstream file(kOutput, std::ios::binary | std::ios::trunc);
  page.PrintToPdf(file, 1, false, 0);
  file.flush();
  return Since(start);
}

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
  if (n <= 0) {
    std::fprintf(stderr, "usage: %s [segments]\n", argv[0]);
    return 2;
  }
  const std::vector<Segment> segments = Segments(n);
  const double bare = BarePrinter(segments);
  double build = 0;
  const double model = Model(segments, build);
  std::filesystem::remove(kOutput);
  std::printf("N %ld\n", n);
  std::printf("bare printer seconds %.3f\n", bare);
  std::printf("model seconds %.3f (%+.1f %%)\n", model, (model / bare - 1) * 100);
  std::printf("model building seconds %.3f\n", build);
  return 0;
}
