#pragma once

// A user-interface port that answers from a script and records what the program showed, for
// tests and the test tools.

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/core/UiPort.h"

namespace kyrovane::test {

class ScriptedUi final : public UiPort {
 public:
  // Answers, taken from the front. When a queue is empty, file and colour dialogs are
  // cancelled and message boxes answer with their first button.
  std::deque<std::optional<std::filesystem::path>> OpenAnswers;
  std::deque<std::vector<std::filesystem::path>> OpenFilesAnswers;
  std::deque<std::optional<std::filesystem::path>> SaveAnswers;
  std::deque<TMessageAnswer> MessageAnswers;
  std::deque<std::optional<TColor>> ColorAnswers;
  // Whether the desktop has an application to open files with.
  bool ShellOpens = true;
  // Run while a message is shown, before it is answered.
  std::function<void()> WhileMessageShown;

  enum class TDialogKind { Open, OpenFiles, Save };
  struct TDialog {
    TDialogKind Kind;
    TFileDialogOptions Options;
  };
  struct TMessage {
    std::string Caption;
    std::string Text;
    TMessageIcon Icon;
    TMessageButtons Buttons;
    std::optional<TMessageAnswer> Default;
  };

  // What was shown, in order.
  std::vector<TDialog> Dialogs;
  std::vector<TMessage> Messages;
  std::vector<std::filesystem::path> Opened;  // shell opens
  int Beeps = 0;
  int BusyDepth = 0;  // hourglass guards alive now
  int BusyShown = 0;  // hourglass guards made so far
  bool ProgressUp = false;
  int ProgressShown = 0;
  int ProgressMaximum = 0;
  std::vector<int> ProgressPositions;  // every position set, 0 on showing included

  std::optional<std::filesystem::path> OpenFile(const TFileDialogOptions& Options) override;
  std::vector<std::filesystem::path> OpenFiles(const TFileDialogOptions& Options) override;
  std::optional<std::filesystem::path> SaveFile(const TFileDialogOptions& Options) override;
  TMessageAnswer MessageBox(std::string_view Caption, std::string_view Text, TMessageIcon Icon,
                            TMessageButtons Buttons,
                            std::optional<TMessageAnswer> Default = std::nullopt) override;
  std::optional<TColor> ChooseColor(TColor Initial) override;
  bool ShellOpen(const std::filesystem::path& Path) override {
    Opened.push_back(Path);
    return ShellOpens;
  }
  void Beep() override { ++Beeps; }

 protected:
  void BeginBusyCursor() override;
  void EndBusyCursor() override { --BusyDepth; }
  void ShowProgress(int Maximum) override;
  void SetProgressPosition(int Position) override { ProgressPositions.push_back(Position); }
  void CloseProgress() override { ProgressUp = false; }
};

}  // namespace kyrovane::test
