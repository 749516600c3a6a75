#include "gui_test_support.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWindow>

namespace kyrovane::test {

GuiScratch::GuiScratch() {
  for (const char* folder : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"}) {
    qputenv(folder, (dir_.path() + "/" + folder).toUtf8());
  }
  const QString runtime = dir_.path() + "/runtime";
  QDir().mkpath(runtime);
  QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
}

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

void Choose(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

QStringList ButtonTexts(const QWidget* window) {
  QStringList texts;
  for (const QPushButton* button : window->findChildren<QPushButton*>()) texts << button->text();
  return texts;
}

void CloseFromWindowManager(QWidget* window) {
  QCloseEvent close;
  QApplication::sendEvent(window->windowHandle(), &close);
}

void WhenModal(std::function<void(QWidget*)> action) {
  QWidget* before = QApplication::activeModalWidget();
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [before, action, poll] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != before && modal->isVisible()) {
      action(modal);
    } else {
      QTimer::singleShot(5, *poll);
    }
  };
  QTimer::singleShot(0, *poll);
}

}  // namespace kyrovane::test
