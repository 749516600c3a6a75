#include "app/core/UiPort.h"

#include <string>

namespace kyrovane {

TProgressWindow::TProgressWindow(UiPort& Ui, int Maximum) : ui_(Ui) {
  ui_.ShowProgress(Maximum);
  ui_.SetProgressPosition(0);
}

void TProgressWindow::SetPosition(int Position) {
  if (open_) ui_.SetProgressPosition(Position);
}

void TProgressWindow::Close() {
  if (!open_) return;
  open_ = false;
  ui_.CloseProgress();
}

void ReportError(UiPort& Ui, std::string_view Text) {
  std::string message(Text);
  // A Japanese sentence ends in "。", another in ".".
  if (!message.ends_with('.') && !message.ends_with("。")) {
    const bool japanese = !message.empty() && static_cast<unsigned char>(message.back()) >= 0x80;
    message += japanese ? "。" : ".";
  }
  Ui.MessageBox("Kyrovane", message, TMessageIcon::Stop, TMessageButtons::Ok);
}

}  // namespace kyrovane
