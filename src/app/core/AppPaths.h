#pragma once

// The per-user folders of the program: the configuration folder holds the ini file, the cache
// folder the preview files temp0.pdf .. temp64.pdf. Both follow XDG_CONFIG_HOME and
// XDG_CACHE_HOME (absolute paths only), else ~/.config and ~/.cache.

#include <filesystem>

namespace kyrovane {

std::filesystem::path ConfigFolder();
std::filesystem::path CacheFolder();

// ConfigFolder() / "Kyrovane.ini", whatever the executable is called.
std::filesystem::path IniFilePath();

// The preview files are numbered 0 .. kLastPreviewNumber.
inline constexpr int kLastPreviewNumber = 64;
std::filesystem::path PreviewFilePath(const std::filesystem::path& Folder, int Number);

// Deletes temp0.pdf .. temp64.pdf in the folder; what cannot be deleted stays, silently.
void DeletePreviewFiles(const std::filesystem::path& Folder);

}  // namespace kyrovane
