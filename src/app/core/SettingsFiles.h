#pragma once

// The settings record in the program's ini file and in settings files (.kvs): sections
// "Environment" and "LayerColor", settings files with "DataVersion" in section "Application".
// Readers give every missing or unreadable key its default; writers update an existing file
// key by key (keys they do not write stay) and replace it in one step, raising EIniFileError
// when that fails or when the existing file cannot be read, which then stays as it is. A last
// folder holding a line break is not written.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "app/settings/Environment.h"

namespace kyrovane {

class UiPort;

// The version mark of settings files; older files have a smaller one or none.
inline constexpr int32_t kDataVersion = 130;

// Where the main window was, kept in the ini file only.
struct TWindowPlacement {
  int32_t Top = -1;  // -1 and -1: none stored
  int32_t Left = -1;
  bool Icon = false;  // minimised
};

// What the main window reads at its creation: "Save" and the placement.
struct TIniStartState {
  bool Save = false;
  TWindowPlacement Placement;
};
TIniStartState ReadIniStartState(const std::filesystem::path& Path);

// Every stored setting into Env, then the font validated; the per-conversion fields stay. A
// file that is there but cannot be read gives the defaults (and the writers leave it alone);
// the message that tells so is returned.
std::optional<std::string> ReadIniFile(const std::filesystem::path& Path, REnvironment& Env);
// The ini file at the main window's closing; creates the file's folder when missing.
void WriteIniFile(const std::filesystem::path& Path, const REnvironment& Env,
                  const TWindowPlacement& Placement);

// A settings file into Env as ReadIniFile does. A file older than kDataVersion (or none at
// all) first shows the warning "kvsファイルのバージョンが古いため…" and is read all the same.
// A file that is there but cannot be read raises EIniFileError and leaves Env as it was.
void ReadSettingsFile(const std::filesystem::path& Path, REnvironment& Env, UiPort& Ui);
// The settings-file dialog's file, with the main window's "Top" and "Left".
void WriteSettingsFile(const std::filesystem::path& Path, const REnvironment& Env, int32_t Top,
                       int32_t Left);
// The settings file beside a list file: no "Top" and "Left", "UseGray" before "UseJwwFont".
void WriteListSettingsFile(const std::filesystem::path& Path, const REnvironment& Env);

}  // namespace kyrovane
