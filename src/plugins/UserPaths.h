#pragma once

// The folders the program uses besides those of its drawings.

#include <filesystem>

namespace kyrovane {

// The folder of the running program file; empty when the system does not tell.
std::filesystem::path ProgramFolder();

// The per-user folder of the program's settings: $XDG_CONFIG_HOME/Kyrovane when that variable
// holds an absolute path, otherwise ~/.config/Kyrovane. Empty when there is no home folder.
std::filesystem::path UserConfigFolder();

// The registry file in that folder (see TKeyValueFile); empty when the folder is.
std::filesystem::path RegistryFile();

}  // namespace kyrovane
