#pragma once

// "カスタム色設定": the colour values of the eight custom palette entries, chosen in the colour
// dialog and written into the working settings at once.

#include <QDialog>

#include "app/settings/IndexedArray.h"

class QFrame;
class QPushButton;

namespace kyrovane::gui {

class Program;

class TForm5 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm5(Program& program);

  IndexedArray<QPushButton*, 1, 8> Button;  // "カスタム色１" .. "カスタム色８"
  IndexedArray<QFrame*, 1, 8> Panel;
  QPushButton* Button9;   // "設定完了"
  QPushButton* Button10;  // "設定初期化"

 protected:
  void showEvent(QShowEvent* event) override;
  // Escape asks the reset question; there is no other way to cancel.
  void reject() override;
  // The window manager's close button, which the dialog does not ask for, and Alt+F4 are
  // "設定完了": they never reset the colours.
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormShow();
  void ButtonClick(int button);
  void Button10Click();

  Program& program_;
};

}  // namespace kyrovane::gui
