// Writes PNG pictures of the program's windows as a user sees them: the main window in both
// modes, the three pages of "詳細設定", "レイヤーの色", "カスタム色設定", "設定のプロパティ" and
// "リスト編集" holding a few real drawings, one of them selected.
//   kyrovane-screenshots OUTPUT_FOLDER   (run on a real display, e.g. under Xvfb)

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <cstdio>

#include "app/gui/ApplicationSetUp.h"
#include "app/gui/CustomColorDialog.h"
#include "app/gui/DetailDialog.h"
#include "app/gui/LayerColorDialog.h"
#include "app/gui/ListWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/Program.h"
#include "app/gui/QtUserInterface.h"
#include "app/gui/SettingsFileDialog.h"

namespace {

bool Save(QWidget* window, const QString& folder, const QString& name) {
  window->show();
  window->raise();
  QApplication::processEvents();
  const QString path = folder + "/" + name + ".png";
  const bool saved = window->grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kyrovane-screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);
  kyrovane::gui::SetUpApplication();
  kyrovane::gui::QtUserInterface ui;
  kyrovane::gui::Program program(ui);

  program.Form1->Start();
  bool ok = Save(program.Form1.get(), folder, "main-basic");
  program.Form1->Mode1->click();
  ok &= Save(program.Form1.get(), folder, "main-detail");
  program.Form1->hide();
  const char* pages[] = {"detail-lines", "detail-patterns", "detail-other"};
  for (int page = 0; page < 3; ++page) {
    program.Form3->PageControl1->setCurrentIndex(page);
    ok &= Save(program.Form3.get(), folder, pages[page]);
  }
  program.Form3->hide();
  ok &= Save(program.Form4.get(), folder, "layer-colors");
  program.Form4->hide();
  ok &= Save(program.Form5.get(), folder, "custom-colors");
  program.Form5->hide();
  ok &= Save(program.Form7.get(), folder, "settings-files");
  program.Form7->hide();
  const std::filesystem::path drawings = std::filesystem::weakly_canonical(KYROVANE_JW230);
  kyrovane::TListEditor& list = program.Form6->Editor;
  list.AddDrawings({drawings / "Ａマンション平面例-230.jww", drawings / "木造平面例-230.jww",
                    drawings / "Test6-230.jww", drawings / "2blocks-230.jww"});
  list.Select(2);                                          // groups 0-3, 8 and D-F hold something
  list.GroupButtonDown(3, kyrovane::TMouseButton::Right);  // shows group 3, pressed
  ok &= Save(program.Form6.get(), folder, "list");
  return ok ? 0 : 1;
}
