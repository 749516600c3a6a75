#include "app/gui/DetailDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>

#include "app/gui/CustomColorDialog.h"
#include "app/gui/FLEdit.h"
#include "app/gui/LayerColorDialog.h"
#include "app/gui/Layout.h"
#include "app/gui/PaletteWidgets.h"
#include "app/gui/Program.h"
#include "app/gui/SettingsFileDialog.h"
#include "app/settings/Palette.h"
#include "pdf/PdfNumbers.h"

namespace kyrovane::gui {
namespace {

constexpr int kClientWidth = 304;
constexpr int kClientHeight = 374;
constexpr int kRow = 23;

const char* const kPenLabels[9] = {"線１", "線２", "線３", "線４", "線５",
                                   "線６", "線７", "線８", "線９"};
// Line types 1..19 in two columns; 10 has no control.
const char* const kPatternLabels[20] = {
    nullptr,     "実線",      "点線1",   "点線2",   "点線3",     "一点鎖線1", "一点鎖線2",
    "二点鎖線1", "二点鎖線2", "補助線",  nullptr,   "ランダム1", "ランダム2", "ランダム3",
    "ランダム4", "ランダム5", "倍長線1", "倍長線2", "倍長線3",   "倍長線4"};

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QString General(long double value) {
  return QString::fromStdString(FloatToStrGeneral(value, 15));
}

void AddLabel(QWidget* page, const QRect& geometry, const char* text) {
  Place<QLabel>(page, geometry, Text(text));
}

}  // namespace

TForm3::TForm3(Program& program) : program_(program) {
  SetUpDialogWindow(this, Text("詳細設定"), kClientWidth, kClientHeight);
  PageControl1 = Place<QTabWidget>(this, QRect(4, 4, kClientWidth - 8, 330));
  BuildColourPage();
  BuildPatternPage();
  BuildOtherPage();

  Button1 = PlaceButton(this, QRect(8, 342, 82, 25), Text("設定完了"));
  Button3 = PlaceButton(this, QRect(96, 342, 112, 25), Text("設定のプロパティ"));
  Button3->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  Button5 = PlaceButton(this, QRect(214, 342, 82, 25), Text("キャンセル"));
  // Cancel throws the typed values away unchecked: a click on it leaves the focus in the field,
  // so that the field's check on leaving never runs.
  Button5->setFocusPolicy(Qt::TabFocus);
  connect(Button1, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button1Click(); }); });
  connect(Button3, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button3Click(); }); });
  connect(Button5, &QPushButton::clicked, this, &QDialog::reject);
}

TFLEdit* TForm3::MakeEdit(QWidget* page, const QRect& geometry, const char* min, const char* max,
                          const char* step, int decimals) {
  auto* edit = Place<TFLEdit>(page, geometry);
  edit->setArrowKeys(false);
  edit->setKetaDec(decimals);
  edit->setIncrement(step);
  edit->setMaxValue(max);
  edit->setMinValue(min);
  edit->setOrientation(Qt::Horizontal);
  edit->setSpinWidth(30);
  connect(edit, &TFLEdit::beepRequested, this, [this] { program_.ui.Beep(); });
  connect(edit, &TFLEdit::conversionFailed, this, &TForm3::ReportConversionError);
  return edit;
}

void TForm3::BuildColourPage() {
  auto* page = new QWidget;
  PageControl1->addTab(page, Text("線種と色"));
  for (int pen = 1; pen <= 9; ++pen) {
    const int y = 6 + (pen - 1) * kRow;
    AddLabel(page, QRect(8, y, 28, 21), kPenLabels[pen - 1]);
    Line[pen] = MakeEdit(page, QRect(36, y, 74, 21), "0.01", "1", "0.01", 2);
    AddLabel(page, QRect(113, y, 20, 21), "mm");
    LineColor[pen] = MakePaletteBox(page);
    LineColor[pen]->setGeometry(136, y, 110, 21);
    Panel[pen] = MakeSwatch(page);
    Panel[pen]->setGeometry(252, y, 21, 21);
  }
  AddLabel(page, QRect(8, 218, 120, 21), "背景色");
  BackGroundColor1 = MakePaletteBox(page);
  BackGroundColor1->setGeometry(136, 218, 110, 21);
  Panel[10] = MakeSwatch(page);
  Panel[10]->setGeometry(252, 218, 21, 21);
  AddLabel(page, QRect(8, 241, 120, 21), "表示のみレイヤー");
  GrayLayerColor1 = MakePaletteBox(page);
  GrayLayerColor1->setGeometry(136, 241, 110, 21);
  Panel[11] = MakeSwatch(page);
  Panel[11]->setGeometry(252, 241, 21, 21);

  const QList<QComboBox*> lists = {LineColor[1], LineColor[2],     LineColor[3],   LineColor[4],
                                   LineColor[5], LineColor[6],     LineColor[7],   LineColor[8],
                                   LineColor[9], BackGroundColor1, GrayLayerColor1};
  for (int list = 1; list <= 11; ++list) {
    connect(lists[list - 1], &QComboBox::currentIndexChanged, this,
            [this, list] { LineColorChange(list); });
  }

  AddLabel(page, QRect(8, 268, 24, 23), "色");
  UseColor1 = Place<QComboBox>(page, QRect(36, 268, 80, 23));
  UseColor1->addItems({Text("白黒"), Text("線種"), Text("レイヤー")});
  Button2 = PlaceButton(page, QRect(122, 267, 100, 25), Text("レイヤー色設定"));
  Button4 = PlaceButton(page, QRect(226, 267, 62, 25), Text("カスタム色"));
  connect(Button2, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button2Click(); }); });
  connect(Button4, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button4Click(); }); });
}

