#include "app/core/AppPaths.h"

#include <unistd.h>

#include <string>

#include "plugins/UserPaths.h"

namespace kyrovane {

namespace fs = std::filesystem;

fs::path ConfigFolder() {
  return UserConfigFolder();
}

fs::path CacheFolder() {
  return UserFolder("XDG_CACHE_HOME", ".cache");
}

fs::path IniFilePath() {
  return ConfigFolder() / "Kyrovane.ini";
}

fs::path PreviewFilePath(const fs::path& Folder, int Number) {
  return Folder / ("temp" + std::to_string(Number) + ".pdf");
}

void DeletePreviewFiles(const fs::path& Folder) {
  // unlink, not remove: a folder of that name is no preview file.
  for (int n = 0; n <= kLastPreviewNumber; ++n) unlink(PreviewFilePath(Folder, n).c_str());
}

}  // namespace kyrovane
