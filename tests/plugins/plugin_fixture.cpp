#include "plugins/plugin_fixture.h"

#include "plugins/KeyValueFile.h"
#include "plugins/UserPaths.h"

namespace kyrovane::test {

std::filesystem::path TestPluginFolder() {
  return KYROVANE_TEST_PLUGINS;
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
  TKeyValueFile(RegistryFile()).Write("Software\\Pellatro\\Susie\\Plug-in\\Path", folder.string());
}

}  // namespace kyrovane::test
