#include "app/gui/ApplicationSetUp.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace kyrovane::gui {
namespace {

const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kFixedGothic = QStringLiteral("ＭＳ ゴシック");
constexpr int kPixelSize = 12;

}  // namespace

void SetUpApplication() {
  QApplication::setApplicationName("Kyrovane");
  QGuiApplication::setDesktopFileName("kyrovane");

  auto* translator = new QTranslator(qApp);
  if (translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }

  QFont::insertSubstitutions(kProportionalGothic,
                             {"IPAPGothic", "Noto Sans CJK JP", "IPAGothic", "Noto Sans JP"});
  QFont::insertSubstitutions(kFixedGothic,
                             {"IPAGothic", "Noto Sans Mono CJK JP", "IPAPGothic", "Noto Sans JP"});
  QFont font(kProportionalGothic);
  font.setPixelSize(kPixelSize);
  QApplication::setFont(font);
}

}  // namespace kyrovane::gui
