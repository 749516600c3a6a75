#include "import/ByteReader.h"

#include "files/RegularFile.h"

namespace kyrovane {

std::string ReadDrawingFile(const std::filesystem::path& path) {
  TFileBytes file = ReadRegularFile(path, kMaxDrawingFileSize);
  switch (file.Failure) {
    case TFileReadFailure::None:
      return std::move(file.Bytes);
    case TFileReadFailure::Missing:
      throw EReadError("ファイルがありません");
    case TFileReadFailure::NotRegular:
      throw EReadError("通常のファイルではありません");
    case TFileReadFailure::TooLarge:
      throw EReadError("ファイルが大きすぎます（上限 " + std::to_string(kMaxDrawingFileSize >> 20) +
                       " MB）");
    default:
      throw EReadError("ファイルを読み込めません");
  }
}

}  // namespace kyrovane
