#include "app/gui/ListWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolButton>

#include "app/core/AppPaths.h"
#include "app/core/IniFile.h"
#include "app/gui/DetailDialog.h"
#include "app/gui/LayerGlyph.h"
#include "app/gui/LayerNames.h"
#include "app/gui/Layout.h"
#include "app/gui/MainWindow.h"
#include "app/gui/Program.h"

namespace kyrovane::gui {
namespace {

constexpr int kWidth = 708;
constexpr int kHeight = 470;
constexpr int kStatusHeight = 22;
constexpr int kListWidth = 552;
constexpr int kCommandX = 616;
constexpr int kCommandWidth = 89;

std::optional<TMouseButton> MouseButtonOf(const QMouseEvent& event) {
  switch (event.button()) {
    case Qt::LeftButton:
      return TMouseButton::Left;
    case Qt::RightButton:
      return TMouseButton::Right;
    case Qt::MiddleButton:
      return TMouseButton::Middle;
    default:
      return std::nullopt;
  }
}

template <std::size_t N>
int IndexOf(const std::array<QToolButton*, N>& buttons, const QObject* button) {
  for (std::size_t i = 0; i < N; ++i) {
    if (buttons[i] == button) return static_cast<int>(i);
  }
  return -1;
}

// The marks of group or layer n from its three masks.
TGlyphMarks MarksOf(int n, uint16_t output, uint16_t graphics, uint16_t text) {
  const auto has = [n](uint16_t mask) { return (mask & MaskBit(n)) != 0; };
  return {has(output), has(graphics), has(text)};
}

}  // namespace

TForm6::TForm6(Program& program) : Editor(program.settings, program.ui), program_(program) {
  setWindowTitle("リスト編集");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  resize(kWidth, kHeight);
  setMinimumSize(kWidth, kHeight);

  ListBox1 = Place<QListWidget>(this, QRect(0, 0, kListWidth, kHeight - kStatusHeight));
  StatusBar1 = Place<QStatusBar>(this, QRect(0, kHeight - kStatusHeight, kWidth, kStatusHeight));
  memo_ = new QLabel;
  StatusBar1->addWidget(memo_, 1);

  // The controls are made in the order they are seen, top to bottom: the order Tab follows.
  UpButton = PlaceCommand(8, "上へ移動", [this] { Editor.Up(); });
  DownButton = PlaceCommand(36, "下に移動", [this] { Editor.Down(); });
  SortButton = PlaceCommand(64, "ソート", [this] { Editor.Sort(); });
  AddButton = PlaceCommand(100, "追加", [this] { Editor.Add(); });
  DelButton = PlaceCommand(128, "削除", [this] { Editor.Delete(); });
  ClearButton = PlaceCommand(156, "クリア", [this] { Editor.Clear(); });
  LoadButton = PlaceCommand(192, "lst読み込み", [this] { Editor.Load(); });
  SaveButton = PlaceCommand(220, "lst保存", [this] { Editor.SaveList(); });
  EnvButton = PlaceCommand(256, "詳細設定", [this] { EnvButtonClick(); });
  Angle1 = Place<QComboBox>(this, QRect(kCommandX, 290, kCommandWidth, 21));
  Angle1->addItems({"標準", "90度", "180度", "270度", "A3出力", "A4出力", "50%出力"});
  auto* dimLabel = Place<QLabel>(this, QRect(kCommandX, 318, 40, 21), "分割数");
  Dim1 = Place<QComboBox>(this, QRect(kCommandX + 42, 318, kCommandWidth - 42, 21));
  Dim1->addItems({"1", "2", "4", "8", "16"});
  for (QWidget* control : {static_cast<QWidget*>(Angle1), static_cast<QWidget*>(dimLabel),
                           static_cast<QWidget*>(Dim1)}) {
    rightColumn_.emplace_back(control, control->geometry());
  }
  connect(Angle1, &QComboBox::activated, this, [this] { Angle1Change(); });
  connect(Dim1, &QComboBox::activated, this, [this] { Dim1Change(); });
  PreViewButton = PlaceCommand(350, "プレビュー", [this] { PreViewButtonClick(); });
  ExeButton = PlaceCommand(382, "変換開始", [this] { ExeButtonClick(); });

  PlaceLayerButtons();

  connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!showing_) Act([this, row] { Editor.Select(row); });
  });
  // A click selects even the entry that is already selected, showing its group 0 again.
  connect(ListBox1, &QListWidget::clicked, this,
          [this](const QModelIndex& index) { Act([this, index] { Editor.Select(index.row()); }); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this,
          [this] { program_.Guarded([this] { PreViewButtonClick(); }); });

  program_.Guarded([this] { FormCreate(); });
}

