#include "app/core/AppPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgramFolder = "Kyrovane";

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
    return user->pw_dir;
  }
  return "/";
}

// The folder a base-directory variable names, or the default below the home folder; the
// variable counts only when it holds an absolute path.
fs::path UserFolder(const char* variable, const char* defaultBelowHome) {
  if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
    return fs::path(value) / kProgramFolder;
  }
  return HomeFolder() / defaultBelowHome / kProgramFolder;
}

}  // namespace

fs::path ConfigFolder() {
  return UserFolder("XDG_CONFIG_HOME", ".config");
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
