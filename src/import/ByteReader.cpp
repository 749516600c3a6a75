#include "import/ByteReader.h"

#include <fstream>

namespace kyrovane {

std::string ReadDrawingFile(const std::filesystem::path& path) {
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw EReadError("cannot open " + path.string());
  if (size > kMaxDrawingFileSize) throw EReadError("file too large: " + path.string());
  std::ifstream in(path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
    throw EReadError("cannot read " + path.string());
  }
  return bytes;
}

}  // namespace kyrovane
