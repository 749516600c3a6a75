#include "app/gui/Program.h"

#include <cerrno>
#include <exception>
#include <new>

#include "app/core/AppPaths.h"
#include "app/core/FileErrors.h"
#include "app/gui/CustomColorDialog.h"
#include "app/gui/DetailDialog.h"
#include "app/gui/LayerColorDialog.h"
#include "app/gui/ListWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/SettingsFileDialog.h"

namespace kyrovane::gui {

Program::Program(UiPort& ui) : ui(ui), driver(settings.Env, ui, clock, CacheFolder()) {
  Form1 = std::make_unique<TForm1>(*this);
  Form3 = std::make_unique<TForm3>(*this);
  Form4 = std::make_unique<TForm4>(*this);
  Form5 = std::make_unique<TForm5>(*this);
  Form6 = std::make_unique<TForm6>(*this);
  Form7 = std::make_unique<TForm7>(*this);
}

Program::~Program() = default;

void Program::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::bad_alloc&) {
    ReportError(ErrorCause(ENOMEM));
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

void Program::ReportError(const std::string& message) {
  kyrovane::ReportError(ui, message);
}

bool Program::ConfirmReset(const QString& question) {
  return ui.MessageBox("設定の初期化", question.toStdString(), TMessageIcon::Warning,
                       TMessageButtons::OkCancel, TMessageAnswer::Cancel) == TMessageAnswer::Ok;
}

}  // namespace kyrovane::gui
