#pragma once

// The folders the program uses besides those of its drawings.

#include <filesystem>

namespace kyrovane {

// The folder of the running program file; empty when the system does not tell.
std::filesystem::path ProgramFolder();

// The program's per-user folder of one kind: "Kyrovane" in the folder that the base-directory
// variable (as XDG_CONFIG_HOME) names when it holds an absolute path, otherwise in the
// default folder below the home folder (as ".config").
std::filesystem::path UserFolder(const char* Variable, const char* DefaultBelowHome);

// The per-user folder of the program's settings: $XDG_CONFIG_HOME/Kyrovane or
// ~/.config/Kyrovane.
std::filesystem::path UserConfigFolder();

// The registry file in that folder (see TKeyValueFile).
std::filesystem::path RegistryFile();

}  // namespace kyrovane
