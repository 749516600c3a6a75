// Converts arbitrary bytes as a JWW drawing: read, build under settings that the last two
// bytes pick, and page output into a discarded stream. Nothing may crash, hang, grow without
// bound or throw.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "../common/conversion_fuzzing.h"
#include "import/JwwBuilder.h"
#include "import/TextVariables.h"
#include "import/jwwunit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kyrovane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  jwwunit::JwwData jww;
  if (!jwwunit::ParseJwwFile(bytes, jww)) return 0;

  fuzzing::TConversion conversion(data, size, "/nonexistent/fuzz.jww");
  conversion.page.Output.ReverseOrder = jww.JwwHeader.ReverseOrderFlag > 0 ? 1 : 0;
  BuildJwwDrawing(conversion.page, jww, conversion.env, conversion.context, SystemClock(),
                  conversion.allArea);
  conversion.Print();
  return 0;
}
