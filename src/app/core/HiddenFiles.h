#pragma once

// The hidden names of files under way beside their targets, and the removal of those that
// writers left behind. A folder may be shared with other machines, whose writers this one
// cannot see: a leftover is removed only when it is provably no running writer's.

#include <sys/types.h>

#include <ctime>
#include <filesystem>
#include <string>

namespace kyrovane {

// A fresh name ".kyrovane-<machine>-<process>-<random>.tmp" for a file that the process Writer
// of this machine writes. The machine part tells this boot of this machine, and the process
// IDs it shares, from every other.
std::string HiddenFileName(pid_t Writer);

// Removes from Folder the hidden files whose writer this machine knows to be gone, and those,
// of any machine or earlier version, that have not changed for a week before Now (the time of
// the folder's file system).
void RemoveLeftovers(const std::filesystem::path& Folder, const timespec& Now);

}  // namespace kyrovane
