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
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "cad/CadGeometry.h"
#include "cad/CadPage.h"
#include "common/line_workload.h"
#include "pdf/PDFPrinter.h"

namespace {

using kyrovane::PtToMm;
using kyrovane::bench::kPageHeight;
using kyrovane::bench::kPageWidth;
using kyrovane::bench::LineSegment;
using kyrovane::bench::LineSegments;

constexpr int kDashedSlot = 4;  // the component's preset [6 2]

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

const std::filesystem::path kOutput =
    std::filesystem::temp_directory_path() / "model_lines_bench.pdf";

double BarePrinter(const std::vector<LineSegment>& segments) {
  const auto start = Clock::now();
  kyrovane::TPDFPrinter printer;
  printer.SetPageWidth(kPageWidth);
  printer.SetPageHeight(kPageHeight);
  printer.BeginDoc();
  const kyrovane::TLineType solid;
  const kyrovane::TLineType& dashed = printer.GetLineType(kDashedSlot);
  kyrovane::TPdfCanvas& canvas = printer.GetCanvas();
  for (const LineSegment& s : segments) {
    printer.DrawLine(canvas, s.color, s.x1, s.y1, s.x2, s.y2, s.width, s.dashed ? dashed : solid,
                     true);
  }
  std::ofstream file(kOutput, std::ios::binary | std::ios::trunc);
  printer.EndDoc(file);
  file.flush();
  return Since(start);
}

double Model(const std::vector<LineSegment>& segments, double& buildSeconds) {
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
  for (const LineSegment& s : segments) {
    auto line = std::make_unique<kyrovane::TCad_Line>(nullptr, layer);
    line->P2 = {PtToMm(s.x1), PtToMm(s.y1), 0};  // the model draws from P2 to P1
    line->P1 = {PtToMm(s.x2), PtToMm(s.y2), 0};
    line->Color = s.color;
    line->LineWidth = s.width;
    if (s.dashed) line->LineType = &dashed;
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
  const std::vector<LineSegment> segments = LineSegments(static_cast<std::size_t>(n));
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
