#include "app/gui/Layout.h"

#include <QPushButton>

namespace kyrovane::gui {

QPushButton* PlaceButton(QWidget* parent, const QRect& geometry, const QString& text) {
  auto* button = Place<QPushButton>(parent, geometry, text);
  button->setAutoDefault(false);
  return button;
}

void SetUpDialogWindow(QWidget* window, const QString& caption, int width, int height) {
  window->setWindowTitle(caption);
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint);
  window->setFixedSize(width, height);
}

}  // namespace kyrovane::gui
