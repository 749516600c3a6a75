#pragma once

// Which layer groups and layers of a drawing hold graphics and which hold text, for the marks
// of the list window's layer buttons and for its layer split.

#include <array>
#include <cstdint>

#include "app/core/ListFiles.h"
#include "import/jwwunit.h"

namespace kyrovane {

class UiPort;

// Per layer group, bit l set when layer l holds graphics (Graphics) or text (Text).
struct TUsedLayers {
  std::array<uint16_t, 16> Graphics{};
  std::array<uint16_t, 16> Text{};
};

// What the layers of a JWW drawing hold: every record counts for its own layer, a dimension
// as both, a block insert with whatever its block holds, nested inserts included.
TUsedLayers UsedLayersOf(const jwwunit::JwwData& Jww);

// Fills the entry's used and text masks from its drawing (JWW or JWC), takes the drawing's
// memo and marks the entry scanned. A block insert counts for its own layer with whatever its
// block holds, nested inserts included. A missing or invalid drawing, or one of another kind,
// leaves the masks 0 and the memo as it was, and is marked scanned all the same. A drawing
// that cannot be read or is damaged raises EDrawingRefused and the entry stays unscanned.
void ScanUsedLayers(TListEntry& Entry, UiPort& Ui);

}  // namespace kyrovane
