#pragma once

// The colour boxes of the settings dialogs: a drop-down list of the 31 palette names whose
// item index is the palette index, and the swatch beside it.

#include <QColor>

#include "pdf/PdfColor.h"

class QComboBox;
class QFrame;
class QWidget;

namespace kyrovane::gui {

QComboBox* MakePaletteBox(QWidget* parent);
QFrame* MakeSwatch(QWidget* parent);
void PaintSwatch(QFrame* swatch, TColor color);

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

}  // namespace kyrovane::gui
