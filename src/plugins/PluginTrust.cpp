#include "plugins/PluginTrust.h"

#include <sys/stat.h>
#include <unistd.h>

#include <deque>

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

// As many links as the system follows in one path: a path that needs more runs in a loop.
constexpr int kMaxLinks = 40;

// Why the file or folder itself could be changed by someone else, or nothing.
std::string ItemReason(const fs::path& path, const struct stat& info) {
  const bool folder = S_ISDIR(info.st_mode);
  std::string who;
  if (info.st_uid != 0 && info.st_uid != geteuid()) {
    who = "ほかのユーザーが所有する";
  } else if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    who = "所有者以外も書き換えられる";
  } else {
    return {};
  }
  return folder ? who + "フォルダー " + path.string() + " にあります"
                : who + "ファイル " + path.string() + " です";
}

// Puts the elements of the path (the root left out) before those still to be walked.
void WalkFirst(std::deque<fs::path>& pending, const fs::path& path) {
  const fs::path relative = path.relative_path();
  pending.insert(pending.begin(), relative.begin(), relative.end());
}

}  // namespace

std::string UntrustedReason(const fs::path& APath) {
  std::error_code error;
  const fs::path path = fs::absolute(APath, error);
  if (error) return APath.string() + " を確かめられません";
  // The path is walked as the system walks it, from the root: each element is looked at
  // before it is entered, and a link's target continues the walk from the link's folder.
  fs::path reached = path.root_path();
  std::deque<fs::path> pending;
  WalkFirst(pending, path);
  struct stat info;
  if (lstat(reached.c_str(), &info) != 0) return reached.string() + " を確かめられません";
  if (std::string reason = ItemReason(reached, info); !reason.empty()) return reason;
  int links = 0;
  while (!pending.empty()) {
    const fs::path name = pending.front();
    pending.pop_front();
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      // The folder reached is named without links: its parent by name is its parent on disk,
      // already looked at.
      reached = reached.parent_path();
      continue;
    }
    const fs::path next = reached / name;
    if (lstat(next.c_str(), &info) != 0) return next.string() + " を確かめられません";
    if (S_ISLNK(info.st_mode)) {
      if (++links > kMaxLinks) return "シンボリックリンクが多すぎるか、循環しています";
      const fs::path target = fs::read_symlink(next, error);
      if (error) return next.string() + " を確かめられません";
      if (target.is_absolute()) reached = target.root_path();
      WalkFirst(pending, target);
      continue;
    }
    if (std::string reason = ItemReason(next, info); !reason.empty()) return reason;
    reached = next;
  }
  return {};
}

}  // namespace kyrovane
