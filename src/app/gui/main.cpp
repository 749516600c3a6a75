// Kyrovane: turns Jw_cad drawings into PDF files. The program takes no arguments; everything
// is chosen in its windows.

#include <QApplication>

#include "app/gui/ApplicationSetUp.h"
#include "app/gui/MainWindow.h"
#include "app/gui/Program.h"
#include "app/gui/QtUserInterface.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  kyrovane::gui::SetUpApplication();
  kyrovane::gui::QtUserInterface ui;
  kyrovane::gui::Program program(ui);
  ui.SetMainWindow(program.Form1.get());
  program.Form1->Start();
  return QApplication::exec();
}
