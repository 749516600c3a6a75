// Feeds any bytes to the reader of parts files. Besides never crashing, a successful read must
// hold exactly the records its header declares, with no text longer than the pool.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/jwkunit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kyrovane::JwkData tables;
  kyrovane::JwkReadResult result =
      kyrovane::ReadJwkData(std::string_view(reinterpret_cast<const char*>(data), size), tables);
  const kyrovane::jwkunit::THeader& header = tables.JwkHeader;
  bool countsAgree = tables.JwkLines.size() == static_cast<size_t>(header.LineCount) &&
                     tables.JwkArcs.size() == static_cast<size_t>(header.ArcCount) &&
                     tables.JwkPoints.size() == static_cast<size_t>(header.PointCount) &&
                     tables.JwkTexts.size() == static_cast<size_t>(header.TextCount);
  if (result.Ok == !result.Error.empty()) std::abort();
  if (result.Ok && !countsAgree) std::abort();
  for (const kyrovane::TMoji2& text : tables.JwkTexts) {
    if (text.Text.size() > static_cast<size_t>(header.PoolSize > 0 ? header.PoolSize : 0)) {
      std::abort();
    }
  }
  return 0;
}
