#pragma once

// What the program sets up before its first window: its name, the Japanese texts of Qt's own
// dialogs and buttons, and the windows' font. The windows are laid out for the Japanese UI
// fonts "ＭＳ Ｐゴシック" and "ＭＳ ゴシック" at 12 pixels; those families map to the CJK
// fonts installed here (IPA or Noto), so that no caption shows as boxes.

namespace kyrovane::gui {

// Call once, after the application object exists.
void SetUpApplication();

}  // namespace kyrovane::gui