QPushButton* TForm6::PlaceCommand(int y, const QString& caption,
                                  const std::function<void()>& handler) {
  QPushButton* button = PlaceButton(this, QRect(kCommandX, y, kCommandWidth, 25), caption);
  rightColumn_.emplace_back(button, button->geometry());
  connect(button, &QPushButton::clicked, this, [this, handler] { Act(handler); });
  return button;
}

void TForm6::PlaceLayerButtons() {
  const auto place = [this](QToolButton* button, const QRect& geometry, const QString& caption) {
    button->setGeometry(geometry);
    button->setText(caption);
    button->setFocusPolicy(Qt::NoFocus);  // mouse buttons only, like speed buttons
    button->installEventFilter(this);
    rightColumn_.emplace_back(button, geometry);
    return button;
  };
  for (int n = 0; n < 16; ++n) {
    const int x = n < 8 ? 560 : 584;
    const int row = n % 8;
    LayButton[n] =
        place(new TGlyphButton(this), QRect(x, 8 + 24 * row, 23, 22), FullWidthHexDigit(n));
    GrpButton[n] =
        place(new TGlyphButton(this), QRect(x, 232 + 24 * row, 23, 22), FullWidthHexDigit(n));
    GrpButton[n]->setCheckable(true);
    connect(LayButton[n], &QToolButton::clicked, this, [this] { UpdateLayerButtons(); });
    connect(GrpButton[n], &QToolButton::clicked, this, [this] { UpdateGroupButtons(); });
  }
  QFont fixed(QStringLiteral("ＭＳ ゴシック"));
  fixed.setPixelSize(12);
  LayButton[0]->setFont(fixed);
  GrpButton[0]->setChecked(true);
  LayButtonALL = place(new QToolButton(this), QRect(560, 200, 47, 22), "ＡＬＬ");
  GrpButtonALL = place(new QToolButton(this), QRect(560, 424, 47, 22), "ＡＬＬ");
  LayDivideButton1 = PlaceCommand(424, "レイヤー分解", [this] { Editor.Split(); });
  LayDivideButton1->resize(kCommandWidth, 22);
  rightColumn_.back().second.setHeight(22);
}

void TForm6::FormCreate() {
  const std::string lastDir = TIniFile(IniFilePath()).ReadString("Environment", "LastDir", "");
  Editor.InitialFolder = lastDir;
}

void TForm6::Act(const std::function<void()>& work) {
  program_.Guarded(work);
  ShowEntries();
  UpdateGroupButtons();
}

void TForm6::ShowEntries() {
  showing_ = true;
  const std::vector<TListEntry>& entries = Editor.Entries();
  bool same = ListBox1->count() == std::ssize(entries);
  for (int i = 0; same && i < ListBox1->count(); ++i) {
    same = ListBox1->item(i)->text().toStdString() == entries[i].Path;
  }
  if (!same) {
    ListBox1->clear();
    for (const TListEntry& entry : entries) {
      ListBox1->addItem(QString::fromStdString(entry.Path));
    }
  }
  ListBox1->setCurrentRow(Editor.Selected());
  const TListEntry* selected = Editor.SelectedEntry();
  // A memo of several lines shows on the one line of the status bar.
  const QString memo = selected ? QString::fromStdString(selected->Param.Memo) : QString();
  memo_->setText(memo.simplified());
  showing_ = false;
}

