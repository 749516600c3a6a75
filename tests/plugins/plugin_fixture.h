#pragma once

// The project's test plug-ins, folders where plug-ins are trusted, pictures in the format of
// the KYPX plug-in, and a registry file of the test's own.

#include <filesystem>
#include <string>
#include <vector>

#include "pdf/picture/Bitmap.h"
#include "support/test_support.h"

namespace kyrovane::test {

// The folder of the test plug-ins, and one of them by name ("kypx" is kypx.spi): copies of
// those built beside the test programs of this folder, made once per test program in a
// TrustedTempDir, since the build tree may lie where others can write (as /tmp).
std::filesystem::path TestPluginFolder();
std::filesystem::path TestPlugin(const std::string& name);

// A fresh folder that only this user can change, in a place where no one else can change
// anything either: the build tree when it is such a place, else the user's home folder.
TempDir TrustedTempDir();

// Where such folders can be made for the user that AsOrdinaryUser runs as, who must also be
// able to enter them and run plug-ins from them; nothing when there is no such place. When
// the tests run as root: the build tree, or else /run, when it is such a place.
std::filesystem::path TrustedPlaceForOrdinaryUser();

// A KYPX picture: `rows` holds the rows from the top, packed as the format stores them.
std::string Kypx(int width, int height, int bits, const std::vector<TRGB>& colors,
                 const std::string& rows);

// Points XDG_CONFIG_HOME at a folder of its own for its lifetime; SetPluginFolder writes the
// registry value that names the folder of the user's plug-ins.
class ScopedRegistry {
 public:
  void SetPluginFolder(const std::filesystem::path& folder) const;

 private:
  TempDir config_;
  ScopedEnvironment variable_{"XDG_CONFIG_HOME", config_.path().string()};
};

}  // namespace kyrovane::test