void TForm3::BuildPatternPage() {
  auto* page = new QWidget;
  PageControl1->addTab(page, Text("破線のピッチ"));
  for (int type = 1; type <= 19; ++type) {
    if (type == 10) continue;
    const int column = type < 10 ? 0 : 1;
    const int row = type < 10 ? type - 1 : type - 11;
    const int x = 8 + column * 146;
    const int y = 8 + row * 28;
    AddLabel(page, QRect(x, y, 64, 21), kPatternLabels[type]);
    LinePattern[type] = MakeEdit(page, QRect(x + 64, y, 72, 21), "0.1", "2", "0.1", 2);
  }
  LinePattern[1]->setEnabled(false);
  LinePattern[9]->setEnabled(false);
}

void TForm3::BuildOtherPage() {
  auto* page = new QWidget;
  PageControl1->addTab(page, Text("その他"));
  AddLabel(page, QRect(8, 8, 140, 21), "点の大きさ（倍率）");
  Magnification1 = MakeEdit(page, QRect(170, 8, 80, 21), "0.5", "10", "0.1", 1);

  auto* margins = Place<QGroupBox>(page, QRect(8, 36, 276, 54), Text("マージン"));
  AddLabel(margins, QRect(8, 22, 16, 21), "左");
  LeftMargin1 = MakeEdit(margins, QRect(24, 22, 86, 21), "-1000", "1000", "0.1", 1);
  AddLabel(margins, QRect(113, 22, 20, 21), "mm");
  AddLabel(margins, QRect(140, 22, 16, 21), "下");
  BottomMargin1 = MakeEdit(margins, QRect(156, 22, 86, 21), "-1000", "1000", "0.1", 1);
  AddLabel(margins, QRect(245, 22, 20, 21), "mm");

  Spline1 = Place<QCheckBox>(page, QRect(8, 98, 270, 20), Text("曲線をスムージングする"));
  PictureCompression1 =
      Place<QCheckBox>(page, QRect(8, 120, 270, 20), Text("画像の解像度を最適化する"));
  AddLabel(page, QRect(8, 148, 40, 21), "字体");
  TextFont1 = Place<QComboBox>(page, QRect(56, 148, 90, 21));
  TextFont1->addItems({Text("ゴシック"), Text("明朝")});
  AddLabel(page, QRect(8, 176, 40, 21), "グリフ");
  TextRise1 = MakeEdit(page, QRect(56, 176, 80, 21), "0", "1", "0.1", 2);
  UseJwwFont1 = Place<QCheckBox>(page, QRect(8, 204, 270, 20), Text("jwwファイルのフォントに従う"));
  UseGray1 = Place<QCheckBox>(page, QRect(8, 226, 270, 20), Text("表示のみレイヤーの色を統一する"));
  AddLabel(page, QRect(8, 256, 150, 21), "ランダム線の振幅の倍率");
  RandomWidth1 = MakeEdit(page, QRect(170, 256, 80, 21), "0.1", "2", "0.1", 2);
}

QList<TFLEdit*> TForm3::NumericEdits() const {
  QList<TFLEdit*> edits(Line.begin(), Line.end());
  for (int type = 1; type <= 19; ++type) {
    if (type != 10) edits.append(LinePattern[type]);
  }
  edits += {Magnification1, LeftMargin1, BottomMargin1, TextRise1, RandomWidth1};
  return edits;
}

void TForm3::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CentreOnScreen(this);
  program_.Guarded([this] { FormShow(); });
}

