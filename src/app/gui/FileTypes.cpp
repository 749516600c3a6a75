#include "app/gui/FileTypes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

// The resources live in a static library, whose initialiser the linker may drop.
static void LoadResources() {
  Q_INIT_RESOURCE(gui);
}

namespace kyrovane::gui {
namespace {

QByteArray PackageText() {
  LoadResources();
  QFile resource(":/kyrovane/kyrovane-mime.xml");
  resource.open(QIODevice::ReadOnly);
  return resource.readAll();
}

}  // namespace

QString MimePackagePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         "/mime/packages/kyrovane.xml";
}

QString RegisterFileTypes() {
  const QString path = MimePackagePath();
  const QByteArray text = PackageText();
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly) && existing.readAll() == text) return {};
  existing.close();

  QSaveFile file(path);
  if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
      file.write(text) != text.size() || !file.commit()) {
    return path;
  }
  // Without the refreshed database the desktop does not see the package; a desktop without
  // the tool simply does not learn the types.
  const QString mimeFolder = QFileInfo(path).dir().absolutePath() + "/..";
  QProcess::execute("update-mime-database", {QDir::cleanPath(mimeFolder)});
  return {};
}

}  // namespace kyrovane::gui
