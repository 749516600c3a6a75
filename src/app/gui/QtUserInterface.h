#pragma once

// The user-interface port in real windows: Qt's message boxes, file and colour dialogs, the
// progress window, the busy cursor, the system beep and the desktop's opener.

#include "app/core/UserInterface.h"

namespace kyrovane::gui {

class QtUserInterface : public UserInterface {
 public:
  Answer MessageBox(const std::string& text, const std::string& caption, Buttons buttons,
                    Icon icon) override;
  std::optional<TColor> ChooseColor(TColor initial) override;
  void Beep() override;
};

}  // namespace kyrovane::gui
