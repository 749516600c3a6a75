#pragma once

// The common ground of the picture classes: the error every picture reader raises, the size
// bounds every picture must keep, and the base class through which the PDF image creators and
// the drawing's image entity take any picture.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kyrovane {

// A picture that cannot be read: missing or unreadable file, damaged or truncated data, an
// unsupported variant or a declared size beyond the bounds below.
class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Bounds on declared picture sizes, checked before any pixel buffer is allocated: a picture
// may be at most 65535 pixels wide and high and hold at most 100 million pixels.
inline constexpr int64_t kMaxPictureDimension = 65535;
inline constexpr int64_t kMaxPicturePixels = 100'000'000;
// Picture files larger than this are refused before they are read.
inline constexpr std::uintmax_t kMaxPictureFileSize = 512u * 1024 * 1024;

// Throws EInvalidGraphic unless width × height lies within the bounds above (0 is allowed).
void CheckPictureSize(int64_t width, int64_t height);

// Reads a whole picture file; throws EInvalidGraphic when it is missing, unreadable, no regular
// file or larger than kMaxPictureFileSize.
std::string ReadPictureFile(const std::filesystem::path& path);

// A picture of some kind. Loading replaces the previous picture only when it succeeds.
class TGraphic {
 public:
  virtual ~TGraphic() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // True when the picture has no pixels (nothing loaded, or a zero width or height).
  virtual bool Empty() const = 0;

  // Loads the picture from a whole file held in memory.
  virtual void LoadFromStream(std::string_view bytes) = 0;
  // Loads the picture from a file; the default reads the file and calls LoadFromStream.
  virtual void LoadFromFile(const std::filesystem::path& path);

 protected:
  TGraphic() = default;
  TGraphic(const TGraphic&) = default;
  TGraphic& operator=(const TGraphic&) = default;
};

}  // namespace kyrovane
