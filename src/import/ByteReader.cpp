#include "import/ByteReader.h"

#include "import/RegularFile.h"

namespace kyrovane {

std::string ReadDrawingFile(const std::filesystem::path& path) {
  TFileBytes file = ReadRegularFile(path, kMaxDrawingFileSize);
  switch (file.Failure) {
    case TFileReadFailure::None:
      return std::move(file.Bytes);
    case TFileReadFailure::TooLarge:
      throw EReadError("file too large: " + path.string());
    case TFileReadFailure::Unreadable:
      throw EReadError("cannot read " + path.string());
    default:
      throw EReadError("cannot open " + path.string());
  }
}

}  // namespace kyrovane
