#include "cad/BitmapUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kyrovane {
namespace {

// Each target pixel's rectangle ends this much short of the next one, so that a boundary
// that falls exactly on a source pixel edge does not reach into the next source pixel.
constexpr double kShortening = 0.000001;

// The share of source pixel i that the span [a0, a1] covers along one axis.
double Coverage(int i, double a0, double a1) {
  const bool cutBefore = i <= a0;
  const bool cutAfter = i + 1 >= a1;
  if (cutBefore && cutAfter) return a1 - a0;
  if (cutBefore) return 1 - (a0 - i);
  if (cutAfter) return a1 - i;
  return 1;
}

// The source pixels a span covers: from floor(a0) to floor(a1), kept within the source.
struct TSpan {
  double a0, a1;
  int first, last;
};

TSpan SpanOf(int target, double step, int sourceSize) {
  TSpan span;
  span.a0 = target * step;
  span.a1 = (target + 1) * step - kShortening;
  span.first = std::clamp(static_cast<int>(std::floor(span.a0)), 0, sourceSize - 1);
  span.last = std::clamp(static_cast<int>(std::floor(span.a1)), span.first, sourceSize - 1);
  return span;
}

}  // namespace

TBitmap ResampleBitmap(const TBitmap& ASource, int ANewWidth, int ANewHeight) {
  const int w = ASource.Width();
  const int h = ASource.Height();
  if (ASource.Empty()) throw std::invalid_argument("cannot resample a bitmap without pixels");

  TBitmap result(ANewWidth, ANewHeight);
  if (result.Empty()) return result;

  const double area = static_cast<double>(static_cast<int64_t>(w) * h) / ANewWidth / ANewHeight;
  const double sx = static_cast<double>(w) / ANewWidth;
  const double sy = static_cast<double>(h) / ANewHeight;

  std::vector<const uint8_t*> rows(static_cast<std::size_t>(h));
  for (int j = 0; j < h; ++j) rows[static_cast<std::size_t>(j)] = ASource.ScanLine(j);
  std::vector<TSpan> columns(static_cast<std::size_t>(ANewWidth));
  for (int x = 0; x < ANewWidth; ++x) columns[static_cast<std::size_t>(x)] = SpanOf(x, sx, w);

  for (int y = 0; y < ANewHeight; ++y) {
    const TSpan ys = SpanOf(y, sy, h);
    uint8_t* out = result.ScanLine(y);
    for (const TSpan& xs : columns) {
      double sum[3] = {0, 0, 0};
      for (int j = ys.first; j <= ys.last; ++j) {
        const double wy = Coverage(j, ys.a0, ys.a1);
        const uint8_t* row = rows[static_cast<std::size_t>(j)];
        for (int i = xs.first; i <= xs.last; ++i) {
          const double weight = Coverage(i, xs.a0, xs.a1) * wy;
          const uint8_t* pixel = row + static_cast<std::size_t>(i) * 3;
          for (int c = 0; c < 3; ++c) sum[c] += weight * pixel[c];
        }
      }
      for (int c = 0; c < 3; ++c) {
        // Rounded half to even; the shortening keeps the mean within 0..255.
        const double mean = std::nearbyint(sum[c] / area);
        *out++ = static_cast<uint8_t>(std::clamp(mean, 0.0, 255.0));
      }
    }
  }
  return result;
}

}  // namespace kyrovane
