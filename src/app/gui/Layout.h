#pragma once

// The windows have fixed client areas with their controls at fixed places, as they were
// designed; these helpers create a control and place it in one step.

#include <QRect>
#include <QString>
#include <QWidget>

class QPushButton;

namespace kyrovane::gui {

template <class Control, class... Args>
Control* Place(QWidget* parent, const QRect& geometry, Args&&... args) {
  auto* control = new Control(std::forward<Args>(args)..., parent);
  control->setGeometry(geometry);
  return control;
}

// A push button that Enter presses while it has the focus, as Space does. It is no dialog's
// default button: Enter pressed in another control never reaches it. Made flat, it still shows
// the focus that the keyboard gives it.
QPushButton* PlaceButton(QWidget* parent, const QRect& geometry, const QString& text);

// The width a push button needs to show `text` whole in its font and style.
int TextButtonWidth(const QPushButton* button, const QString& text);

// A dialog window with a caption and a fixed client size, without border icons.
void SetUpDialogWindow(QWidget* window, const QString& caption, int width, int height);

// Places a window that is being shown in the middle of its screen's work area, frame included.
// Before its first showing its frame is taken to be like those of the program's shown windows.
void CentreOnScreen(QWidget* window);

}  // namespace kyrovane::gui
