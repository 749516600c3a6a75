#include "app/gui/ProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QProgressBar>

#include "app/gui/Layout.h"

namespace kyrovane::gui {

TForm2::TForm2() {
  setWindowTitle("変換処理中...");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(168, 32);
  ProgressBar1 = Place<QProgressBar>(this, QRect(8, 8, 152, 16));
  ProgressBar1->setMinimum(0);
  ProgressBar1->setTextVisible(false);
}

void TForm2::ShowWithMaximum(int maximum) {
  ProgressBar1->setMaximum(maximum);
  ProgressBar1->setValue(0);
  CentreOnScreen(this);
  show();
  ShowNow();
}

void TForm2::SetPosition(int position) {
  ProgressBar1->setValue(position);
  ShowNow();
}

void TForm2::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) event->ignore();
}

void TForm2::ShowNow() {
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace kyrovane::gui
