#pragma once

// "設定のプロパティ": loads, saves and resets settings files (.kvs) on a copy of the working
// settings, which its caller takes over only when the dialog closes with OK.

#include <QDialog>

class QPushButton;

namespace kyrovane::gui {

class Program;

class TForm7 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm7(Program& program);

  QPushButton* LoadButton;  // "設定を読み込む"
  QPushButton* SaveButton;  // "設定を保存する"
  QPushButton* InitButton;  // "設定を初期化する"
  QPushButton* Button1;     // "OK"
  QPushButton* Button2;     // "キャンセル"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void LoadButtonClick();
  void SaveButtonClick();
  void InitButtonClick();

  Program& program_;
};

}  // namespace kyrovane::gui