void TForm3::FormShow() {
  const REnvironment& env = program_.settings.Env;
  for (int pen = 1; pen <= 9; ++pen) {
    Line[pen]->setValue(General(env.Line[pen]));
    LineColor[pen]->setCurrentIndex(env.LineColor[pen]);
  }
  BackGroundColor1->setCurrentIndex(env.BackGroundColor);
  GrayLayerColor1->setCurrentIndex(env.GrayLayerColor);
  for (int type = 1; type <= 19; ++type) {
    if (type != 10) LinePattern[type]->setValue(General(env.LinePatternScale[type]));
  }
  Magnification1->setValue(General(env.Magnification));
  LeftMargin1->setValue(General(env.LeftMargin));
  BottomMargin1->setValue(General(env.BottomMargin));
  TextRise1->setValue(General(env.TextRise));
  RandomWidth1->setValue(General(env.RandomWidth));
  Spline1->setChecked(env.UseSpline);
  UseJwwFont1->setChecked(env.UseJwwFont);
  UseGray1->setChecked(env.UseGray);
  PictureCompression1->setChecked(env.PictureCompression);
  UseColor1->setCurrentIndex(env.UseColor ? 1 : env.UseLayerColor ? 2 : 0);
  TextFont1->setCurrentIndex(env.TextFont == "Gothic" ? 0 : 1);
  RepaintSwatches();
}

void TForm3::LineColorChange(int list) {
  const QComboBox* box = list <= 9    ? LineColor[list]
                         : list == 10 ? BackGroundColor1
                                      : GrayLayerColor1;
  PaintSwatch(Panel[list], ColorIndexToColor(box->currentIndex(), program_.settings.Env));
}

void TForm3::RepaintSwatches() {
  for (int list = 1; list <= 11; ++list) LineColorChange(list);
}

void TForm3::TransferTo(REnvironment& env) const {
  const auto number = [](const TFLEdit* edit) { return StrToFloat(edit->text()); };
  for (int pen = 1; pen <= 9; ++pen) env.Line[pen] = number(Line[pen]);
  for (int pen = 1; pen <= 9; ++pen) env.LineColor[pen] = LineColor[pen]->currentIndex();
  env.BackGroundColor = BackGroundColor1->currentIndex();
  env.GrayLayerColor = GrayLayerColor1->currentIndex();
  for (int type = 1; type <= 19; ++type) {
    if (type != 10) env.LinePatternScale[type] = number(LinePattern[type]);
  }
  env.UseSpline = Spline1->isChecked();
  env.Magnification = number(Magnification1);
  env.UseJwwFont = UseJwwFont1->isChecked();
  env.TextRise = number(TextRise1);
  env.UseGray = UseGray1->isChecked();
  env.PictureCompression = PictureCompression1->isChecked();
  env.LeftMargin = number(LeftMargin1);
  env.BottomMargin = number(BottomMargin1);
  env.RandomWidth = number(RandomWidth1);
  switch (UseColor1->currentIndex()) {
    case 0:
      env.UseColor = false, env.UseLayerColor = false;
      break;
    case 1:
      env.UseColor = true, env.UseLayerColor = false;
      break;
    case 2:
      env.UseColor = false, env.UseLayerColor = true;
      break;
    default:
      break;
  }
  env.TextFont = TextFont1->currentIndex() == 0 ? "Gothic" : "Mincyo";
}

void TForm3::Edit(REnvironment& committed) {
  REnvironment& env = program_.settings.Env;
  if (exec() == QDialog::Accepted) {
    TransferTo(env);
    committed = env;
  } else {
    env = committed;
  }
}

void TForm3::ReportConversionError(const QString& message) {
  // Later: the report must not open a window inside a control's focus handling. Leaving a
  // field by pressing "設定完了" reports its text once, not twice.
  if (reportPending_) return;
  reportPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this, message] {
        reportPending_ = false;
        program_.ReportError(message.toStdString());
      },
      Qt::QueuedConnection);
}

bool TForm3::CheckNumbers() {
  for (TFLEdit* edit : NumericEdits()) {
    try {
      StrToFloat(edit->text());
    } catch (const EConvertError& error) {
      for (int page = 0; page < PageControl1->count(); ++page) {
        if (PageControl1->widget(page)->isAncestorOf(edit)) PageControl1->setCurrentIndex(page);
      }
      edit->setFocus();
      ReportConversionError(QString::fromUtf8(error.what()));
      return false;
    }
  }
  return true;
}

void TForm3::Button1Click() {
  // Checked first, so that the caller's transfer never stops half-way.
  if (CheckNumbers()) accept();
}

void TForm3::Button2Click() {
  program_.Form4->exec();
}

void TForm3::Button4Click() {
  program_.Form5->exec();
  // A custom colour shows at once in the swatches; what was typed here stays.
  RepaintSwatches();
}

void TForm3::Button3Click() {
  // The settings-file dialog starts from what this dialog shows, typed values included, so
  // that they are saved and survive its OK. The working settings may take them now: this
  // dialog's cancel takes the committed settings back.
  if (!CheckNumbers()) return;
  TransferTo(program_.settings.Env);
  if (program_.Form7->exec() != QDialog::Accepted) return;
  // The layout is the main window's own: a settings file read here never switches it.
  REnvironment& env = program_.settings.Env;
  const bool mode = env.Mode;
  env = program_.settings.PropertyEnv;
  env.Mode = mode;
  FormShow();
}

}  // namespace kyrovane::gui
