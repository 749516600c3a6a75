// Feeds any bytes to the profile-file reader and, line by line, to the list-line reader.
// Besides never crashing: a profile written back reads the same values, a key just written
// reads back as written, and a list line written back from what was read reads the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/core/IniFile.h"
#include "app/core/ListFiles.h"

namespace {

using namespace kyrovane;

void CheckProfile(std::string_view text) {
  TIniFile ini("", text);
  const TIniFile again("", ini.Text());
  for (const char* section : {"Environment", "LayerColor", "Application", ""}) {
    for (const char* key : {"Line1", "0", "DataVersion", "LastDir", "TextFont", ""}) {
      if (ini.Value(section, key) != again.Value(section, key)) std::abort();
    }
  }
  ini.WriteString("Environment", "LastDir", "/a b");
  ini.WriteFloat("layercolor", "255", 0.15L);
  if (ini.Value("environment", "lastdir") != "/a b") std::abort();
  if (ini.ReadFloat("LayerColor", "255", 0) != 0.15L) std::abort();
}

void CheckListLine(std::string_view line) {
  const TListLine read = ParseListLine(line);
  TListEntry entry{read.Path, {}};
  const TLayerMasks masks = read.Masks.value_or(TLayerMasks{});
  entry.Param.GroupMask = masks.GroupMask;
  entry.Param.LayerMask = masks.LayerMask;
  const TListLine again = ParseListLine(ListLineText(entry));
  if (again.Path != read.Path || again.Masks != masks) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckProfile(text);
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    CheckListLine(text.substr(start, end - start));
    start = end + 1;
  }
  return 0;
}
