#pragma once

// One small BMP file for every variant the reader knows, each with the picture it must give.
// The reader tests decode them, the damage tests cut and mutate them, and they seed the BMP
// fuzzer's corpus.

#include <ostream>
#include <string>
#include <vector>

#include "pdf/picture/Bitmap.h"

namespace kyrovane::test {

using TPicture = std::vector<std::vector<TRGB>>;  // rows from the top

struct TBmpSample {
  std::string name;
  std::string bytes;
  TPicture expected;
};

std::vector<TBmpSample> BmpSamples();

// Test names and failure reports show the sample by its name.
inline void PrintTo(const TBmpSample& sample, std::ostream* out) {
  *out << sample.name;
}

}  // namespace kyrovane::test
