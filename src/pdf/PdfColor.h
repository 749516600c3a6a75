#pragma once

#include <cstdint>

namespace kyrovane {

// A colour as 0x00BBGGRR: red in the low byte, then green, then blue. Values with the high
// byte set are read by their low three bytes. Settings, drawings and the canvas share it.
using TColor = std::int32_t;

}  // namespace kyrovane
