#pragma once

// The user-interface port in real windows: Qt's message boxes, file and colour dialogs (Qt's
// own, so that they look and match file names alike everywhere), the progress window, the
// busy cursor, the system beep and the desktop's opener.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "app/core/UiPort.h"

namespace kyrovane::gui {

class TForm2;

class QtUserInterface : public UiPort {
 public:
  QtUserInterface();
  ~QtUserInterface() override;

  // The window that dialogs and messages belong to when no other window is in front of it.
  void SetMainWindow(QWidget* Window) { mainWindow_ = Window; }

  std::optional<std::filesystem::path> OpenFile(const TFileDialogOptions& Options) override;
  std::vector<std::filesystem::path> OpenFiles(const TFileDialogOptions& Options) override;
  std::optional<std::filesystem::path> SaveFile(const TFileDialogOptions& Options) override;
  TMessageAnswer MessageBox(std::string_view Caption, std::string_view Text, TMessageIcon Icon,
                            TMessageButtons Buttons,
                            std::optional<TMessageAnswer> Default = std::nullopt) override;
  std::optional<TColor> ChooseColor(TColor Initial) override;
  bool ShellOpen(const std::filesystem::path& Path) override;
  void Beep() override;

 protected:
  void BeginBusyCursor() override;
  void EndBusyCursor() override;
  void ShowProgress(int Maximum) override;
  void SetProgressPosition(int Position) override;
  void CloseProgress() override;

 private:
  // The input held back while the progress window was up, handled before a message blocks
  // the windows and when the progress window closes: the main window's close reaches it, all
  // other input is discarded, so that no click made during a conversion acts after it.
  void HandleHeldInput();
  // The window a dialog or message is placed over and kept in front of.
  QWidget* Owner();

  std::unique_ptr<TForm2> progress_;
  QPointer<QWidget> mainWindow_;
  bool inputHeld_ = false;
};

}  // namespace kyrovane::gui
