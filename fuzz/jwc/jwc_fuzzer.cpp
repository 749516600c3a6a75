// Feeds any bytes to the reader of drawings in the older format. Besides never crashing, a
// successful read must hold exactly the records its header declares, and a repair count must
// come with its notice.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/jwcunit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kyrovane::JwcData tables;
  kyrovane::JwcReadResult result =
      kyrovane::ReadJwcData(std::string_view(reinterpret_cast<const char*>(data), size), tables);
  const kyrovane::jwcunit::THeader& header = tables.JwcHeader;
  bool countsAgree = tables.JwcLines.size() == static_cast<size_t>(header.LineCount) &&
                     tables.JwcArcs.size() == static_cast<size_t>(header.ArcCount) &&
                     tables.JwcTexts.size() == static_cast<size_t>(header.TextCount) &&
                     tables.JwcPoints.size() == static_cast<size_t>(header.PointCount);
  if (result.Ok == !result.Error.empty()) std::abort();
  if (result.Ok && !countsAgree) std::abort();
  if ((result.Repairs > 0) == result.Notice.empty()) std::abort();
  return 0;
}
