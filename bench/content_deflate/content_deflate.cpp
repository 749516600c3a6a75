// The deflate alone of the page contents that the line benchmark (printer_lines) writes: zlib at
// level 9 on one core, then the parallel deflate of the stream compression on 1, 2, 4 … cores.
// The single-core figure is the bar the whole line benchmark has to beat.
//
//   bench_content_deflate [N]
//
// Prints the content size and, for each way, the seconds and the compressed size.

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

#include "common/line_workload.h"
#include "pdf/ParallelDeflate.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfNumbers.h"

namespace {

using kyrovane::bench::kPenCount;
using kyrovane::bench::LineSegment;
using kyrovane::bench::LineWorkload;

// The operators of N segments in the order and form the drawing component writes them, each
// pen's width and colour in the component's own number form.
std::string LineContents(long n) {
  std::string widths[kPenCount];
  std::string colors[kPenCount];
  for (int pen = 0; pen < kPenCount; ++pen) {
    widths[pen] = kyrovane::FloatToStrRounded(kyrovane::bench::kPenWidths[pen]);
    colors[pen] = kyrovane::ColorToPdfRGB(kyrovane::bench::kPenColors[pen]);
  }
  std::string text = "/F0 10 Tf\n";
  LineWorkload workload;
  char line[160];
  for (long k = 0; k < n; ++k) {
    const LineSegment s = workload.Next();
    int length = std::snprintf(line, sizeof line, "%s w\n%s RG\n%s\n%d %d m\n%d %d l\nS\n",
                               widths[s.pen].c_str(), colors[s.pen].c_str(),
                               s.dashed ? "[6 2 ] 0 d" : "[] 0 d", s.x1, s.y1, s.x2, s.y2);
    text.append(line, static_cast<std::size_t>(length));
  }
  return text;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::size_t SingleStream(const std::string& input) {
  uLongf size = compressBound(static_cast<uLong>(input.size()));
  std::string output(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(output.data()), &size,
                reinterpret_cast<const Bytef*>(input.data()), static_cast<uLong>(input.size()),
                9) != Z_OK) {
    throw std::runtime_error("zlib failed");
  }
  return size;
}

std::size_t Parallel(const std::string& input, unsigned threads) {
  std::size_t offset = 0;
  std::size_t produced = 0;
  kyrovane::ParallelZCompress(
      [&](char* buffer, std::size_t capacity) {
        std::size_t n = std::min(capacity, input.size() - offset);
        std::memcpy(buffer, input.data() + offset, n);
        offset += n;
        return n;
      },
      [&](const char*, std::size_t size) { produced += size; }, 9, threads);
  return produced;
}

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
  const std::string contents = LineContents(n);
  std::printf("N %ld\ncontent bytes %zu\n", n, contents.size());

  auto start = std::chrono::steady_clock::now();
  std::size_t size = SingleStream(contents);
  std::printf("zlib level 9, one stream: %.3f s, %zu bytes\n", Seconds(start), size);

  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  for (unsigned threads = 1;; threads = std::min(cores, threads * 2)) {
    start = std::chrono::steady_clock::now();
    size = Parallel(contents, threads);
    std::printf("parallel, %u threads: %.3f s, %zu bytes\n", threads, Seconds(start), size);
    if (threads == cores) break;
  }
  return 0;
}
