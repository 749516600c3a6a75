// Kyrovane: turns Jw_cad drawings into PDF files. The program takes no arguments; everything
// is chosen in its windows.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/gui/AppFont.h"
#include "app/gui/MainWindow.h"
#include "app/gui/Program.h"
#include "app/gui/QtUserInterface.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Kyrovane");
  QGuiApplication::setDesktopFileName("kyrovane");
  // The windows speak Japanese, and so do the standard dialogs and buttons.
  QTranslator translator;
  if (translator.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&translator);
  }
  kyrovane::gui::InstallApplicationFont();
  kyrovane::gui::QtUserInterface ui;
  kyrovane::gui::Program program(ui);
  program.Form1->Start();
  return QApplication::exec();
}
