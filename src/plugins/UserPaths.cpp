#include "plugins/UserPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
    return user->pw_dir;
  }
  return "/";
}

}  // namespace

fs::path ProgramFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : program.parent_path();
}

fs::path UserFolder(const char* Variable, const char* DefaultBelowHome) {
  // Relative values are invalid by the base-directory rules and ignored.
  if (const char* value = std::getenv(Variable); value != nullptr && value[0] == '/') {
    return fs::path(value) / "Kyrovane";
  }
  return HomeFolder() / DefaultBelowHome / "Kyrovane";
}

fs::path UserConfigFolder() {
  return UserFolder("XDG_CONFIG_HOME", ".config");
}

fs::path RegistryFile() {
  return UserConfigFolder() / "registry.conf";
}

}  // namespace kyrovane
