#include "app/gui/SettingsFileDialog.h"

#include <QPushButton>
#include <QShowEvent>

#include "app/core/SettingsFiles.h"
#include "app/gui/Layout.h"
#include "app/gui/MainWindow.h"
#include "app/gui/Program.h"

namespace kyrovane::gui {
namespace {

TFileDialogOptions SettingsFileDialog() {
  TFileDialogOptions options;
  options.Filter = "設定ファイル(*.kvs)|*.kvs";
  options.DefaultSuffix = "kvs";
  return options;
}

}  // namespace

TForm7::TForm7(Program& program) : program_(program) {
  SetUpDialogWindow(this, "設定のプロパティ", 200, 150);
  LoadButton = PlaceButton(this, QRect(24, 8, 152, 25), "設定を読み込む");
  SaveButton = PlaceButton(this, QRect(24, 39, 152, 25), "設定を保存する");
  InitButton = PlaceButton(this, QRect(24, 70, 152, 25), "設定を初期化する");
  Button1 = PlaceButton(this, QRect(24, 117, 74, 25), "OK");
  Button2 = PlaceButton(this, QRect(102, 117, 74, 25), "キャンセル");
  connect(LoadButton, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { LoadButtonClick(); }); });
  connect(SaveButton, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { SaveButtonClick(); }); });
  connect(InitButton, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { InitButtonClick(); }); });
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm7::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CentreOnScreen(this);
  program_.settings.PropertyEnv = program_.settings.Env;
}

void TForm7::LoadButtonClick() {
  const std::optional<std::filesystem::path> path = program_.ui.OpenFile(SettingsFileDialog());
  if (path) ReadSettingsFile(*path, program_.settings.PropertyEnv, program_.ui);
}

void TForm7::SaveButtonClick() {
  const std::optional<std::filesystem::path> path = program_.ui.SaveFile(SettingsFileDialog());
  if (!path) return;
  THourglass hourglass(program_.ui);
  const QWidget* mainWindow = program_.Form1.get();
  WriteSettingsFile(*path, program_.settings.PropertyEnv, mainWindow->y(), mainWindow->x());
}

void TForm7::InitButtonClick() {
  if (!program_.ConfirmReset("設定を初期化しますか？")) return;
  ResetEnvironment(program_.settings.PropertyEnv);
}

}  // namespace kyrovane::gui
