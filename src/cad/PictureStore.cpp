#include "cad/PictureStore.h"

#include <exception>

#include "cad/BitmapUtils.h"
#include "cad/PluginPictures.h"

namespace kyrovane {
namespace {

std::size_t BytesOf(const TBitmap& ABitmap) {
  return std::size_t{3} * static_cast<std::size_t>(ABitmap.Width()) *
         static_cast<std::size_t>(ABitmap.Height());
}

std::size_t BytesOf(const TJPEGImage& AJpeg) {
  return AJpeg.Data().size();
}

std::string Key(std::string_view AKind, const std::filesystem::path& AFile) {
  std::string key(AKind);
  key += '\0';
  key += AFile.native();
  return key;
}

}  // namespace

std::optional<std::filesystem::path> TCad_PictureStore::Find(std::string_view AName,
                                                             const std::filesystem::path& AFolder) {
  auto [it, added] = found_.try_emplace({std::string(AName), AFolder.native()});
  if (added) it->second = FindPictureFile(AName, AFolder, listings_);
  return it->second;
}

template <class T, class Make>
std::shared_ptr<const T> TCad_PictureStore::Get(std::string AKey, Make AMake) {
  if (const auto kept = index_.find(AKey); kept != index_.end()) {
    return std::static_pointer_cast<const T>(kept->second->Picture);
  }
  std::shared_ptr<const T> picture;
  // A picture that cannot be read, decoded or held in memory is left out, and the rest of the
  // drawing goes on.
  try {
    picture = AMake();
  } catch (const std::exception&) {
  }
  const std::size_t bytes = picture ? BytesOf(*picture) : 0;
  return std::static_pointer_cast<const T>(Keep(std::move(AKey), picture, bytes));
}

std::shared_ptr<const TGraphic> TCad_PictureStore::Keep(std::string AKey,
                                                        std::shared_ptr<const TGraphic> APicture,
                                                        std::size_t ABytes) {
  if (APicture) {
    for (auto it = entries_.begin(); held_ + ABytes > limit_ && it != entries_.end();) {
      if (it->Picture && it->Picture.use_count() == 1) {
        held_ -= it->Bytes;
        index_.erase(it->Key);
        it = entries_.erase(it);
      } else {
        ++it;
      }
    }
    if (held_ + ABytes > limit_) APicture = nullptr;
  }
  const std::size_t bytes = APicture ? ABytes : 0;
  held_ += bytes;
  entries_.push_back({AKey, APicture, bytes});
  index_.emplace(std::move(AKey), std::prev(entries_.end()));
  return APicture;
}

std::shared_ptr<const TBitmap> TCad_PictureStore::Bitmap(const std::filesystem::path& AFile,
                                                         bool APlugin) {
  if (APlugin) {
    return Get<TBitmap>(Key("plug-in", AFile),
                        [&] { return std::make_shared<const TBitmap>(LoadPluginPicture(AFile)); });
  }
  return Get<TBitmap>(Key("bmp", AFile), [&] {
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->LoadFromFile(AFile);
    return bitmap;
  });
}

std::shared_ptr<const TJPEGImage> TCad_PictureStore::Jpeg(const std::filesystem::path& AFile) {
  return Get<TJPEGImage>(Key("jpeg", AFile), [&] {
    const std::string data = ReadPictureFile(AFile);
    // The data goes into the PDF unchanged: decode it once, so that a damaged or truncated
    // file is refused here instead of breaking the page in a reader.
    DecodeJpeg(data);
    auto jpeg = std::make_shared<TJPEGImage>();
    jpeg->LoadFromStream(data);
    return jpeg;
  });
}

std::shared_ptr<const TBitmap> TCad_PictureStore::Resampled(
    const std::filesystem::path& AFile, const std::shared_ptr<const TBitmap>& ASource, int AWidth,
    int AHeight) {
  return Get<TBitmap>(
      Key("resampled", AFile) + '\0' + std::to_string(AWidth) + 'x' + std::to_string(AHeight),
      [&] { return std::make_shared<const TBitmap>(ResampleBitmap(*ASource, AWidth, AHeight)); });
}

std::vector<std::filesystem::path> TCad_PictureStore::Files() const {
  std::vector<std::filesystem::path> files;
  for (const auto& [name, file] : found_) {
    if (file) files.push_back(*file);
  }
  return files;
}

void TCad_PictureStore::Clear() {
  entries_.clear();
  index_.clear();
  found_.clear();
  listings_ = {};
  held_ = 0;
}

}  // namespace kyrovane