void TForm6::UpdateGroupButtons() {
  const TListEntry* selected = Editor.SelectedEntry();
  for (int g = 0; g < 16; ++g) {
    GrpButton[g]->setChecked(g == Editor.CurrentGroup());
    TGlyphMarks marks;
    if (selected) {
      const TParam& param = selected->Param;
      marks = MarksOf(g, param.GroupMask, param.UsedGroupMask, param.TextGroupMask);
    }
    GrpButton[g]->setIcon(LayerGlyph(TGlyphShape::Rectangle, g, selected ? &marks : nullptr));
  }
  UpdateLayerButtons();
}

void TForm6::UpdateLayerButtons() {
  const TListEntry* selected = Editor.SelectedEntry();
  const int group = Editor.CurrentGroup();
  for (int l = 0; l < 16; ++l) {
    TGlyphMarks marks;
    if (selected) {
      const TParam& param = selected->Param;
      marks = MarksOf(l, param.LayerMask[group], param.UsedLayerMask[group],
                      param.TextLayerMask[group]);
    }
    LayButton[l]->setIcon(LayerGlyph(TGlyphShape::Ellipse, l, selected ? &marks : nullptr));
  }
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) {
    return QDialog::eventFilter(watched, event);
  }
  const std::optional<TMouseButton> button = MouseButtonOf(static_cast<QMouseEvent&>(*event));
  if (!button) return QDialog::eventFilter(watched, event);
  if (const int layer = IndexOf(LayButton, watched); layer >= 0) {
    Act([this, layer] { Editor.LayerButtonDown(layer); });
  } else if (const int group = IndexOf(GrpButton, watched); group >= 0) {
    Act([this, group, button] { Editor.GroupButtonDown(group, *button); });
  } else if (watched == LayButtonALL) {
    Act([this, button] { Editor.LayerAllDown(*button); });
  } else if (watched == GrpButtonALL) {
    Act([this, button] { Editor.GroupAllDown(*button); });
  }
  // The left button goes on to press the button as usual; the others stop here.
  return *button != TMouseButton::Left;
}

void TForm6::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  // Opened on the middle of the desktop, at its designed size, with the list as it is.
  resize(kWidth, kHeight);
  CentreOnScreen(this);
  ShowEntries();
  UpdateGroupButtons();
}

void TForm6::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const int grown = width() - kWidth;
  ListBox1->setGeometry(0, 0, kListWidth + grown, height() - kStatusHeight);
  StatusBar1->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
  for (const auto& [control, designed] : rightColumn_) {
    control->move(designed.x() + grown, designed.y());
  }
}

void TForm6::reject() {
  bool close = false;
  program_.Guarded([this, &close] { close = Editor.QueryClose(); });
  if (!close) return;
  Editor.Empty();
  ShowEntries();
  UpdateGroupButtons();
  QDialog::reject();
}

TConversionOptions TForm6::ListOptions() const {
  TConversionOptions options = program_.Form1->CurrentOptions();
  options.AngleItem = Angle1->currentIndex();
  options.Tiles = Dim1->currentText().toInt();
  return options;
}

void TForm6::PreViewButtonClick() {
  if (const TListEntry* selected = Editor.SelectedEntry()) {
    program_.Form1->RunConversion(
        [&] { program_.driver.PreviewListEntry(*selected, ListOptions()); });
  }
}

void TForm6::ExeButtonClick() {
  if (!Editor.SelectedEntry()) return;
  program_.Form1->RunConversion(
      [this] { program_.driver.ConvertListEntries(Editor.Entries(), ListOptions()); });
}

void TForm6::EnvButtonClick() {
  Editor.EditSettings([this](REnvironment& listEnv) { program_.Form3->Edit(listEnv); });
}

void TForm6::Angle1Change() {
  const bool rotated = Angle1->currentIndex() != 0;
  if (rotated) Dim1->setCurrentIndex(0);
  Dim1->setEnabled(!rotated);
}

void TForm6::Dim1Change() {
  const bool tiled = Dim1->currentIndex() != 0;
  if (tiled) Angle1->setCurrentIndex(0);
  Angle1->setEnabled(!tiled);
}

}  // namespace kyrovane::gui
