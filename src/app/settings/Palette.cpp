#include "app/settings/Palette.h"

#include "app/settings/Environment.h"

namespace kyrovane {
namespace {

struct NamedColor {
  std::string_view name;
  TColor value;
};

constexpr NamedColor kFixedColors[kFirstCustomColor] = {
    {"Aqua", 0xFFFF00},       {"Black", 0x000000},   {"Blue", 0xFF0000},   {"Cream", 0xF0FBFF},
    {"DkGray", 0x808080},     {"Fuchsia", 0xFF00FF}, {"Gray", 0x808080},   {"Green", 0x008000},
    {"Lime", 0x00FF00},       {"LtGray", 0xC0C0C0},  {"Maroon", 0x000080}, {"MedGray", 0xA4A0A0},
    {"MoneyGreen", 0xC0DCC0}, {"Navy", 0x800000},    {"Olive", 0x008080},  {"Orange", 0x0080FF},
    {"Purple", 0x800080},     {"Red", 0x0000FF},     {"Silver", 0xC0C0C0}, {"SkyBlue", 0xF0CAA6},
    {"Teal", 0x808000},       {"White", 0xFFFFFF},   {"Yellow", 0x00FFFF},
};

constexpr std::string_view kCustomNames[kPaletteSize - kFirstCustomColor] = {
    "カスタム色１", "カスタム色２", "カスタム色３", "カスタム色４",
    "カスタム色５", "カスタム色６", "カスタム色７", "カスタム色８",
};

}  // namespace

TColor ColorIndexToColor(int32_t Index, const REnvironment& env) {
  const auto index = static_cast<uint32_t>(Index);
  if (index < kFirstCustomColor) return kFixedColors[index].value;
  if (index < kPaletteSize) return env.CustomColor[index - kFirstCustomColor];
  return 0x000000;
}

std::string_view PaletteColorName(int32_t index) {
  if (index < 0 || index >= kPaletteSize) return {};
  if (index < kFirstCustomColor) return kFixedColors[index].name;
  return kCustomNames[index - kFirstCustomColor];
}

}  // namespace kyrovane
