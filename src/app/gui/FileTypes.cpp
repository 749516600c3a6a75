#include "app/gui/FileTypes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "app/core/FileErrors.h"
#include "app/core/OutputFile.h"
#include "files/RegularFile.h"

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

std::string RegisterFileTypes() {
  const QString path = MimePackagePath();
  const QByteArray text = PackageText();
  const std::filesystem::path target = path.toStdString();
  // A pipe in the package's place must not hold the start up.
  if (ReadRegularFileStart(target, text.size() + 1).Bytes == text.toStdString()) return {};

  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  if (error) return CannotWriteText(target, ErrorCause(error.value()));
  try {
    WriteFileSafely(target, std::string_view(text.constData(), text.size()));
  } catch (const EFileWriteError& failure) {
    return CannotWriteText(target, failure.what());
  }
  // Without the refreshed database the desktop does not see the package; a desktop without
  // the tool simply does not learn the types.
  const QString mimeFolder = QFileInfo(path).dir().absolutePath() + "/..";
  QProcess::execute("update-mime-database", {QDir::cleanPath(mimeFolder)});
  return {};
}

}  // namespace kyrovane::gui
