#pragma once

// The windows are laid out for the Japanese UI fonts "ＭＳ Ｐゴシック" and "ＭＳ ゴシック" at
// 12 pixels. Those families map to the CJK fonts installed here (IPA or Noto), so that no
// caption shows as boxes and the sizes stay as laid out.

#include <QFont>

namespace kyrovane::gui {

// Registers the mappings and makes the proportional family the application's font.
void InstallApplicationFont();

// "ＭＳ Ｐゴシック", 12 pixels.
QFont WindowFont();

}  // namespace kyrovane::gui
