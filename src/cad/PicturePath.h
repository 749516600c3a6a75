#pragma once

// Finding the picture files that drawings name. Drawings hold Windows paths in code page 932:
// "img\site.bmp" beside the drawing, or "D:\photos\site.jpg" on a drive of the machine that
// made the drawing. Here separators are slashes, there are no drives, and file names are
// case-sensitive, so a path is looked up leniently.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kyrovane {

// The file that APath (CP932 bytes as the drawing holds them) names, as an absolute path
// without symbolic links, or nothing when no such file exists.
//  1. Backslashes become slashes. A relative path is taken from ADrawingFolder (from the
//     current folder when that is empty); a path on a drive letter cannot be found as written.
//  2. When the path is not found as written, it is looked up in ADrawingFolder with its
//     folders, then with fewer and fewer of its leading folders, down to the file name alone.
// Every name along the way matches regardless of the case of ASCII letters; an exact match is
// preferred, and among several others the first in byte order is taken.
//
// AListings keeps the folders listed in the search, so that looking up many names in one
// folder lists it once.
class TFolderListings {
 public:
  // The entry of AFolder named AName regardless of ASCII case: the first in byte order; nothing
  // when there is none.
  std::optional<std::string> FindIgnoringCase(const std::filesystem::path& AFolder,
                                              const std::string& AName);

 private:
  // Folder -> its entries by lower-cased name, each the first in byte order.
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> folders_;
};

std::optional<std::filesystem::path> FindPictureFile(std::string_view APath,
                                                     const std::filesystem::path& ADrawingFolder,
                                                     TFolderListings& AListings);

}  // namespace kyrovane
