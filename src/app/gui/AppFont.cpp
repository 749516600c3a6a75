#include "app/gui/AppFont.h"

#include <QApplication>
#include <QStringList>

namespace kyrovane::gui {
namespace {

const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kFixedGothic = QStringLiteral("ＭＳ ゴシック");
constexpr int kPixelSize = 12;

}  // namespace

void InstallApplicationFont() {
  QFont::insertSubstitutions(kProportionalGothic,
                             {"IPAPGothic", "Noto Sans CJK JP", "IPAGothic", "Noto Sans JP"});
  QFont::insertSubstitutions(kFixedGothic,
                             {"IPAGothic", "Noto Sans Mono CJK JP", "IPAPGothic", "Noto Sans JP"});
  QApplication::setFont(WindowFont());
}

QFont WindowFont() {
  QFont font(kProportionalGothic);
  font.setPixelSize(kPixelSize);
  return font;
}

}  // namespace kyrovane::gui
