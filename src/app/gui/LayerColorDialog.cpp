#include "app/gui/LayerColorDialog.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

#include "app/gui/LayerNames.h"
#include "app/gui/Layout.h"
#include "app/gui/PaletteWidgets.h"
#include "app/gui/Program.h"
#include "app/settings/Palette.h"

namespace kyrovane::gui {
namespace {

constexpr int kGroups = 16;
constexpr int kLayers = 16;
constexpr int kBlack = 1;

}  // namespace

TForm4::TForm4(Program& program) : program_(program) {
  SetUpDialogWindow(this, "レイヤーの色", 405, 387);
  TabControl1 = new QButtonGroup(this);
  for (int group = 0; group < kGroups; ++group) {
    auto* tab = Place<QToolButton>(this, QRect(8 + group % 8 * 28, 8 + group / 8 * 24, 28, 24));
    tab->setText(FullWidthHexDigit(group));
    tab->setCheckable(true);
    TabControl1->addButton(tab, group);
  }
  TabControl1->button(0)->setChecked(true);
  connect(TabControl1, &QButtonGroup::idClicked, this,
          [this] { program_.Guarded([this] { TabControl1Change(); }); });

  LayerGroup1 = Place<QLabel>(this, QRect(8, 64, 200, 18));
  for (int layer = 0; layer < kLayers; ++layer) {
    const int list = layer + 1;
    const int x = 8 + layer / 8 * 200;
    const int y = 88 + layer % 8 * 25;
    Place<QLabel>(this, QRect(x, y, 62, 21), "レイヤー" + FullWidthHexDigit(layer));
    LayerColor[list] = MakePaletteBox(this);
    LayerColor[list]->setGeometry(x + 62, y, 100, 21);
    Panel[list] = MakeSwatch(this);
    Panel[list]->setGeometry(x + 166, y, 21, 21);
    connect(LayerColor[list], &QComboBox::currentIndexChanged, this,
            [this, list] { program_.Guarded([this, list] { LayerColorChange(list); }); });
  }

  Button2 = PlaceButton(this, QRect(8, 292, 170, 25), "レイヤー０の色で統一する");
  Button4 = PlaceButton(this, QRect(184, 292, 213, 25), "レイヤーグループ０からコピー");
  Button5 = PlaceButton(this, QRect(8, 321, 389, 25),
                        "このレイヤーグループの色をすべてのレイヤーグループに適用する");
  Button1 = PlaceButton(this, QRect(227, 354, 82, 25), "設定完了");
  Button3 = PlaceButton(this, QRect(315, 354, 82, 25), "設定初期化");
  Button3->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button2Click(); }); });
  connect(Button3, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button3Click(); }); });
  connect(Button4, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button4Click(); }); });
  connect(Button5, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button5Click(); }); });
}

int TForm4::SelectedGroup() const {
  return TabControl1->checkedId();
}

void TForm4::SelectGroup(int group) {
  TabControl1->button(group)->setChecked(true);
  TabControl1Change();
}

void TForm4::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CentreOnScreen(this);
  program_.Guarded([this] { TabControl1Change(); });
}

void TForm4::reject() {
  Button3->click();
}

void TForm4::closeEvent(QCloseEvent* event) {
  if (isVisible()) accept();
  event->accept();
}

void TForm4::TabControl1Change() {
  const int group = SelectedGroup();
  const REnvironment& env = program_.settings.Env;
  filling_ = true;
  for (int layer = 0; layer < kLayers; ++layer) {
    LayerColor[layer + 1]->setCurrentIndex(env.LayerColor[group * kLayers + layer]);
    PaintSwatch(Panel[layer + 1], ColorIndexToColor(LayerColor[layer + 1]->currentIndex(), env));
  }
  filling_ = false;
  LayerGroup1->setText("レイヤーグループ" + FullWidthHexDigit(group));
}

void TForm4::LayerColorChange(int list) {
  if (filling_) return;
  REnvironment& env = program_.settings.Env;
  const int index = LayerColor[list]->currentIndex();
  PaintSwatch(Panel[list], ColorIndexToColor(index, env));
  env.LayerColor[SelectedGroup() * kLayers + list - 1] = index;
}

void TForm4::Button2Click() {
  const int group = SelectedGroup();
  for (int layer = 0; layer < kLayers; ++layer) {
    program_.settings.Env.LayerColor[group * kLayers + layer] = LayerColor[1]->currentIndex();
  }
  TabControl1Change();
}

void TForm4::Button4Click() {
  auto& colors = program_.settings.Env.LayerColor;
  const int group = SelectedGroup();
  for (int layer = 0; layer < kLayers; ++layer) colors[group * kLayers + layer] = colors[layer];
  TabControl1Change();
}

void TForm4::Button5Click() {
  for (int group = 0; group < kGroups; ++group) {
    for (int layer = 0; layer < kLayers; ++layer) {
      program_.settings.Env.LayerColor[group * kLayers + layer] =
          LayerColor[layer + 1]->currentIndex();
    }
  }
  TabControl1Change();
}

void TForm4::Button3Click() {
  if (!program_.ConfirmReset("レイヤー色を初期化しますか？")) return;
  program_.settings.Env.LayerColor.fill(kBlack);
  TabControl1Change();
}

}  // namespace kyrovane::gui
