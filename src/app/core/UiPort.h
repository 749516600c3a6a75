#pragma once

// Everything the converter shows to the user or asks of them goes through UiPort: file
// dialogs, message boxes, the colour dialog, the shell's "open", the beep, the hourglass cursor
// and the progress window. The windows implement it with real dialogs; tests answer from a
// script and record what was shown. The cursor and the progress window are reached only
// through the guards below, so that they are taken back on every path out of a conversion.
//
// Texts are UTF-8. Line breaks in message texts are "\r\n".

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/PdfColor.h"

namespace kyrovane {

// How a file dialog starts.
struct TFileDialogOptions {
  // Pairs of description and patterns, all joined by "|":
  // "JW_CADデータ形式(*.jww;*.jwc)|*.jww;*.jwc|JW_CAD部品形式(*.jwk)|*.jwk".
  std::string Filter;
  // Added, with a dot, to a name chosen without an extension; empty: nothing is added.
  std::string DefaultSuffix;
  // The folder shown first; empty: the dialog's own choice.
  std::filesystem::path InitialFolder;
  // The name proposed in the dialog: a bare file name or a whole path.
  std::filesystem::path FileName;
  // Save dialogs: ask before an existing file is chosen.
  bool ConfirmOverwrite = false;
};

// The title of save dialogs, and of the questions that come with saving.
inline constexpr std::string_view kSaveDialogCaption = "名前を付けて保存";

enum class TMessageIcon { None, Information, Warning, Stop, Question };
enum class TMessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TMessageAnswer { Ok, Cancel, Yes, No };

class UiPort {
 public:
  virtual ~UiPort() = default;

  // The chosen file; nothing when the dialog is cancelled.
  virtual std::optional<std::filesystem::path> OpenFile(const TFileDialogOptions& Options) = 0;
  // The chosen files in the dialog's order; empty when it is cancelled.
  virtual std::vector<std::filesystem::path> OpenFiles(const TFileDialogOptions& Options) = 0;
  virtual std::optional<std::filesystem::path> SaveFile(const TFileDialogOptions& Options) = 0;

  // A modal message box; returns the button pressed. Enter presses Default, one of the
  // box's buttons, or else the first button; a question that would throw away the user's work
  // names the button that keeps it. Closing the box without a button answers Cancel when
  // there is such a button, otherwise the first button.
  virtual TMessageAnswer MessageBox(std::string_view Caption, std::string_view Text,
                                    TMessageIcon Icon, TMessageButtons Buttons,
                                    std::optional<TMessageAnswer> Default = std::nullopt) = 0;

  // The colour dialog, starting at Initial; nothing when it is cancelled.
  virtual std::optional<TColor> ChooseColor(TColor Initial) = 0;

  // Opens a file with the desktop's application for it; false when none could be started.
  virtual bool ShellOpen(const std::filesystem::path& Path) = 0;

  virtual void Beep() = 0;

 protected:
  friend class THourglass;
  friend class TProgressWindow;

  // Calls come in pairs, possibly nested; the cursor is normal again after the last End.
  virtual void BeginBusyCursor() = 0;
  virtual void EndBusyCursor() = 0;

  // The progress window "変換処理中...": shown without a modal loop, with a bar from 0 to
  // Maximum; no other window input is handled while it is up.
  virtual void ShowProgress(int Maximum) = 0;
  virtual void SetProgressPosition(int Position) = 0;
  virtual void CloseProgress() = 0;
};

// The hourglass cursor while the guard lives.
class THourglass {
 public:
  explicit THourglass(UiPort& Ui) : ui_(Ui) { ui_.BeginBusyCursor(); }
  ~THourglass() { ui_.EndBusyCursor(); }
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;

 private:
  UiPort& ui_;
};

// The progress window, shown at construction at position 0 and closed by Close or at the
// latest when the object goes.
class TProgressWindow {
 public:
  TProgressWindow(UiPort& Ui, int Maximum);
  ~TProgressWindow() { Close(); }
  TProgressWindow(const TProgressWindow&) = delete;
  TProgressWindow& operator=(const TProgressWindow&) = delete;

  void SetPosition(int Position);
  void Close();

 private:
  UiPort& ui_;
  bool open_ = true;
};

// The application's report of an error that ended an action: a message box captioned
// "Kyrovane" with the stop icon. A text that ends in neither "." nor "。" gets "。" after
// Japanese and "." after other text.
void ReportError(UiPort& Ui, std::string_view Text);

}  // namespace kyrovane
