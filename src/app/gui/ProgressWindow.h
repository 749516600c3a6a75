#pragma once

// "変換処理中...": the progress window of a conversion. It has no behaviour of its own: the
// conversion sets the bar's maximum and position, shows it without a modal loop and closes it.

#include <QWidget>

class QProgressBar;

namespace kyrovane::gui {

class TForm2 : public QWidget {
  Q_OBJECT

 public:
  TForm2();

  // Shown centred on the screen and painted at once, since a conversion lets no other
  // window message through.
  void ShowWithMaximum(int maximum);
  void SetPosition(int position);

  QProgressBar* ProgressBar1;
};

}  // namespace kyrovane::gui
