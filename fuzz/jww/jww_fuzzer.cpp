// Feeds arbitrary bytes to the JWW reader: it must refuse or read them, never misbehave, and
// a successful read must leave tables whose block look-ups agree with each other.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/jwwunit.h"

using namespace kyrovane::jwwunit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  JwwData tables;
  if (!ParseJwwFile(bytes, tables)) {
    if (!tables.JwwLines.empty() || tables.JwwBlocks.BlockCount() != 0) std::abort();
    return 0;
  }
  const TJWWBlockList& blocks = tables.JwwBlocks;
  for (uint32_t number : blocks.BlockNumbers()) {
    CDataList definition;
    if (!blocks.GetBlock(number, definition) || definition.BlockNumber != number) std::abort();
    const std::size_t count = blocks.EntityCount(number);
    for (std::size_t i = 0; i < count; ++i) {
      if (blocks.GetKind(number, i) > kJwwInsert || !blocks.GetItem(number, i)) std::abort();
    }
    if (blocks.GetKind(number, count) != kJwwNoMember) std::abort();
  }
  return 0;
}
