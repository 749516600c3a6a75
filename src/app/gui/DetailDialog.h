#pragma once

// "詳細設定": the detail settings dialog. It shows a copy of the working settings in its
// controls; its caller copies them back with TransferTo after the dialog closed with OK.

#include <QDialog>

#include "app/settings/Environment.h"
#include "app/settings/IndexedArray.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QPushButton;
class QTabWidget;

namespace kyrovane::gui {

class Program;
class TFLEdit;

class TForm3 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm3(Program& program);

  // The controls into `env`, in the order they were designed to be read; the line-pattern
  // scale 10, the custom and layer colours and every other field stay. Only after every
  // numeric text has been checked to read as a number.
  void TransferTo(REnvironment& env) const;

  // The controls filled from the working settings.
  void FormShow();

  // Shows the dialog over the working settings. OK takes its values into them and commits
  // them into `committed`; any other end takes the working settings back from `committed`.
  void Edit(REnvironment& committed);

  QTabWidget* PageControl1;
  IndexedArray<TFLEdit*, 1, 9> Line;
  IndexedArray<QComboBox*, 1, 9> LineColor;
  QComboBox* BackGroundColor1;
  QComboBox* GrayLayerColor1;
  QComboBox* UseColor1;
  IndexedArray<QFrame*, 1, 11> Panel;
  QPushButton* Button2;                       // "レイヤー色設定"
  QPushButton* Button4;                       // "カスタム色"
  IndexedArray<TFLEdit*, 1, 19> LinePattern;  // no control for 10
  TFLEdit* Magnification1;
  TFLEdit* LeftMargin1;
  TFLEdit* BottomMargin1;
  QCheckBox* Spline1;
  QCheckBox* PictureCompression1;
  QComboBox* TextFont1;
  TFLEdit* TextRise1;
  QCheckBox* UseJwwFont1;
  QCheckBox* UseGray1;
  TFLEdit* RandomWidth1;
  QPushButton* Button1;  // "設定完了"
  QPushButton* Button3;  // "設定のプロパティ"
  QPushButton* Button5;  // "キャンセル"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildColourPage();
  void BuildPatternPage();
  void BuildOtherPage();
  TFLEdit* MakeEdit(QWidget* page, const QRect& geometry, const char* min, const char* max,
                    const char* step, int decimals);
  QList<TFLEdit*> NumericEdits() const;
  void LineColorChange(int list);
  void RepaintSwatches();
  // Whether every numeric text reads as a number; otherwise the first that does not is shown,
  // focused and reported.
  bool CheckNumbers();
  // The number-conversion error of a field, reported once the current event is handled.
  void ReportConversionError(const QString& message);
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();

  Program& program_;
  bool reportPending_ = false;
};

}  // namespace kyrovane::gui
