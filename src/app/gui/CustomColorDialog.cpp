#include "app/gui/CustomColorDialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>
#include <QShowEvent>

#include "app/gui/LayerNames.h"
#include "app/gui/Layout.h"
#include "app/gui/PaletteWidgets.h"
#include "app/gui/Program.h"

namespace kyrovane::gui {

TForm5::TForm5(Program& program) : program_(program) {
  SetUpDialogWindow(this, "カスタム色設定", 298, 172);
  for (int button = 1; button <= 8; ++button) {
    const int x = 8 + (button - 1) / 4 * 146;
    const int y = 8 + (button - 1) % 4 * 31;
    Button[button] =
        PlaceButton(this, QRect(x, y, 92, 25), "カスタム色" + FullWidthHexDigit(button));
    Panel[button] = MakeSwatch(this);
    Panel[button]->setGeometry(x + 98, y, 40, 25);
    connect(Button[button], &QPushButton::clicked, this,
            [this, button] { program_.Guarded([this, button] { ButtonClick(button); }); });
  }
  Button9 = PlaceButton(this, QRect(120, 139, 82, 25), "設定完了");
  Button10 = PlaceButton(this, QRect(208, 139, 82, 25), "設定初期化");
  Button10->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  connect(Button9, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button10, &QPushButton::clicked, this,
          [this] { program_.Guarded([this] { Button10Click(); }); });
}

void TForm5::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CentreOnScreen(this);
  FormShow();
}

void TForm5::reject() {
  Button10->click();
}

void TForm5::closeEvent(QCloseEvent* event) {
  if (isVisible()) accept();
  event->accept();
}

void TForm5::FormShow() {
  for (int button = 1; button <= 8; ++button) {
    PaintSwatch(Panel[button], program_.settings.Env.CustomColor[button - 1]);
  }
}

void TForm5::ButtonClick(int button) {
  TColor& color = program_.settings.Env.CustomColor[button - 1];
  if (const std::optional<TColor> chosen = program_.ui.ChooseColor(color)) color = *chosen;
  FormShow();
}

void TForm5::Button10Click() {
  if (!program_.ConfirmReset("カスタム色を初期化しますか？")) return;
  program_.settings.Env.CustomColor.fill(0);
  FormShow();
}

}  // namespace kyrovane::gui
