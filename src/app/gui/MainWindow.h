#pragma once

// The main window: it starts every conversion, opens the settings dialogs and the list window,
// loads the settings when first shown and keeps them when closed.

#include <QTimer>
#include <QWidget>
#include <functional>

#include "app/core/ConversionDriver.h"
#include "plugins/SPIs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kyrovane::gui {

class Program;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(Program& program);

  // Loads the settings and shows the window as the last session left it: minimised or not.
  void Start();

  // The output choices as the window shows them; the list window's conversions take its own
  // rotation and tiles over them.
  TConversionOptions CurrentOptions() const;

  // Runs a conversion of this window or of the list window. A close of this window asked for
  // meanwhile, also while a message or the list window blocks it, is carried out once the
  // conversion and its messages are done: the list window closes first, as its own close does,
  // and keeps the program open when it stays.
  void RunConversion(const std::function<void()>& conversion);

  // Client widths of the two layouts, from the texts they show.
  int BasicWidth() const { return basicWidth_; }
  int DetailWidth() const { return detailWidth_; }

  QPushButton* Button1;  // "PDF変換開始"
  QPushButton* Mode1;    // ">>詳細" / "<<基本"
  QPushButton* Button2;  // "詳細設定"
  QPushButton* Button3;  // "リスト編集"
  QCheckBox* IniSave1;   // "環境を保存する"
  QCheckBox* pdfopen1;   // "変換後にPDFファイルを開く"
  QCheckBox* PreView1;   // "プレビューのみ"
  QCheckBox* AllArea1;   // "印刷範囲を無視する"
  QComboBox* Angle1;     // rotation or paper
  QComboBox* Dim1;       // tiles per drawing
  // The picture plug-ins of the whole run: searched once the window is built, before it is
  // shown, in the registry's plug-in folder and then the program's folder.
  TSPIs SPIs1;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The designed layout, widened where a text in the font in use needs more room: the left
  // column takes its widest text, the right column starts beside it.
  void FitToTexts();
  void FormCreate();
  void FormShow();
  void FormClose();
  void ApplyMode();
  // Keeps the window on its screen's work area, snapping edges closer than 16 pixels.
  void SnapToWorkArea();
  void Mode1Click();
  void Angle1Change();
  void AllArea1Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();

  Program& program_;
  QLabel* specialLabel_;  // "特殊"
  QLabel* tilesLabel_;    // "印刷分割数"
  QLabel* sheetsLabel_;   // "枚"
  int basicWidth_ = 0;
  int detailWidth_ = 0;
  bool startMinimized_ = false;
  bool centre_ = false;
  // A close asked for while a conversion runs is carried out when it has ended.
  bool converting_ = false;
  bool closeHeld_ = false;
  bool closeAfterList_ = false;
  // A window manager reports a move by the caption in many steps; the snap follows the last.
  QTimer moveSettled_;
};

}  // namespace kyrovane::gui
