#include "app/gui/QtUserInterface.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>

#include "app/gui/PaletteWidgets.h"

namespace kyrovane::gui {
namespace {

QWidget* Owner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

UserInterface::Answer QtUserInterface::MessageBox(const std::string& text,
                                                  const std::string& caption, Buttons buttons,
                                                  Icon icon) {
  QMessageBox box(Owner());
  box.setWindowTitle(QString::fromStdString(caption));
  // Messages break their lines the Windows way.
  box.setText(QString::fromStdString(text).replace("\r\n", "\n"));
  box.setIcon(icon == Icon::Stop      ? QMessageBox::Critical
              : icon == Icon::Warning ? QMessageBox::Warning
                                      : QMessageBox::NoIcon);
  switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok:
      return Answer::Ok;
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

std::optional<TColor> QtUserInterface::ChooseColor(TColor initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), Owner());
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

void QtUserInterface::Beep() {
  QApplication::beep();
}

}  // namespace kyrovane::gui
