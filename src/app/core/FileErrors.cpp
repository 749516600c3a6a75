#include "app/core/FileErrors.h"

#include <cerrno>
#include <system_error>

namespace kyrovane {

std::string ErrorCause(int Error) {
  switch (Error) {
    case ENOSPC:
      return "ディスクの空き容量が足りません。";
    case EDQUOT:
      return "ディスクの使用量が上限に達しました。";
    case EFBIG:
      return "ファイルが大きすぎます。";
    case EACCES:
    case EPERM:
      return "権限がありません。";
    case ENOENT:
      return "ファイルまたはフォルダーがありません。";
    case ENOTDIR:
      return "パスの途中にフォルダーでないものがあります。";
    case ENAMETOOLONG:
      return "名前が長すぎます。";
    case EROFS:
      return "読み取り専用のファイルシステムです。";
    case EISDIR:
      return "フォルダーです。";
    case ELOOP:
      return "シンボリックリンクが循環しています。";
    case ENOMEM:
      return "メモリーが足りません。";
    default:
      return "（" + std::generic_category().message(Error) + "）";
  }
}

std::string ReadFailureCause(TFileReadFailure Failure, int Error, std::uintmax_t MaxSize) {
  switch (Failure) {
    case TFileReadFailure::NotRegular:
      return Error == EISDIR ? ErrorCause(Error) : "通常のファイルではありません。";
    case TFileReadFailure::TooLarge:
      return "大きすぎます（上限 " + std::to_string(MaxSize >> 20) + " MB）。";
    default:
      return ErrorCause(Error);
  }
}

std::string CannotReadText(const std::filesystem::path& Path, const std::string& Cause) {
  return Path.string() + "\r\nを読み込めません。\r\n" + Cause;
}

std::string CannotWriteText(const std::filesystem::path& Path, const std::string& Cause) {
  return Path.string() + " に書き込めません\r\n" + Cause;
}

}  // namespace kyrovane
