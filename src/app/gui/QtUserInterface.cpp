#include "app/gui/QtUserInterface.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>
#include <QWindow>
#include <utility>

#include "app/gui/PaletteWidgets.h"
#include "app/gui/ProgressWindow.h"

namespace kyrovane::gui {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// "Description|*.a;*.b|…" as Qt's filters: the description as it reads, the patterns in
// brackets that the dialog does not show.
QStringList NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  }
  return filters;
}

// A dialog set up from the options; the chosen files, none when cancelled.
QStringList RunFileDialog(QWidget* owner, const TFileDialogOptions& options,
                          QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode) {
  const bool saving = mode == QFileDialog::AcceptSave;
  QFileDialog dialog(owner, saving ? FromUtf8(kSaveDialogCaption) : "開く");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.ConfirmOverwrite);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(fileMode);
  dialog.setNameFilters(NameFilters(options.Filter));
  dialog.setDefaultSuffix(QString::fromStdString(options.DefaultSuffix));
  if (!options.InitialFolder.empty()) dialog.setDirectory(FromPath(options.InitialFolder));
  if (!options.FileName.empty()) {
    const std::filesystem::path& name = options.FileName;
    if (name.has_parent_path()) dialog.setDirectory(FromPath(name.parent_path()));
    dialog.selectFile(FromPath(name.filename()));
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

// Each answer with the message box's button that gives it.
constexpr std::pair<TMessageAnswer, QMessageBox::StandardButton> kAnswerButtons[] = {
    {TMessageAnswer::Ok, QMessageBox::Ok},
    {TMessageAnswer::Cancel, QMessageBox::Cancel},
    {TMessageAnswer::Yes, QMessageBox::Yes},
    {TMessageAnswer::No, QMessageBox::No}};

std::filesystem::path ToPath(const QString& file) {
  return std::filesystem::path(file.toStdString());
}

// While held-back input is handled: the user's input is discarded, and of the window manager's
// closes only the main window's passes, to its window and then to the widget (on X the main
// window catches its close before, during the whole conversion).
class HeldInputFilter : public QObject {
 public:
  explicit HeldInputFilter(const QWidget* mainWindow) : mainWindow_(mainWindow) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!event->spontaneous()) return false;
    if (event->type() == QEvent::Close) {
      return !mainWindow_ || (watched != mainWindow_ && watched != mainWindow_->windowHandle());
    }
    return event->isInputEvent();
  }

 private:
  const QWidget* mainWindow_;
};

}  // namespace

QtUserInterface::QtUserInterface() : progress_(std::make_unique<TForm2>()) {}

QtUserInterface::~QtUserInterface() = default;

void QtUserInterface::HandleHeldInput() {
  if (!std::exchange(inputHeld_, false)) return;
  HeldInputFilter filter(mainWindow_);
  qApp->installEventFilter(&filter);
  QApplication::processEvents();
  qApp->removeEventFilter(&filter);
}

QWidget* QtUserInterface::Owner() {
  HandleHeldInput();
  // The progress window stays on top of every other window while a conversion runs.
  if (progress_->isVisible()) return progress_.get();
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  // Not the active window: between two dialogs the window manager may not have given the
  // activation back yet.
  if (mainWindow_ && mainWindow_->isVisible() && !mainWindow_->isMinimized()) return mainWindow_;
  // A minimised window would hide the message with it: the message then stands alone.
  QWidget* active = QApplication::activeWindow();
  return active && !active->isMinimized() ? active : nullptr;
}

std::optional<std::filesystem::path> QtUserInterface::OpenFile(const TFileDialogOptions& Options) {
  const QStringList files =
      RunFileDialog(Owner(), Options, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
  if (files.isEmpty()) return std::nullopt;
  return ToPath(files.first());
}

std::vector<std::filesystem::path> QtUserInterface::OpenFiles(const TFileDialogOptions& Options) {
  std::vector<std::filesystem::path> paths;
  for (const QString& file :
       RunFileDialog(Owner(), Options, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles)) {
    paths.push_back(ToPath(file));
  }
  return paths;
}

std::optional<std::filesystem::path> QtUserInterface::SaveFile(const TFileDialogOptions& Options) {
  const QStringList files =
      RunFileDialog(Owner(), Options, QFileDialog::AcceptSave, QFileDialog::AnyFile);
  if (files.isEmpty()) return std::nullopt;
  return ToPath(files.first());
}

TMessageAnswer QtUserInterface::MessageBox(std::string_view Caption, std::string_view Text,
                                           TMessageIcon Icon, TMessageButtons Buttons,
                                           std::optional<TMessageAnswer> Default) {
  QWidget* owner = Owner();
  QMessageBox box(owner);
  // In front of its owner also when that one stays on top of other windows.
  if (owner && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  box.setWindowTitle(FromUtf8(Caption));
  // Messages break their lines the Windows way.
  box.setText(FromUtf8(Text).replace("\r\n", "\n"));
  switch (Icon) {
    case TMessageIcon::None:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case TMessageIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case TMessageIcon::Warning:
      box.setIcon(QMessageBox::Warning);
      break;
    case TMessageIcon::Stop:
      box.setIcon(QMessageBox::Critical);
      break;
    case TMessageIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
  }
  switch (Buttons) {
    case TMessageButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case TMessageButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case TMessageButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case TMessageButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  for (const auto& [answer, button] : kAnswerButtons) {
    if (Default == answer) box.setDefaultButton(button);
  }
  const int pressed = box.exec();
  for (const auto& [answer, button] : kAnswerButtons) {
    if (pressed == button) return answer;
  }
  // Closed without a button: Cancel where there is one, otherwise the first button.
  return Buttons == TMessageButtons::Ok      ? TMessageAnswer::Ok
         : Buttons == TMessageButtons::YesNo ? TMessageAnswer::Yes
                                             : TMessageAnswer::Cancel;
}

std::optional<TColor> QtUserInterface::ChooseColor(TColor Initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(Initial), Owner(), QString(),
                                               QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

bool QtUserInterface::ShellOpen(const std::filesystem::path& Path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(Path)));
}

void QtUserInterface::Beep() {
  QApplication::beep();
}

void QtUserInterface::BeginBusyCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::EndBusyCursor() {
  QApplication::restoreOverrideCursor();
}

void QtUserInterface::ShowProgress(int Maximum) {
  progress_->ShowWithMaximum(Maximum);
  inputHeld_ = true;
}

void QtUserInterface::SetProgressPosition(int Position) {
  progress_->SetPosition(Position);
  inputHeld_ = true;
}

void QtUserInterface::CloseProgress() {
  progress_->close();
  HandleHeldInput();
}

}  // namespace kyrovane::gui
