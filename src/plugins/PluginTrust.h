#pragma once

// Whether a plug-in may run inside the program: only when no one but the user and root can
// change it, or change where its name leads.

#include <filesystem>
#include <string>

namespace kyrovane {

// Why the file or folder must not be trusted, in words for the user, or nothing. Trusted is
// what belongs to the user or root, and which no one else may write (a sticky folder that
// anyone may write included), along with every folder from the root to it: on the path as
// given, resolved element by element, and on every link followed on the way.
std::string UntrustedReason(const std::filesystem::path& APath);

}  // namespace kyrovane
