// Converts arbitrary bytes as a parts file (JWK): read, build under settings that the last two
// bytes pick, and page output into a discarded stream on one unturned page. Nothing may crash,
// hang, grow without bound or throw.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "../common/conversion_fuzzing.h"
#include "import/JwkBuilder.h"
#include "import/TextVariables.h"
#include "import/jwkunit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kyrovane;
  JwkData jwk;
  if (!ReadJwkData(std::string_view(reinterpret_cast<const char*>(data), size), jwk).Ok) return 0;

  fuzzing::TConversion conversion(data, size, "/nonexistent/fuzz.jwk");
  BuildJwkDrawing(conversion.page, jwk, conversion.env, conversion.context, SystemClock());
  conversion.tiles = 1;
  conversion.rotation = 0;
  conversion.Print();
  return 0;
}
