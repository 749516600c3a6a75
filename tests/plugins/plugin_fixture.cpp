#include "plugins/plugin_fixture.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <stdexcept>

#include "plugins/PluginTrust.h"
#include "plugins/UserPaths.h"

namespace kyrovane::test {
namespace {

namespace fs = std::filesystem;

fs::path TrustedPlace() {
  static const fs::path place = [] {
    std::vector<fs::path> candidates = {KYROVANE_TEST_PLUGINS};
    if (const passwd* user = getpwuid(geteuid()); user != nullptr && user->pw_dir != nullptr) {
      candidates.emplace_back(user->pw_dir);
    }
    for (const fs::path& candidate : candidates) {
      if (access(candidate.c_str(), W_OK) == 0 && UntrustedReason(candidate).empty()) {
        return candidate;
      }
    }
    throw std::runtime_error("no folder where only this user can change the test plug-ins");
  }();
  return place;
}

// Whether every user may enter the folder, and every folder on the way to it, and run
// programs from it.
bool OpenToEveryone(const fs::path& folder) {
  struct statvfs fileSystem;
  if (statvfs(folder.c_str(), &fileSystem) != 0 || (fileSystem.f_flag & ST_NOEXEC) != 0) {
    return false;
  }
  fs::path reached;
  for (const fs::path& name : fs::canonical(folder)) {
    reached /= name;
    struct stat info;
    if (stat(reached.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0) return false;
  }
  return true;
}

}  // namespace

TempDir TrustedTempDir() {
  return TempDir(TrustedPlace());
}

fs::path TrustedPlaceForOrdinaryUser() {
  if (geteuid() != 0) return TrustedPlace();
  for (const fs::path candidate : {KYROVANE_TEST_PLUGINS, "/run"}) {
    if (access(candidate.c_str(), W_OK) == 0 && UntrustedReason(candidate).empty() &&
        OpenToEveryone(candidate)) {
      return candidate;
    }
  }
  return {};
}

fs::path TestPluginFolder() {
  static const struct Copies {
    Copies() {
      for (const fs::directory_entry& built : fs::directory_iterator(KYROVANE_TEST_PLUGINS)) {
        if (built.path().extension() != ".spi") continue;
        const fs::path copy = folder / built.path().filename().string();
        fs::copy_file(built.path(), copy);
        fs::permissions(copy, fs::perms(0755));  // whatever the umask of the build was
      }
    }
    TempDir folder = TrustedTempDir();
  } copies;
  return copies.folder.path();
}

std::filesystem::path TestPlugin(const std::string& name) {
  return TestPluginFolder() / (name + ".spi");
}

std::string Kypx(int width, int height, int bits, const std::vector<TRGB>& colors,
                 const std::string& rows) {
  std::string data = "KYPX";
  for (int value : {width, height}) {
    data += static_cast<char>(value & 0xFF);
    data += static_cast<char>(value >> 8);
  }
  data += static_cast<char>(bits);
  data += static_cast<char>(colors.empty() ? 0 : colors.size() - 1);
  for (const TRGB& c : colors)
    data += {static_cast<char>(c.R), static_cast<char>(c.G), static_cast<char>(c.B)};
  return data + rows;
}

void ScopedRegistry::SetPluginFolder(const std::filesystem::path& folder) const {
  std::filesystem::create_directories(RegistryFile().parent_path());
  WriteFile(RegistryFile(), "Software\\Pellatro\\Susie\\Plug-in\\Path=" + folder.string() + "\n");
}

}  // namespace kyrovane::test
