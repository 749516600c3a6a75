#include "cad/PicturePath.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "text/AsciiCase.h"
#include "text/cp932.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

// A drawing's picture path taken apart: where it starts and the names along it.
struct TWindowsPath {
  bool onDrive = false;  // "X:" first
  bool rooted = false;   // a separator first (after the drive)
  std::vector<std::string> names;
};

TWindowsPath Split(std::string_view utf8) {
  TWindowsPath path;
  if (utf8.size() >= 2 && utf8[1] == ':' &&
      ((utf8[0] >= 'A' && utf8[0] <= 'Z') || (utf8[0] >= 'a' && utf8[0] <= 'z'))) {
    path.onDrive = true;
    utf8.remove_prefix(2);
  }
  path.rooted = !utf8.empty() && (utf8.front() == '\\' || utf8.front() == '/');
  std::string name;
  for (const char c : utf8) {
    if (c == '\\' || c == '/') {
      if (!name.empty()) path.names.push_back(std::move(name));
      name.clear();
    } else {
      name.push_back(c);
    }
  }
  if (!name.empty()) path.names.push_back(std::move(name));
  return path;
}

std::string Lowered(std::string_view name) {
  std::string lowered(name);
  for (char& c : lowered) c = AsciiLower(c);
  return lowered;
}

// The regular file reached from `base` through `names`, each matched regardless of case.
std::optional<fs::path> Walk(fs::path base, std::span<const std::string> names,
                             TFolderListings& listings) {
  if (names.empty()) return std::nullopt;
  std::error_code error;
  for (const std::string& name : names) {
    if (name == "." || name == ".." || fs::exists(base / name, error)) {
      base /= name;
      continue;
    }
    std::optional<std::string> other = listings.FindIgnoringCase(base, name);
    if (!other) return std::nullopt;
    base /= *other;
  }
  if (!fs::is_regular_file(base, error)) return std::nullopt;
  fs::path canonical = fs::canonical(base, error);
  return error ? fs::absolute(base, error) : canonical;
}

}  // namespace

std::optional<std::string> TFolderListings::FindIgnoringCase(const fs::path& AFolder,
                                                             const std::string& AName) {
  auto [folder, added] = folders_.try_emplace(AFolder.native());
  if (added) {
    std::error_code error;
    fs::directory_iterator it(AFolder, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
      std::string entry = it->path().filename().string();
      auto [kept, first] = folder->second.try_emplace(Lowered(entry), entry);
      if (!first && entry < kept->second) kept->second = std::move(entry);
    }
  }
  const auto found = folder->second.find(Lowered(AName));
  if (found == folder->second.end()) return std::nullopt;
  return found->second;
}

std::optional<fs::path> FindPictureFile(std::string_view APath, const fs::path& ADrawingFolder,
                                        TFolderListings& AListings) {
  const std::string utf8 = cp932::ToUtf8(APath);
  // A name cannot hold a NUL byte; the file system would see only the part before it.
  if (utf8.find('\0') != std::string::npos) return std::nullopt;
  const TWindowsPath path = Split(utf8);
  const std::span<const std::string> names(path.names);

  const bool fromFolder = !path.onDrive && !path.rooted;
  if (!path.onDrive) {
    fs::path start = ADrawingFolder.empty() ? fs::path(".") : ADrawingFolder;
    if (path.rooted) start = "/";
    if (auto found = Walk(start, names, AListings)) return found;
  }
  if (ADrawingFolder.empty()) return std::nullopt;
  for (std::size_t skip = fromFolder ? 1 : 0; skip < names.size(); ++skip) {
    if (auto found = Walk(ADrawingFolder, names.subspan(skip), AListings)) return found;
  }
  return std::nullopt;
}

}  // namespace kyrovane
