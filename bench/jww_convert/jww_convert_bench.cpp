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
#include "import/JwwBuilder.h"
#include "import/TextVariables.h"
#include "import/jwwunit.h"
#include "import/support/jww_writer.h"
#include "pdf/PDFPrinter.h"

namespace {

using namespace kyrovane;
namespace fs = std::filesystem;

constexpr int kPageWidth = 1191;  // the A3 sheet in points
constexpr int kPageHeight = 842;
constexpr long double kHalfX = 210;  // its half-sheet offset in mm
constexpr long double kHalfY = 148.5L;
constexpr int kDashedLineType = 2;

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

struct Segment {
  long double x1, y1, x2, y2;  // points on the page
  int pen;                     // 1..9
  bool dashed;
};

std::vector<Segment> Segments(long n) {
  std::vector<Segment> segments;
  segments.reserve(static_cast<std::size_t>(n));
  Sequence sequence;
  for (long k = 0; k < n; ++k) {
    Segment s;
    s.x1 = sequence.Next() % kPageWidth;
    s.y1 = sequence.Next() % kPageHeight;
    s.x2 = sequence.Next() % kPageWidth;
    s.y2 = sequence.Next() % kPageHeight;
    s.pen = static_cast<int>(k % 9) + 1;
    s.dashed = k % 3 == 2;
    segments.push_back(s);
  }
  return segments;
}

double Mm(long double points, long double halfSheet) {
  return static_cast<double>(points * 25.4L / 72 - halfSheet);
}

std::string Drawing(const std::vector<Segment>& segments) {
  jwwunit::JWWHead head = test::DefaultJwwHead();
  head.PaperSize = 3;
  for (jwwunit::JWWGroupRecord& group : head.Groups) {
    group.State = 2;
    for (jwwunit::JWWLayerRecord& layer : group.Layers) layer.State = 2;
  }
  test::JwwWriter writer(head);
  writer.Count(static_cast<uint32_t>(segments.size()));
  for (const Segment& s : segments) {
    jwwunit::CDataSen line;
    line.Head.LineType = s.dashed ? kDashedLineType : 1;
    line.Head.PenColor = static_cast<uint16_t>(s.pen);
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
double BareComponent(const std::vector<Segment>& segments, const REnvironment& env,
                     const fs::path& output) {
  const auto start = std::chrono::steady_clock::now();
  TPDFPrinter printer;
  printer.SetPageWidth(kPageWidth);
  printer.SetPageHeight(kPageHeight);
  printer.BeginDoc();
  const TLineType dashed{{6}, 0};  // line type 2: 2 mm dashes, in whole points
  const TLineType solid;
  TPdfCanvas& canvas = printer.GetCanvas();
  for (const Segment& s : segments) {
    printer.DrawLine(canvas, ColorIndexToColor(env.LineColor[s.pen], env), s.x1, s.y1, s.x2, s.y2,
                     static_cast<float>(env.Line[s.pen] / 25.4L * 72), s.dashed ? dashed : solid,
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

  const std::vector<Segment> segments = Segments(n);
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
  if (!jwwunit::ReadJwwFile(drawingFile, jww)) {
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
