#pragma once

// "リスト編集": the list of drawings that become one PDF, each with its own layer groups and
// layers. The list and every rule of its editing live in TListEditor; this window shows them,
// hands its controls' events there, and previews and converts through the program's driver.

#include <QDialog>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "app/core/ConversionDriver.h"
#include "app/core/ListEditor.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace kyrovane::gui {

class Program;

class TForm6 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm6(Program& program);

  TListEditor Editor;

  QListWidget* ListBox1;
  QStatusBar* StatusBar1;
  QPushButton* UpButton;                   // "上へ移動"
  QPushButton* DownButton;                 // "下に移動"
  QPushButton* SortButton;                 // "ソート"
  QPushButton* AddButton;                  // "追加"
  QPushButton* DelButton;                  // "削除"
  QPushButton* ClearButton;                // "クリア"
  QPushButton* LoadButton;                 // "lst読み込み"
  QPushButton* SaveButton;                 // "lst保存"
  QPushButton* EnvButton;                  // "詳細設定"
  QPushButton* PreViewButton;              // "プレビュー"
  QPushButton* ExeButton;                  // "変換開始"
  QComboBox* Angle1;                       // rotation or paper of the list's conversions
  QComboBox* Dim1;                         // tiles, "分割数"
  std::array<QToolButton*, 16> LayButton;  // layers of the shown group
  QToolButton* LayButtonALL;
  std::array<QToolButton*, 16> GrpButton;  // layer groups; the shown one stays pressed
  QToolButton* GrpButtonALL;
  QPushButton* LayDivideButton1;  // "レイヤー分解"

  // The glyphs of the group buttons, then those of the layer buttons, from the selected entry.
  void UpdateGroupButtons();
  void UpdateLayerButtons();

  // Closing, by its box or Escape, asks about unsaved changes first.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* PlaceCommand(int y, const QString& caption, const std::function<void()>& handler);
  void PlaceLayerButtons();
  // Runs an editing step; whatever it ends with, the window then shows the list as it is.
  void Act(const std::function<void()>& work);
  void ShowEntries();
  TConversionOptions ListOptions() const;

  void FormCreate();
  void PreViewButtonClick();
  void ExeButtonClick();
  void EnvButtonClick();
  void Angle1Change();
  void Dim1Change();

  Program& program_;
  QLabel* memo_;
  bool showing_ = false;  // the list box follows the editor, not the other way round
  // Controls that keep their distance to the right edge, with their designed places.
  std::vector<std::pair<QWidget*, QRect>> rightColumn_;
};

}  // namespace kyrovane::gui
