#include "app/gui/LayerGlyph.h"

#include <QFont>
#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "app/gui/LayerNames.h"

namespace kyrovane::gui {
namespace {

const QColor kPurple(128, 0, 128);
constexpr int kCharacterPixels = 11;
// Where the glyph draws: from the left end of the bars to the box's right edge, from the
// bars' top to the box's bottom edge.
const QRect kGlyphDrawn(1, 0, 19, 18);

// The character's ink in the middle of the box's inside, whatever font stands in for the
// fixed-pitch one; a pixel left over goes to the left and the top.
void DrawCentred(QPainter& painter, const QRect& inside, const QString& character) {
  const QRect ink = painter.fontMetrics().tightBoundingRect(character);
  painter.drawText(QPoint(inside.x() + (inside.width() - ink.width()) / 2 - ink.x(),
                          inside.y() + (inside.height() - ink.height()) / 2 - ink.y()),
                   character);
}

}  // namespace

QPixmap LayerGlyph(TGlyphShape Shape, int Number, const TGlyphMarks* Marks) {
  QPixmap glyph(kGlyphSize);
  glyph.fill(Qt::transparent);
  if (Marks == nullptr) return glyph;
  QPainter painter(&glyph);
  if (Marks->On) {
    // The box from (2, 2) to (19, 18), right and bottom edges outside it.
    painter.setPen(Qt::black);
    const QRect box(2, 2, 16, 15);
    if (Shape == TGlyphShape::Rectangle) {
      painter.drawRect(box);
    } else {
      painter.drawEllipse(box);
    }
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(kCharacterPixels);
    painter.setFont(font);
    DrawCentred(painter, box.adjusted(1, 1, 0, 0), FullWidthHexDigit(Number));
  }
  if (Marks->Graphics) painter.fillRect(QRect(1, 0, 13, 3), kPurple);
  if (Marks->Text) painter.fillRect(QRect(8, 0, 12, 3), kPurple);
  return glyph;
}

void TGlyphButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  option.icon = QIcon();
  option.text.clear();
  painter.drawComplexControl(QStyle::CC_ToolButton, option);
  // The drawn part of the glyph is centred inside the frame, one pixel lower and to the
  // right while the button is down.
  const int down = isDown() || isChecked() ? 1 : 0;
  const QPoint at((width() - kGlyphDrawn.width()) / 2 - kGlyphDrawn.x() + down,
                  (height() - kGlyphDrawn.height()) / 2 - kGlyphDrawn.y() + down);
  painter.setClipRect(rect().adjusted(1, 1, -1, -1));
  painter.drawPixmap(at, icon().pixmap(kGlyphSize));
}

}  // namespace kyrovane::gui
