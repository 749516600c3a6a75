// Converts arbitrary bytes as a drawing of the older format (JWC): read, build under settings
// that the last two bytes pick, and page output into a discarded stream. Nothing may crash,
// hang, grow without bound or throw.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "../common/conversion_fuzzing.h"
#include "import/JwcBuilder.h"
#include "import/TextVariables.h"
#include "import/jwcunit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kyrovane;
  JwcData jwc;
  if (!ReadJwcData(std::string_view(reinterpret_cast<const char*>(data), size), jwc).Ok) return 0;

  fuzzing::TConversion conversion(data, size, "/nonexistent/fuzz.jwc");
  BuildJwcDrawing(conversion.page, jwc, conversion.env, conversion.context, SystemClock(),
                  conversion.allArea);
  conversion.Print();
  return 0;
}
