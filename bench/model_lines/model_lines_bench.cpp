// Time of drawing a page of line segments through the drawing model, against drawing the
// same segments with the bare printer. Usage: model_lines_bench [segments] (default 1000000).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "cad/CadGeometry.h"
#include "cad/CadPage.h"
#include "pdf/PDFPrinter.h"

namespace {

using kyrovane::MmToPt;
using kyrovane::TPoint3;

struct Segment {
  TPoint3 a, b;  // millimetres
};

std::vector<Segment> Segments(int count) {
  std::vector<Segment> segments;
  segments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const long double x = (i % 1000) * 0.8L;
    const long double y = (i / 1000 % 1000) * 0.58L;
    segments.push_back({{x, y, 0}, {x + 0.5L, y + 0.3L, 0}});
  }
  return segments;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double BarePrinter(const std::vector<Segment>& segments) {
  std::ostringstream sink;  // in memory: drawing and saving are measured, not the disk
  const auto start = std::chrono::steady_clock::now();
  kyrovane::TPDFPrinter printer;
  printer.BeginDoc();
  printer.SetPageWidth(2384);
  printer.SetPageHeight(1684);
  kyrovane::TPdfCanvas& canvas = printer.GetCanvas();
  const kyrovane::TLineType solid;
  const float width = static_cast<float>(MmToPt(0.1L));
  for (const Segment& s : segments) {
    printer.DrawLine(canvas, 0, MmToPt(s.b.X), MmToPt(s.b.Y), MmToPt(s.a.X), MmToPt(s.a.Y), width,
                     solid, true);
  }
  printer.EndDoc(sink);
  return Seconds(start);
}

double Model(const std::vector<Segment>& segments, double& buildSeconds) {
  std::ostringstream sink;
  auto start = std::chrono::steady_clock::now();
  kyrovane::TCad_Page page;
  kyrovane::TCad_Layer& layer = *page.GetLayer(page.AddLayer("0"));
  layer.Scale = {1, 1, 1};
  for (const Segment& s : segments) {
    auto line = std::make_unique<kyrovane::TCad_Line>(nullptr, layer);
    line->P1 = s.a;
    line->P2 = s.b;
    layer.Add(std::move(line));
  }
  buildSeconds = Seconds(start);
  start = std::chrono::steady_clock::now();
  page.PrintToPdf(sink, 1, false, 0);
  return Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
  if (count <= 0) {
    std::fprintf(stderr, "usage: %s [segments]\n", argv[0]);
    return 2;
  }
  const std::vector<Segment> segments = Segments(count);
  const double bare = BarePrinter(segments);
  double build = 0;
  const double model = Model(segments, build);
  std::printf("segments            %d\n", count);
  std::printf("bare printer        %.3f s\n", bare);
  std::printf("model page output   %.3f s  (%+.1f %% against the bare printer)\n", model,
              (model / bare - 1) * 100);
  std::printf("building the model  %.3f s\n", build);
  return 0;
}
