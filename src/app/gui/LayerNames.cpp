#include "app/gui/LayerNames.h"

namespace kyrovane::gui {

QString FullWidthHexDigit(int digit) {
  constexpr char16_t kFullWidthZero = u'０';
  constexpr char16_t kFullWidthA = u'Ａ';
  return QString(QChar(digit < 10 ? kFullWidthZero + digit : kFullWidthA + digit - 10));
}

}  // namespace kyrovane::gui
