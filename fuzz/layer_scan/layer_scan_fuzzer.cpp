// Reads arbitrary bytes as a JWW drawing and finds what its layers hold, blocks and their
// nested, cyclic or missing inserts included. Nothing may crash, hang or throw.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/core/LayerScan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kyrovane;
  jwwunit::JwwData jww;
  if (!jwwunit::ParseJwwFile(std::string_view(reinterpret_cast<const char*>(data), size), jww)) {
    return 0;
  }
  UsedLayersOf(jww);
  return 0;
}
