#include "app/core/FileErrors.h"

#include <cerrno>
#include <string>

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
    case EMFILE:
      return "このプログラムが開いているファイルが多すぎます。";
    case ENFILE:
      return "システム全体で開いているファイルが多すぎます。";
    case EBUSY:
      return "ファイルまたはフォルダーが使用中です。";
    case ETXTBSY:
      return "実行中のプログラムが使っているファイルです。";
    case EIO:
    case EREMOTEIO:
      return "入出力エラーが発生しました。";
    case ENXIO:
    case ENODEV:
      return "デバイスが見つかりません。";
    case ESTALE:
      return "ネットワーク上のファイルへの参照が無効になりました。";
    case ETIMEDOUT:
      return "応答がなく、時間切れになりました。";
    case ENOTCONN:
    case ECONNRESET:
    case ECONNABORTED:
    case ENOLINK:
      return "ネットワークとの接続が切れました。";
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ECONNREFUSED:
      return "ネットワークに接続できません。";
    case EMLINK:
      return "リンクの数が多すぎます。";
    case EXDEV:
      return "別のファイルシステムへは移動できません。";
    case EAGAIN:  // also EWOULDBLOCK
      return "一時的に使えません。しばらくしてからやり直してください。";
    case EINTR:
      return "処理が中断されました。";
    case EOVERFLOW:
      return "ファイルが大きすぎて扱えません。";
    case EINVAL:
      return "このファイルシステムでは使えない名前か、できない操作です。";
    case EILSEQ:
      return "名前に使えない文字が含まれています。";
    case EOPNOTSUPP:
    case ENOSYS:
      return "このファイルシステムではできない操作です。";
    default:
      return "システムのエラーが発生しました（エラー番号 " + std::to_string(Error) + "）。";
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
