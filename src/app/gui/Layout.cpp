#include "app/gui/Layout.h"

namespace kyrovane::gui {

void SetUpDialogWindow(QWidget* window, const QString& caption, int width, int height) {
  window->setWindowTitle(caption);
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint);
  window->setFixedSize(width, height);
}

}  // namespace kyrovane::gui
