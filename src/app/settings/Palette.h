#pragma once

// The 31-entry colour palette that settings refer to by index.
//
// Colours are TColor values (0x00BBGGRR); drawings store their own RGB colours (solids of pen
// colour 10) in the same form.

#include <cstdint>
#include <string_view>

#include "pdf/PdfColor.h"

namespace kyrovane {

struct REnvironment;

inline constexpr int kPaletteSize = 31;
inline constexpr int kFirstCustomColor = 23;  // indexes 23..30 are CustomColor[0..7]

// The colour of a palette index: 0..22 the fixed colours, 23..30 the custom colours of env,
// which is to be the working record Env whichever record the index came from. Any other index,
// negative ones included, gives black.
TColor ColorIndexToColor(int32_t Index, const REnvironment& env);

// The name under which the colour boxes list an index (UTF-8); empty outside 0..30.
std::string_view PaletteColorName(int32_t index);

}  // namespace kyrovane
