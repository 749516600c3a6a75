#pragma once

// The picture on a layer or layer-group button of the list window, 25 x 22 pixels, clear
// where it draws nothing so that the button's own look shows through, pressed or not: when
// the layer or group is output, a rectangle (groups) or an ellipse (layers) with its
// character "０".."Ｆ"; above it, purple bars for what it holds: graphics on the left, text
// on the right, one bar when it holds both.

#include <QPixmap>
#include <QToolButton>

namespace kyrovane::gui {

struct TGlyphMarks {
  bool On = false;
  bool Graphics = false;
  bool Text = false;
};

enum class TGlyphShape { Rectangle, Ellipse };

inline constexpr QSize kGlyphSize{25, 22};

// A blank glyph when Marks is null (no entry selected).
QPixmap LayerGlyph(TGlyphShape Shape, int Number, const TGlyphMarks* Marks);

// A button showing its icon as a glyph at its own size over the button's own look, inside the
// frame and one pixel lower and to the right while pressed, where a tool button would scale it
// down to its content.
class TGlyphButton : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kyrovane::gui
