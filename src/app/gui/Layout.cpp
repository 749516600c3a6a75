#include "app/gui/Layout.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kyrovane::gui {
namespace {

class TFocusButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      click();
    } else {
      QPushButton::keyPressEvent(event);
    }
  }

  // A flat button that the keyboard has reached is drawn raised: the style then shows its
  // focus as on every other button, where a flat one would show none.
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    if (option.state.testFlags(QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange)) {
      option.features &= ~QStyleOptionButton::Flat;
    }
    painter.drawControl(QStyle::CE_PushButton, option);
  }
};

}  // namespace

QPushButton* PlaceButton(QWidget* parent, const QRect& geometry, const QString& text) {
  QPushButton* button = Place<TFocusButton>(parent, geometry, text);
  button->setAutoDefault(false);
  return button;
}

int TextButtonWidth(const QPushButton* button, const QString& text) {
  const QStyle* style = button->style();
  const int padding = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                      style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
  return button->fontMetrics().horizontalAdvance(text) + 2 * padding;
}

void SetUpDialogWindow(QWidget* window, const QString& caption, int width, int height) {
  window->setWindowTitle(caption);
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::MSWindowsFixedSizeDialogHint);
  window->setFixedSize(width, height);
}

}  // namespace kyrovane::gui
