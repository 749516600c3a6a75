#include "pdf/picture/Graphic.h"

#include <fstream>

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
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw EInvalidGraphic("cannot open picture " + path.string());
  if (size > kMaxPictureFileSize) throw EInvalidGraphic("picture file too large: " + path.string());
  std::ifstream in(path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
    throw EInvalidGraphic("cannot read picture " + path.string());
  }
  return bytes;
}

void TGraphic::LoadFromFile(const std::filesystem::path& path) {
  LoadFromStream(ReadPictureFile(path));
}

}  // namespace kyrovane
