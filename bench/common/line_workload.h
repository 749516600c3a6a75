#pragma once

// The line workload of the benchmarks, defined once so that their figures stay comparable with
// each other and with other PDF writers that repeat it: segments on one A3 landscape page with
// end points from the C library's classic linear congruential generator, ten pens cycling
// through widths 0.1 ... 1.0 pt and ten colours, every third segment dashed.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kyrovane::bench {

// A3 landscape, in points.
inline constexpr int kPageWidth = 1191;
inline constexpr int kPageHeight = 842;

inline constexpr int kPenCount = 10;
inline constexpr float kPenWidths[kPenCount] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f,
                                                0.6f, 0.7f, 0.8f, 0.9f, 1.0f};
// 0x00BBGGRR, as the drawing component takes colours.
inline constexpr std::int32_t kPenColors[kPenCount] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000,
                                                       0x00FFFF, 0xFF00FF, 0xFFFF00, 0x808080,
                                                       0x004080, 0x800040};

struct LineSegment {
  int x1, y1, x2, y2;  // whole points on the page
  int pen;             // 0 .. kPenCount - 1
  float width;         // kPenWidths[pen]
  std::int32_t color;  // kPenColors[pen]
  bool dashed;
};

// Segment k (from 0) takes the next four values of x(k+1) = (1103515245 x(k) + 12345) mod 2^31,
// x(0) = 1, as x1 = x mod 1191, y1 = x mod 842, x2 = x mod 1191, y2 = x mod 842; its pen is
// k mod 10, and it is dashed when k mod 3 = 2.
class LineWorkload {
 public:
  LineSegment Next() {
    LineSegment segment;
    segment.x1 = Coordinate(kPageWidth);
    segment.y1 = Coordinate(kPageHeight);
    segment.x2 = Coordinate(kPageWidth);
    segment.y2 = Coordinate(kPageHeight);
    segment.pen = static_cast<int>(index_ % kPenCount);
    segment.width = kPenWidths[segment.pen];
    segment.color = kPenColors[segment.pen];
    segment.dashed = index_ % 3 == 2;
    ++index_;
    return segment;
  }

 private:
  int Coordinate(int pageSize) {
    x_ = (1103515245u * x_ + 12345u) & 0x7FFFFFFFu;
    return static_cast<int>(x_ % static_cast<std::uint32_t>(pageSize));
  }

  std::uint32_t x_ = 1;
  std::uint64_t index_ = 0;
};

// The first n segments of the workload, for benchmarks that time only what is done with them.
inline std::vector<LineSegment> LineSegments(std::size_t n) {
  std::vector<LineSegment> segments;
  segments.reserve(n);
  LineWorkload workload;
  for (std::size_t k = 0; k < n; ++k) segments.push_back(workload.Next());
  return segments;
}

}  // namespace kyrovane::bench
