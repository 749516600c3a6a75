#pragma once

// "変換処理中...": the progress window of a conversion. It has no behaviour of its own: the
// conversion sets the bar's maximum and position, shows it without a modal loop and closes it;
// the user cannot close it.

#include <QWidget>

class QProgressBar;

namespace kyrovane::gui {

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  TForm2();

  // Shown centred on the screen.
  void ShowWithMaximum(int maximum);
  void SetPosition(int position);

  QProgressBar* ProgressBar1;

 protected:
  // The window manager's close is ignored, so a running conversion never goes on unseen.
  void closeEvent(QCloseEvent* event) override;

 private:
  // Painted at once: a conversion runs to its end without handling the user's input.
  void ShowNow();
};

}  // namespace kyrovane::gui
