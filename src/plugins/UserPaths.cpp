#include "plugins/UserPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kyrovane {
namespace {

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return user->pw_dir;
  return {};
}

}  // namespace

std::filesystem::path ProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
}

std::filesystem::path UserConfigFolder() {
  // Relative values are invalid by the base-directory rules and ignored.
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
    return std::filesystem::path(config) / "Kyrovane";
  }
  const std::filesystem::path home = HomeFolder();
  return home.empty() ? home : home / ".config" / "Kyrovane";
}

std::filesystem::path RegistryFile() {
  const std::filesystem::path folder = UserConfigFolder();
  return folder.empty() ? folder : folder / "registry.conf";
}

}  // namespace kyrovane
