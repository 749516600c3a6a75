#include "app/gui/PaletteWidgets.h"

#include <QComboBox>
#include <QFrame>

#include "app/settings/Palette.h"

namespace kyrovane::gui {

QComboBox* MakePaletteBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (int index = 0; index < kPaletteSize; ++index) {
    const std::string_view name = PaletteColorName(index);
    box->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  }
  box->setMaxVisibleItems(kPaletteSize);
  return box;
}

QFrame* MakeSwatch(QWidget* parent) {
  auto* swatch = new QFrame(parent);
  swatch->setFrameShape(QFrame::Panel);
  swatch->setFrameShadow(QFrame::Sunken);
  swatch->setAutoFillBackground(true);
  return swatch;
}

void PaintSwatch(QFrame* swatch, TColor color) {
  QPalette palette = swatch->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  swatch->setPalette(palette);
}

QColor ToQColor(TColor color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color) {
  return static_cast<TColor>(color.red() | color.green() << 8 | color.blue() << 16);
}

}  // namespace kyrovane::gui
