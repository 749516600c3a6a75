#include "app/gui/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "app/core/AppPaths.h"
#include "app/core/PluginNotice.h"
#include "app/core/SettingsFiles.h"
#include "app/gui/DetailDialog.h"
#include "app/gui/FileTypes.h"
#include "app/gui/Layout.h"
#include "app/gui/ListWindow.h"
#include "app/gui/Program.h"
#include "app/gui/WindowManagerClose.h"

namespace kyrovane::gui {
namespace {

constexpr int kSnapDistance = 16;
constexpr int kHeight = 138;
constexpr int kMargin = 8;    // around and between the two columns
constexpr int kGap = 4;       // between two buttons of a row
constexpr int kLabelGap = 3;  // between a label and its list
constexpr int kMoveSettleMs = 300;

// The four snap rules: an edge closer than the snap distance to the work area's edge, or
// beyond it, goes onto it; the right and bottom rules come last.
QPoint Snapped(const QRect& frame, const QRect& area) {
  QPoint at = frame.topLeft();
  const int right = frame.x() + frame.width();
  const int bottom = frame.y() + frame.height();
  const int areaRight = area.x() + area.width();
  const int areaBottom = area.y() + area.height();
  if (frame.x() - area.x() < kSnapDistance) at.setX(area.x());
  if (frame.y() - area.y() < kSnapDistance) at.setY(area.y());
  if (areaRight - right < kSnapDistance) at.setX(areaRight - frame.width());
  if (areaBottom - bottom < kSnapDistance) at.setY(areaBottom - frame.height());
  return at;
}

}  // namespace

TForm1::TForm1(Program& program) : program_(program) {
  setWindowTitle("Kyrovane Ver.1.30α43");
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

  // Designed places; FitToTexts widens what the fonts in use need.
  Button1 = PlaceButton(this, QRect(8, 8, 152, 27), "PDF変換開始");
  pdfopen1 = Place<QCheckBox>(this, QRect(8, 42, 152, 18), "変換後にPDFファイルを開く");
  pdfopen1->setChecked(true);
  PreView1 = Place<QCheckBox>(this, QRect(8, 62, 152, 18), "プレビューのみ");
  AllArea1 = Place<QCheckBox>(this, QRect(8, 82, 152, 18), "印刷範囲を無視する");
  Button3 = PlaceButton(this, QRect(8, 106, 96, 25), "リスト編集");
  Mode1 = PlaceButton(this, QRect(108, 106, 52, 25), ">>詳細");
  Mode1->setFlat(true);

  specialLabel_ = Place<QLabel>(this, QRect(176, 10, 30, 20), "特殊");
  Angle1 = Place<QComboBox>(this, QRect(208, 9, 81, 21));
  Angle1->addItems({"標準", "90度", "180度", "270度", "A3出力", "A4出力", "50%出力"});
  tilesLabel_ = Place<QLabel>(this, QRect(176, 38, 64, 20), "印刷分割数");
  Dim1 = Place<QComboBox>(this, QRect(240, 37, 36, 21));
  Dim1->addItems({"1", "2", "4", "8", "16"});
  sheetsLabel_ = Place<QLabel>(this, QRect(279, 38, 14, 20), "枚");
  IniSave1 = Place<QCheckBox>(this, QRect(176, 66, 116, 18), "環境を保存する");
  Button2 = PlaceButton(this, QRect(176, 106, 113, 25), "詳細設定");
  Button2->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  FitToTexts();
  setFixedSize(detailWidth_, kHeight);

  const auto guarded = [this](void (TForm1::*handler)()) {
    return [this, handler] { program_.Guarded([this, handler] { (this->*handler)(); }); };
  };
  connect(Button1, &QPushButton::clicked, this, guarded(&TForm1::Button1Click));
  connect(Button2, &QPushButton::clicked, this, guarded(&TForm1::Button2Click));
  connect(Button3, &QPushButton::clicked, this, guarded(&TForm1::Button3Click));
  connect(Mode1, &QPushButton::clicked, this, guarded(&TForm1::Mode1Click));
  connect(Angle1, &QComboBox::activated, this, guarded(&TForm1::Angle1Change));
  connect(AllArea1, &QCheckBox::clicked, this, guarded(&TForm1::AllArea1Click));

  moveSettled_.setSingleShot(true);
  moveSettled_.setInterval(kMoveSettleMs);
  connect(&moveSettled_, &QTimer::timeout, this, guarded(&TForm1::SnapToWorkArea));

  program_.Guarded([this] {
    SPIs1.Loaded();
    ShowPassedOverPlugins(program_.ui, SPIs1);
  });
  program_.Guarded([this] { FormCreate(); });
}

void TForm1::FitToTexts() {
  const auto widen = [](QWidget* control, int x, int width) {
    control->setGeometry(x, control->y(), width, control->height());
  };
  // The left column: as wide as its widest text; ">>詳細" keeps to its right end.
  const int modeWidth = std::max(
      {Mode1->width(), TextButtonWidth(Mode1, ">>詳細"), TextButtonWidth(Mode1, "<<基本")});
  const int left = std::max({Button1->width(), TextButtonWidth(Button1, Button1->text()),
                             TextButtonWidth(Button3, Button3->text()) + kGap + modeWidth,
                             pdfopen1->sizeHint().width(), PreView1->sizeHint().width(),
                             AllArea1->sizeHint().width()});
  for (QWidget* control : std::initializer_list<QWidget*>{Button1, pdfopen1, PreView1, AllArea1}) {
    widen(control, kMargin, left);
  }
  widen(Button3, kMargin, left - kGap - modeWidth);
  widen(Mode1, kMargin + left - modeWidth, modeWidth);
  basicWidth_ = kMargin + left + kMargin;

  // The right column beside it: each row's label at its left, its list at its right end.
  const int x = basicWidth_ + kMargin;
  const int angleWidth = std::max(Angle1->width(), Angle1->sizeHint().width());
  const int tilesWidth = std::max(Dim1->width(), Dim1->sizeHint().width());
  const int special = specialLabel_->sizeHint().width();
  const int tiles = tilesLabel_->sizeHint().width();
  const int sheets = sheetsLabel_->sizeHint().width();
  const int right =
      std::max({Button2->width(), TextButtonWidth(Button2, Button2->text()),
                special + kLabelGap + angleWidth,
                tiles + kLabelGap + tilesWidth + kLabelGap + sheets, IniSave1->sizeHint().width()});
  widen(specialLabel_, x, special);
  widen(Angle1, x + right - angleWidth, angleWidth);
  widen(tilesLabel_, x, tiles);
  widen(sheetsLabel_, x + right - sheets, sheets);
  widen(Dim1, x + right - sheets - kLabelGap - tilesWidth, tilesWidth);
  widen(IniSave1, x, right);
  widen(Button2, x, right);
  detailWidth_ = x + right + kMargin;
}

void TForm1::Start() {
  // The first showing's steps run before the window is on the screen: a minimised window
  // that is moved or resized shows again.
  program_.Guarded([this] { FormShow(); });
  if (startMinimized_) {
    showMinimized();
  } else {
    show();
  }
}

void TForm1::FormCreate() {
  // A desktop that cannot learn the file types is told once; the program starts all the same.
  const std::string unwritable = RegisterFileTypes();
  if (!unwritable.empty()) program_.ReportError(unwritable);

  const TIniStartState start = ReadIniStartState(IniFilePath());
  IniSave1->setChecked(start.Save);
  const TWindowPlacement& placement = start.Placement;
  // Without a stored place the window is centred once its layout, and so its width, is known.
  centre_ = placement.Top == -1 && placement.Left == -1;
  if (!centre_) {
    // The window goes back where it was. Its frame does not exist yet, so the edges are not
    // snapped here: only a place on a screen that is no longer there is brought back onto
    // this one.
    const QPoint stored(placement.Left, placement.Top);
    move(QGuiApplication::screenAt(stored)
             ? stored
             : Snapped(QRect(stored, size()), screen()->availableGeometry()));
  }
  startMinimized_ = placement.Icon;
}

void TForm1::FormShow() {
  DeletePreviewFiles(CacheFolder());
  Settings& settings = program_.settings;
  if (const auto unreadable = ReadIniFile(IniFilePath(), settings.SavedEnv)) {
    program_.ReportError(*unreadable);
  }
  IniSave1->setChecked(settings.SavedEnv.Save);
  PreView1->setChecked(settings.SavedEnv.PreView);
  settings.Env = settings.SavedEnv;
  ApplyMode();
  if (centre_) CentreOnScreen(this);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (converting_) {
    closeHeld_ = true;
    event->ignore();
    return;
  }
  program_.Guarded([this] { FormClose(); });
  event->accept();
}

void TForm1::FormClose() {
  Settings& settings = program_.settings;
  settings.SavedEnv = settings.Env;
  settings.SavedEnv.Save = IniSave1->isChecked();
  settings.SavedEnv.PreView = PreView1->isChecked();
  THourglass hourglass(program_.ui);
  if (IniSave1->isChecked()) {
    const TWindowPlacement placement{y(), x(), isMinimized()};
    // A file that cannot be written is reported; the program closes all the same.
    program_.Guarded([&] { WriteIniFile(IniFilePath(), settings.SavedEnv, placement); });
  }
  DeletePreviewFiles(CacheFolder());
}

TConversionOptions TForm1::CurrentOptions() const {
  TConversionOptions options;
  options.OpenAfter = pdfopen1->isChecked();
  options.PreviewOnly = PreView1->isChecked();
  options.IgnorePrintRange = AllArea1->isChecked();
  options.AngleItem = Angle1->currentIndex();
  options.Tiles = Dim1->currentText().toInt();
  return options;
}

void TForm1::RunConversion(const std::function<void()>& conversion) {
  {
    const TWindowCloseCatcher catcher(*this, [this] { closeHeld_ = true; });
    converting_ = true;
    program_.Guarded(conversion);
    converting_ = false;
  }
  if (!std::exchange(closeHeld_, false)) return;
  TForm6& list = *program_.Form6;
  if (!list.isVisible()) {
    close();
    return;
  }
  // This window closes once the list window's modal run has returned (Button3Click).
  list.close();
  closeAfterList_ = !list.isVisible();
}

void TForm1::Button1Click() {
  RunConversion([this] { program_.driver.Convert(CurrentOptions()); });
}

void TForm1::ApplyMode() {
  const bool detail = program_.settings.Env.Mode;
  setFixedSize(detail ? detailWidth_ : basicWidth_, kHeight);
  Mode1->setText(detail ? "<<基本" : ">>詳細");
  Button2->setEnabled(detail);
  IniSave1->setEnabled(detail);
  Angle1->setEnabled(detail && !AllArea1->isChecked());
  Dim1->setEnabled(detail && !AllArea1->isChecked() && Angle1->currentIndex() == 0);
}

void TForm1::SnapToWorkArea() {
  // A minimised window stays so: moving it would show it again.
  if (isMinimized()) return;
  const QScreen* screen = windowHandle() ? windowHandle()->screen() : this->screen();
  if (!screen) return;
  const QPoint at = Snapped(frameGeometry(), screen->availableGeometry());
  if (at != frameGeometry().topLeft()) move(at);
}

void TForm1::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (event->spontaneous() && isVisible() && !isMinimized()) moveSettled_.start();
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // Restored from the task bar, the window takes its place on the work area now that its
  // frame is known.
  if (event->type() == QEvent::WindowStateChange &&
      (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized) &&
      !isMinimized()) {
    moveSettled_.start();
  }
}

