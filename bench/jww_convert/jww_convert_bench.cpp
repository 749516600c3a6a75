// A whole conversion of a written JWW drawing of many lines, timed stage by stage, against the
// bare drawing component drawing the same segments with the same pens.
//
//   bench_jww_convert [N]
//
// N defaults to 1,000,000 lines on the A3 sheet: pseudo-random segments from the C library's
// classic linear congruential generator, nine pens, every third line dashed, coloured by pen.
// Prints the seconds of reading, building and drawing (into a PDF file), their sum, the bare
// component's seconds for the same segments and the ratio of the two.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/settings/ConversionContext.h"
#include "app/settings/Environment.h"
#include "cad/CadPage.h"
#include "common/line_workload.h"
#include "files/RegularFile.h"
#include "import/JwwBuilder.h"
#include "import/TextVariables.h"
#include "import/jwwunit.h"
#include "import/support/jww_writer.h"
#include "pdf/PDFPrinter.h"

namespace {

using namespace kyrovane;
namespace fs = std::filesystem;

using bench::kPageHeight;
using bench::kPageWidth;
using bench::LineSegment;

constexpr long double kHalfX = 210;  // the A3 sheet's half-sheet offset in mm
constexpr long double kHalfY = 148.5L;
constexpr int kDashedLineType = 2;

// Segment k is drawn with the drawing's pen k mod 9 + 1: its nine standard pens in turn, in
// place of the workload's ten.
int DrawingPen(std::size_t k) {
  return static_cast<int>(k % 9) + 1;
}

double Mm(long double points, long double halfSheet) {
  return static_cast<double>(points * 25.4L / 72 - halfSheet);
}

std::string Drawing(const std::vector<LineSegment>& segments) {
  jwwunit::JWWHead head = test::DefaultJwwHead();
  head.PaperSize = 3;
  for (jwwunit::JWWGroupRecord& group : head.Groups) {
    group.State = 2;
    for (jwwunit::JWWLayerRecord& layer : group.Layers) layer.State = 2;
  }
  test::JwwWriter writer(head);
  writer.Count(static_cast<uint32_t>(segments.size()));
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const LineSegment& s = segments[k];
    jwwunit::CDataSen line;
    line.Head.LineType = s.dashed ? kDashedLineType : 1;
    line.Head.PenColor = static_cast<uint16_t>(DrawingPen(k));
    line.X1 = Mm(s.x1, kHalfX);
    line.Y1 = Mm(s.y1, kHalfY);
    line.X2 = Mm(s.x2, kHalfX);
    line.Y2 = Mm(s.y2, kHalfY);
    writer.Object(line);
  }
  return writer.Data();
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The drawing component alone, drawing the segments as the model hands them over.
double BareComponent(const std::vector<LineSegment>& segments, const REnvironment& env,
                     const fs::path& output) {
  const auto start = std::chrono::steady_clock::now();
  TPDFPrinter printer;
  printer.SetPageWidth(kPageWidth);
  printer.SetPageHeight(kPageHeight);
  printer.BeginDoc();
  const TLineType dashed{{6}, 0};  // line type 2: 2 mm dashes, in whole points
  const TLineType solid;
  TPdfCanvas& canvas = printer.GetCanvas();
  for (std::size_t k = 0; k < segments.size(); ++k) {
    const LineSegment& s = segments[k];
    const int pen = DrawingPen(k);
    printer.DrawLine(canvas, ColorIndexToColor(env.LineColor[pen], env), s.x1, s.y1, s.x2, s.y2,
                     static_cast<float>(env.Line[pen] / 25.4L * 72), s.dashed ? dashed : solid,
                     true);
  }
  std::ofstream file(output, std::ios::binary | std::ios::trunc);
  printer.EndDoc(file);
  return Since(start);
}

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
  const fs::path folder = fs::temp_directory_path();
  const fs::path drawingFile = folder / "bench_jww_convert.jww";
  const fs::path output = folder / "bench_jww_convert.pdf";

  const std::vector<LineSegment> segments = bench::LineSegments(static_cast<std::size_t>(n));
  {
    const std::string bytes = Drawing(segments);
    std::ofstream(drawingFile, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), bytes.size());
  }
  REnvironment env = DefaultEnvironment();
  env.UseColor = true;
  ConversionContext context;
  context.CurrentFileName = drawingFile.string();

  auto start = std::chrono::steady_clock::now();
  jwwunit::JwwData jww;
  if (!jwwunit::ParseJwwFile(ReadRegularFile(drawingFile, UINTMAX_MAX).Bytes, jww)) {
    std::fprintf(stderr, "cannot read %s\n", drawingFile.c_str());
    return 1;
  }
  const double read = Since(start);

  start = std::chrono::steady_clock::now();
  TCad_Page page;
  page.Output.DefaultFontName = env.TextFont;
  BuildJwwDrawing(page, jww, env, context, SystemClock(), false);
  const double build = Since(start);

  start = std::chrono::steady_clock::now();
  {
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    page.PrintToPdf(file, 1, false, 0);
  }
  const double draw = Since(start);

  const double bare = BareComponent(segments, env, folder / "bench_jww_convert_bare.pdf");
  const double total = read + build + draw;
  std::printf("N %ld\nread %.3f\nbuild %.3f\ndraw %.3f\ntotal %.3f\nbare %.3f\nratio %.2f\n", n,
              read, build, draw, total, bare, total / bare);
  fs::remove(drawingFile);
  return 0;
}
