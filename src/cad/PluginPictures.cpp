#include "cad/PluginPictures.h"

#include <mutex>
#include <utility>

#include "plugins/SPIBmp.h"

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
  if (!loader) return LoadSPIBitmap(AFileName);
  return loader(AFileName);
}

}  // namespace kyrovane
