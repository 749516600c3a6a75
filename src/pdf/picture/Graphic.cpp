#include "pdf/picture/Graphic.h"

#include "files/RegularFile.h"

namespace kyrovane {

void CheckPictureSize(int64_t width, int64_t height) {
  if (width < 0 || height < 0) throw EInvalidGraphic("negative picture size");
  if (width > kMaxPictureDimension || height > kMaxPictureDimension) {
    throw EInvalidGraphic("picture too large: " + std::to_string(width) + " x " +
                          std::to_string(height) + " pixels");
  }
  // Both factors are at most 65535, so the product cannot overflow.
  if (width * height > kMaxPicturePixels) {
    throw EInvalidGraphic("picture has too many pixels: " + std::to_string(width) + " x " +
                          std::to_string(height));
  }
}

std::string ReadPictureFile(const std::filesystem::path& path) {
  TFileBytes file = ReadRegularFile(path, kMaxPictureFileSize);
  switch (file.Failure) {
    case TFileReadFailure::None:
      return std::move(file.Bytes);
    case TFileReadFailure::TooLarge:
      throw EInvalidGraphic("picture file too large: " + path.string());
    default:
      throw EInvalidGraphic("cannot read picture " + path.string());
  }
}

void TGraphic::LoadFromFile(const std::filesystem::path& path) {
  LoadFromStream(ReadPictureFile(path));
}

}  // namespace kyrovane