void TForm1::Mode1Click() {
  // The layout holds at once: the cancel of a dialog, which takes the committed settings
  // back, keeps it.
  Settings& settings = program_.settings;
  settings.Env.Mode = settings.SavedEnv.Mode = !settings.Env.Mode;
  ApplyMode();
  SnapToWorkArea();
}

void TForm1::Angle1Change() {
  if (Angle1->currentIndex() != 0) {
    Dim1->setCurrentIndex(0);
    Dim1->setEnabled(false);
  } else {
    Dim1->setEnabled(!AllArea1->isChecked());
  }
}

void TForm1::AllArea1Click() {
  const bool ignoreRange = AllArea1->isChecked();
  if (ignoreRange) {
    Dim1->setCurrentIndex(0);
    Angle1->setCurrentIndex(0);
  }
  Dim1->setEnabled(!ignoreRange);
  Angle1->setEnabled(!ignoreRange);
}

void TForm1::Button2Click() {
  program_.Form3->Edit(program_.settings.SavedEnv);
}

void TForm1::Button3Click() {
  Settings& settings = program_.settings;
  // The list runs on its own settings; this window's working copy, with its last folder, is
  // taken back afterwards.
  const REnvironment working = settings.Env;
  settings.Env = settings.SavedEnv;
  settings.ListEnv = settings.Env;
  program_.Form6->exec();
  settings.Env = working;
  if (std::exchange(closeAfterList_, false)) close();
}

}  // namespace kyrovane::gui
