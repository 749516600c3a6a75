#include "app/core/scripted_ui.h"

namespace kyrovane::test {
namespace {

template <class T>
T TakeOr(std::deque<T>& answers, T otherwise) {
  if (answers.empty()) return otherwise;
  T answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

TMessageAnswer FirstButton(TMessageButtons buttons) {
  switch (buttons) {
    case TMessageButtons::Ok:
    case TMessageButtons::OkCancel:
      return TMessageAnswer::Ok;
    case TMessageButtons::YesNo:
    case TMessageButtons::YesNoCancel:
      return TMessageAnswer::Yes;
  }
  return TMessageAnswer::Ok;
}

}  // namespace

std::optional<std::filesystem::path> ScriptedUi::OpenFile(const TFileDialogOptions& Options) {
  Dialogs.push_back({TDialogKind::Open, Options});
  return TakeOr(OpenAnswers, {});
}

std::vector<std::filesystem::path> ScriptedUi::OpenFiles(const TFileDialogOptions& Options) {
  Dialogs.push_back({TDialogKind::OpenFiles, Options});
  return TakeOr(OpenFilesAnswers, {});
}

std::optional<std::filesystem::path> ScriptedUi::SaveFile(const TFileDialogOptions& Options) {
  Dialogs.push_back({TDialogKind::Save, Options});
  return TakeOr(SaveAnswers, {});
}

TMessageAnswer ScriptedUi::MessageBox(std::string_view Caption, std::string_view Text,
                                      TMessageIcon Icon, TMessageButtons Buttons,
                                      std::optional<TMessageAnswer> Default) {
  Messages.push_back({std::string(Caption), std::string(Text), Icon, Buttons, Default});
  if (WhileMessageShown) WhileMessageShown();
  return TakeOr(MessageAnswers, FirstButton(Buttons));
}

std::optional<TColor> ScriptedUi::ChooseColor(TColor) {
  return TakeOr(ColorAnswers, {});
}

void ScriptedUi::BeginBusyCursor() {
  ++BusyDepth;
  ++BusyShown;
}

void ScriptedUi::ShowProgress(int Maximum) {
  ProgressUp = true;
  ++ProgressShown;
  ProgressMaximum = Maximum;
}

}  // namespace kyrovane::test
