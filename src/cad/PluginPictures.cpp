#include "cad/PluginPictures.h"

#include <mutex>
#include <utility>

namespace kyrovane {
namespace {

std::mutex& LoaderMutex() {
  static std::mutex mutex;
  return mutex;
}

TPluginPictureLoader& Loader() {
  static TPluginPictureLoader loader;
  return loader;
}

}  // namespace

void SetPluginPictureLoader(TPluginPictureLoader ALoader) {
  std::lock_guard lock(LoaderMutex());
  Loader() = std::move(ALoader);
}

TBitmap LoadPluginPicture(const std::filesystem::path& AFileName) {
  TPluginPictureLoader loader;
  {
    std::lock_guard lock(LoaderMutex());
    loader = Loader();
  }
  if (!loader) throw EInvalidGraphic("no decoder");
  return loader(AFileName);
}

}  // namespace kyrovane
