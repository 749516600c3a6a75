#include "plugins/PictureRegistry.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "text/AsciiCase.h"

namespace kyrovane {
namespace {

struct TRegistry {
  std::mutex mutex;
  std::vector<TPictureFormat> formats;  // oldest first
};

TRegistry& Registry() {
  static TRegistry registry;
  return registry;
}

}  // namespace

void RegisterFileFormat(std::string_view Extension, std::string_view Description,
                        TGraphicClass AClass) {
  TRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  registry.formats.push_back({std::string(Extension), std::string(Description), AClass});
}

void UnregisterGraphicClass(TGraphicClass AClass) {
  TRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  std::erase_if(registry.formats,
                [AClass](const TPictureFormat& format) { return format.GraphicClass == AClass; });
}

std::optional<TPictureFormat> FindFileFormat(std::string_view Extension) {
  TRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const auto newest = std::find_if(registry.formats.rbegin(), registry.formats.rend(),
                                   [Extension](const TPictureFormat& f) {
                                     return EqualIgnoringAsciiCase(f.Extension, Extension);
                                   });
  if (newest == registry.formats.rend()) return std::nullopt;
  return *newest;
}

}  // namespace kyrovane
