#pragma once

// "レイヤーの色": the palette index of each of the 256 layers, one layer group at a time.
// Every change goes into the working settings at once; only the caller's cancel of the detail
// dialog undoes it.

#include <QDialog>

#include "app/settings/IndexedArray.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace kyrovane::gui {

class Program;

class TForm4 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm4(Program& program);

  int SelectedGroup() const;
  void SelectGroup(int group);

  QButtonGroup* TabControl1;  // the 16 layer groups, in two rows
  QLabel* LayerGroup1;
  IndexedArray<QComboBox*, 1, 16> LayerColor;
  IndexedArray<QFrame*, 1, 16> Panel;
  QPushButton* Button2;  // "レイヤー０の色で統一する"
  QPushButton* Button4;  // "レイヤーグループ０からコピー"
  QPushButton* Button5;  // "このレイヤーグループの色をすべてのレイヤーグループに適用する"
  QPushButton* Button1;  // "設定完了"
  QPushButton* Button3;  // "設定初期化"

 protected:
  void showEvent(QShowEvent* event) override;
  // Escape asks the reset question; there is no other way to cancel.
  void reject() override;
  // The window manager's close button, which the dialog does not ask for, and Alt+F4 are
  // "設定完了": they never reset the colours.
  void closeEvent(QCloseEvent* event) override;

 private:
  void TabControl1Change();
  void LayerColorChange(int list);
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();

  Program& program_;
  bool filling_ = false;
};

}  // namespace kyrovane::gui
