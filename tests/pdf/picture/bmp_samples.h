#pragma once

// One small BMP file for every variant the reader knows, each with the picture it must give.
// The reader tests decode them, the damage tests cut and mutate them, and they seed the BMP
// fuzzer's corpus.

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

}  // namespace kyrovane::test
