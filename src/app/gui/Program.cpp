#include "app/gui/Program.h"

#include <exception>

#include "app/gui/CustomColorDialog.h"
#include "app/gui/DetailDialog.h"
#include "app/gui/LayerColorDialog.h"
#include "app/gui/MainWindow.h"
#include "app/gui/ProgressWindow.h"
#include "app/gui/SettingsFileDialog.h"

namespace kyrovane::gui {

Program::Program(UserInterface& ui) : ui(ui) {
  Form1 = std::make_unique<TForm1>(*this);
  Form2 = std::make_unique<TForm2>();
  Form3 = std::make_unique<TForm3>(*this);
  Form4 = std::make_unique<TForm4>(*this);
  Form5 = std::make_unique<TForm5>(*this);
  Form7 = std::make_unique<TForm7>(*this);
}

Program::~Program() = default;

void Program::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const EAbort&) {
    // Raised after a message of its own: nothing more to say.
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

void Program::ReportError(const std::string& message) {
  std::string text = message;
  if (!text.empty() && text.back() != '.') text += '.';
  ui.MessageBox(text, "Kyrovane", UserInterface::Buttons::Ok, UserInterface::Icon::Stop);
}

void Program::Beep() {
  ui.Beep();
}

bool Program::ConfirmReset(const QString& question) {
  return ui.MessageBox(question.toStdString(), "設定の初期化", UserInterface::Buttons::OkCancel,
                       UserInterface::Icon::Warning) == UserInterface::Answer::Ok;
}

std::optional<TColor> Program::ChooseColor(TColor initial) {
  return ui.ChooseColor(initial);
}

}  // namespace kyrovane::gui
