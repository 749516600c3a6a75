#pragma once

// The pictures of one conversion. Each picture file is looked up, read and decoded once and
// shared by every image that places it, and each resampled size of it is made once; what the
// store holds stays within a memory bound, so that a drawing that places a huge picture many
// times, or many huge pictures, costs at most that much. Folder listings made while looking up
// picture files are kept, so that a large folder is listed once however many pictures are
// looked for in it.

#include <cstddef>
#include <filesystem>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "cad/PicturePath.h"
#include "pdf/picture/Bitmap.h"
#include "pdf/picture/JpegImage.h"

namespace kyrovane {

class TCad_PictureStore {
 public:
  // The file a drawing names (see FindPictureFile), looked up once per name and folder.
  std::optional<std::filesystem::path> Find(std::string_view AName,
                                            const std::filesystem::path& AFolder);

  // A BMP file, or with APlugin any other format through the picture plug-ins, decoded.
  // Null when it cannot be read or decoded, or not kept within the memory bound.
  std::shared_ptr<const TBitmap> Bitmap(const std::filesystem::path& AFile, bool APlugin);
  // The data of a JPEG file, which decodes whole; null likewise.
  std::shared_ptr<const TJPEGImage> Jpeg(const std::filesystem::path& AFile);
  // ASource, the bitmap of AFile, shrunk to a size; null when not kept within the bound.
  std::shared_ptr<const TBitmap> Resampled(const std::filesystem::path& AFile,
                                           const std::shared_ptr<const TBitmap>& ASource,
                                           int AWidth, int AHeight);

  // Bytes of pixels and picture data held at most. When a new picture would go beyond it,
  // pictures that no image holds any more are let go first.
  static constexpr std::size_t kMemoryLimit = std::size_t{1} << 30;
  void SetMemoryLimit(std::size_t ABytes) { limit_ = ABytes; }
  std::size_t HeldBytes() const { return held_; }

  // The picture files found since the last Clear: files the conversion reads.
  std::vector<std::filesystem::path> Files() const;

  // Forgets every picture, failure and folder listing.
  void Clear();

 private:
  struct TEntry {
    std::string Key;
    std::shared_ptr<const TGraphic> Picture;  // null: the picture failed or did not fit
    std::size_t Bytes = 0;
  };

  // The picture kept under the key, made by AMake the first time it is asked for.
  template <class T, class Make>
  std::shared_ptr<const T> Get(std::string AKey, Make AMake);
  // Keeps the picture under the key when it fits within the bound, and a failure (null) as
  // well. Returns the picture kept, or null.
  std::shared_ptr<const TGraphic> Keep(std::string AKey, std::shared_ptr<const TGraphic> APicture,
                                       std::size_t ABytes);

  std::list<TEntry> entries_;  // oldest first
  std::unordered_map<std::string, std::list<TEntry>::iterator> index_;
  std::map<std::pair<std::string, std::string>, std::optional<std::filesystem::path>> found_;
  TFolderListings listings_;
  std::size_t held_ = 0;
  std::size_t limit_ = kMemoryLimit;
};

}  // namespace kyrovane
