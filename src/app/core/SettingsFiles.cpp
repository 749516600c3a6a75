#include "app/core/SettingsFiles.h"

#include <string>
#include <string_view>
#include <type_traits>

#include "app/core/IniFile.h"
#include "app/core/UiPort.h"
#include "text/TextLines.h"

namespace kyrovane {
namespace {

constexpr std::string_view kEnvironment = "Environment";
constexpr std::string_view kLayerColor = "LayerColor";
constexpr std::string_view kApplication = "Application";

enum class TKeyOrder { Ini, List };

// Calls field(section, key, member) for every stored setting, in the order the writers write
// them.
template <class Environment, class Field>
void VisitStoredSettings(Environment& env, TKeyOrder order, Field&& field) {
  const auto numbered = [](std::string_view stem, int n) {
    return std::string(stem) + std::to_string(n);
  };
  field(kEnvironment, "Mode", env.Mode);
  field(kEnvironment, "Save", env.Save);
  field(kEnvironment, "PreView", env.PreView);
  field(kEnvironment, "UseSpline", env.UseSpline);
  if (order == TKeyOrder::List) {
    field(kEnvironment, "UseGray", env.UseGray);
    field(kEnvironment, "UseJwwFont", env.UseJwwFont);
  } else {
    field(kEnvironment, "UseJwwFont", env.UseJwwFont);
    field(kEnvironment, "UseGray", env.UseGray);
  }
  field(kEnvironment, "PictureCompression", env.PictureCompression);
  for (int pen = 1; pen <= 9; ++pen) field(kEnvironment, numbered("Line", pen), env.Line[pen]);
  for (int pen = 1; pen <= 9; ++pen) {
    field(kEnvironment, numbered("LineColor", pen), env.LineColor[pen]);
  }
  field(kEnvironment, "BackGroundColor", env.BackGroundColor);
  field(kEnvironment, "GrayLayerColor", env.GrayLayerColor);
  for (int i = 0; i < 8; ++i) field(kEnvironment, numbered("CustomColor", i), env.CustomColor[i]);
  field(kEnvironment, "UseColor", env.UseColor);
  field(kEnvironment, "UseLayerColor", env.UseLayerColor);
  for (int type = 1; type <= 19; ++type) {
    field(kEnvironment, numbered("LinePatternScale", type), env.LinePatternScale[type]);
  }
  field(kEnvironment, "Magnification", env.Magnification);
  field(kEnvironment, "TextRise", env.TextRise);
  field(kEnvironment, "LeftMargin", env.LeftMargin);
  field(kEnvironment, "BottomMargin", env.BottomMargin);
  field(kEnvironment, "RandomWidth", env.RandomWidth);
  for (int layer = 0; layer < 256; ++layer) {
    field(kLayerColor, std::to_string(layer), env.LayerColor[layer]);
  }
  field(kEnvironment, "LastDir", env.LastDir);
  field(kEnvironment, "TextFont", env.TextFont);
}

void ReadStoredSettings(const TIniFile& ini, REnvironment& env) {
  REnvironment read = DefaultEnvironment();
  VisitStoredSettings(read, TKeyOrder::Ini,
                      [&](std::string_view section, const std::string& key, auto& value) {
                        using T = std::remove_reference_t<decltype(value)>;
                        if constexpr (std::is_same_v<T, bool>) {
                          value = ini.ReadBool(section, key, value);
                        } else if constexpr (std::is_same_v<T, long double>) {
                          value = ini.ReadFloat(section, key, value);
                        } else if constexpr (std::is_same_v<T, std::string>) {
                          value = ini.ReadString(section, key, value);
                        } else {
                          value = ini.ReadInteger(section, key, value);
                        }
                      });
  ValidateTextFont(read);
  read.PaperMode = env.PaperMode;
  read.FitToPaper = env.FitToPaper;
  read.HalfScale = env.HalfScale;
  env = read;
}

void WriteStoredSettings(TIniFile& ini, const REnvironment& env, TKeyOrder order) {
  VisitStoredSettings(env, order,
                      [&](std::string_view section, const std::string& key, auto& value) {
                        using T = std::remove_cvref_t<decltype(value)>;
                        if constexpr (std::is_same_v<T, bool>) {
                          ini.WriteBool(section, key, value);
                        } else if constexpr (std::is_same_v<T, long double>) {
                          ini.WriteFloat(section, key, value);
                        } else if constexpr (std::is_same_v<T, std::string>) {
                          // An empty last folder, or one that the file cannot hold, leaves
                          // the one the file holds.
                          if (key != "LastDir" || (!value.empty() && !HasLineBreak(value)))
                            ini.WriteString(section, key, value);
                        } else {
                          ini.WriteInteger(section, key, value);
                        }
                      });
}

}  // namespace

TIniStartState ReadIniStartState(const std::filesystem::path& Path) {
  const TIniFile ini(Path);
  TIniStartState state;
  state.Save = ini.ReadBool(kEnvironment, "Save", false);
  state.Placement.Top = ini.ReadInteger(kEnvironment, "Top", -1);
  state.Placement.Left = ini.ReadInteger(kEnvironment, "Left", -1);
  state.Placement.Icon = ini.ReadBool(kEnvironment, "Icon", false);
  return state;
}

std::optional<std::string> ReadIniFile(const std::filesystem::path& Path, REnvironment& Env) {
  const TIniFile ini(Path);
  ReadStoredSettings(ini, Env);
  if (ini.Unreadable()) return ini.CannotReadMessage();
  return std::nullopt;
}

void WriteIniFile(const std::filesystem::path& Path, const REnvironment& Env,
                  const TWindowPlacement& Placement) {
  std::error_code ignored;  // a folder that cannot be made fails the write below
  std::filesystem::create_directories(Path.parent_path(), ignored);
  TIniFile ini(Path);
  ini.WriteInteger(kEnvironment, "Top", Placement.Top);
  ini.WriteInteger(kEnvironment, "Left", Placement.Left);
  ini.WriteBool(kEnvironment, "Icon", Placement.Icon);
  WriteStoredSettings(ini, Env, TKeyOrder::Ini);
  ini.UpdateFile();
}

void ReadSettingsFile(const std::filesystem::path& Path, REnvironment& Env, UiPort& Ui) {
  const TIniFile ini(Path);
  if (ini.Unreadable()) throw EIniFileError(ini.CannotReadMessage());
  if (ini.ReadInteger(kApplication, "DataVersion", 0) < kDataVersion) {
    Ui.MessageBox("kvsファイル読み込み",
                  "kvsファイルのバージョンが古いため、設定が反映されない可能性があります。",
                  TMessageIcon::Warning, TMessageButtons::Ok);
  }
  ReadStoredSettings(ini, Env);
}

void WriteSettingsFile(const std::filesystem::path& Path, const REnvironment& Env, int32_t Top,
                       int32_t Left) {
  TIniFile ini(Path);
  ini.WriteInteger(kApplication, "DataVersion", kDataVersion);
  ini.WriteInteger(kEnvironment, "Top", Top);
  ini.WriteInteger(kEnvironment, "Left", Left);
  WriteStoredSettings(ini, Env, TKeyOrder::Ini);
  ini.UpdateFile();
}

void WriteListSettingsFile(const std::filesystem::path& Path, const REnvironment& Env) {
  TIniFile ini(Path);
  ini.WriteInteger(kApplication, "DataVersion", kDataVersion);
  WriteStoredSettings(ini, Env, TKeyOrder::List);
  ini.UpdateFile();
}

}  // namespace kyrovane
