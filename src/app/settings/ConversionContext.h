#pragma once

// What the conversion driver hands to the builders and the text variables for one drawing.

#include <array>
#include <cstdint>
#include <string>

namespace kyrovane {

struct ConversionContext {
  // Path of the drawing being converted, UTF-8 as the file system has it.
  std::string CurrentFileName;
  // 1: layer visibility comes from the two masks below instead of the drawing's layer states.
  uint8_t UseListMasks = 0;
  // Bit g: layer group g is output.
  uint16_t ListGroupMask = 0;
  // Bit l of word g: layer l of group g is output.
  std::array<uint16_t, 16> ListLayerMask{};
};

}  // namespace kyrovane
