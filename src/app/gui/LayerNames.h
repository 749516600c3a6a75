#pragma once

#include <QString>

namespace kyrovane::gui {

// Layer groups and layers 0..15 as the windows show them: "０".."９", "Ａ".."Ｆ".
QString FullWidthHexDigit(int digit);

}  // namespace kyrovane::gui
