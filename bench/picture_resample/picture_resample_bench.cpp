// Time to shrink a scanned plan of 4000 x 3000 pixels to the sizes it is typically drawn at,
// and to grow a small logo in one direction while shrinking it in the other.

#include <chrono>
#include <cstdio>

#include "cad/BitmapUtils.h"

namespace {

kyrovane::TBitmap Scan(int width, int height) {
  kyrovane::TBitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bitmap.ScanLine(y);
    for (int i = 0; i < width * 3; ++i) row[i] = static_cast<uint8_t>((i * 7 + y * 13) & 0xFF);
  }
  return bitmap;
}

void Measure(const kyrovane::TBitmap& source, int width, int height) {
  const auto start = std::chrono::steady_clock::now();
  const kyrovane::TBitmap result = kyrovane::ResampleBitmap(source, width, height);
  const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  std::printf("%5d x %-5d -> %5d x %-5d %9.1f ms  (%.1f source Mpixel/s)\n", source.Width(),
              source.Height(), result.Width(), result.Height(), took.count(),
              source.Width() * static_cast<double>(source.Height()) / took.count() / 1000);
}

}  // namespace

int main() {
  const kyrovane::TBitmap scan = Scan(4000, 3000);
  Measure(scan, 1191, 842);  // A3 landscape
  Measure(scan, 842, 595);   // A4 landscape
  Measure(scan, 283, 213);
  Measure(scan, 1, 1);
  const kyrovane::TBitmap logo = Scan(400, 300);
  Measure(logo, 567, 142);
  return 0;
}
