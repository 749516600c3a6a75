#include "app/gui/Layout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
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

QMargins FrameOf(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

// The frame the window manager puts round `window`. Before its first showing it has none yet;
// the program's other windows, decorated alike, tell how large it will be.
QMargins ExpectedFrame(const QWidget* window) {
  if (const QMargins own = FrameOf(window); !own.isNull()) return own;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other == window || !other->isVisible() || other->isMinimized()) continue;
    if (const QMargins frame = FrameOf(other); !frame.isNull()) return frame;
  }
  return {};
}

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

void CentreOnScreen(QWidget* window) {
  const QMargins frame = ExpectedFrame(window);
  QRect outer = QRect(QPoint(), window->size()).marginsAdded(frame);
  outer.moveCenter(window->screen()->availableGeometry().center());
  // Placed by its client area: a place given for the frame is taken for the client area as
  // long as the window manager has not framed the window, and the frame's place only later.
  window->setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window->size()));
}

}  // namespace kyrovane::gui
