#pragma once

// The program: its settings, the user-interface port every window talks through, and the
// windows, created in the order of their numbers and kept until the end.

#include <functional>
#include <memory>
#include <string>

#include <QString>

#include "app/core/ConversionDriver.h"
#include "app/core/UiPort.h"
#include "app/settings/Environment.h"
#include "import/TextVariables.h"

namespace kyrovane::gui {

class TForm1;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;

class Program {
 public:
  explicit Program(UiPort& ui);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs an event handler's work: an error never leaves the handler; it is reported with the
  // application's title as caption.
  void Guarded(const std::function<void()>& work);
  void ReportError(const std::string& message);
  // The reset questions of the settings dialogs, caption "設定の初期化"; true for OK. Enter
  // answers Cancel, which keeps the settings.
  bool ConfirmReset(const QString& question);

  UiPort& ui;
  Settings settings;
  const SystemClock clock;
  // Every conversion of the main window and the list window; it keeps the one drawing model.
  TConversionDriver driver;
  // The progress window belongs to the port, which shows it for the conversions.
  std::unique_ptr<TForm1> Form1;
  std::unique_ptr<TForm3> Form3;
  std::unique_ptr<TForm4> Form4;
  std::unique_ptr<TForm5> Form5;
  std::unique_ptr<TForm6> Form6;
  std::unique_ptr<TForm7> Form7;
};

}  // namespace kyrovane::gui
