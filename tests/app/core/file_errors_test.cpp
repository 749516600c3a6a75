// The causes of system failures, as users read them, and the reads that tell them.

#include "app/core/FileErrors.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

#include "app/core/DrawingFiles.h"
#include "app/core/ListFiles.h"
#include "app/core/OutputFile.h"
#include "app/core/SettingsFiles.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

TEST(FileErrors, EveryCauseHasItsOwnSentence) {
  const std::pair<int, std::string> told[] = {
      {ENOSPC, "ディスクの空き容量が足りません。"},
      {EDQUOT, "ディスクの使用量が上限に達しました。"},
      {EFBIG, "ファイルが大きすぎます。"},
      {EACCES, "権限がありません。"},
      {EPERM, "権限がありません。"},
      {ENOENT, "ファイルまたはフォルダーがありません。"},
      {ENOTDIR, "パスの途中にフォルダーでないものがあります。"},
      {ENAMETOOLONG, "名前が長すぎます。"},
      {EROFS, "読み取り専用のファイルシステムです。"},
      {EISDIR, "フォルダーです。"},
      {ELOOP, "シンボリックリンクが循環しています。"},
      {ENOMEM, "メモリーが足りません。"},
      {EMFILE, "このプログラムが開いているファイルが多すぎます。"},
      {ENFILE, "システム全体で開いているファイルが多すぎます。"},
      {EBUSY, "ファイルまたはフォルダーが使用中です。"},
      {ETXTBSY, "実行中のプログラムが使っているファイルです。"},
      {EIO, "入出力エラーが発生しました。"},
      {EREMOTEIO, "入出力エラーが発生しました。"},
      {ENXIO, "デバイスが見つかりません。"},
      {ENODEV, "デバイスが見つかりません。"},
      {ESTALE, "ネットワーク上のファイルへの参照が無効になりました。"},
      {ETIMEDOUT, "応答がなく、時間切れになりました。"},
      {ENOTCONN, "ネットワークとの接続が切れました。"},
      {ECONNRESET, "ネットワークとの接続が切れました。"},
      {ECONNABORTED, "ネットワークとの接続が切れました。"},
      {ENOLINK, "ネットワークとの接続が切れました。"},
      {ENETDOWN, "ネットワークに接続できません。"},
      {ENETUNREACH, "ネットワークに接続できません。"},
      {EHOSTDOWN, "ネットワークに接続できません。"},
      {EHOSTUNREACH, "ネットワークに接続できません。"},
      {ECONNREFUSED, "ネットワークに接続できません。"},
      {EMLINK, "リンクの数が多すぎます。"},
      {EXDEV, "別のファイルシステムへは移動できません。"},
      {EAGAIN, "一時的に使えません。しばらくしてからやり直してください。"},
      {EINTR, "処理が中断されました。"},
      {EOVERFLOW, "ファイルが大きすぎて扱えません。"},
      {EINVAL, "このファイルシステムでは使えない名前か、できない操作です。"},
      {EILSEQ, "名前に使えない文字が含まれています。"},
      {EOPNOTSUPP, "このファイルシステムではできない操作です。"},
      {ENOSYS, "このファイルシステムではできない操作です。"},
      {EDOM, "システムのエラーが発生しました（エラー番号 33）。"},
  };
  for (const auto& [error, cause] : told) EXPECT_EQ(ErrorCause(error), cause) << error;
  for (int error = 1; error < 200; ++error) {
    const std::string cause = ErrorCause(error);
    EXPECT_TRUE(cause.ends_with("。")) << error;
    const auto english = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    EXPECT_FALSE(std::ranges::any_of(cause, english)) << error << " " << cause;
  }

  // A file that was not read tells why: the read's own error, or what the file is.
  const struct {
    TFileReadFailure failure;
    int error;
    std::string cause;
  } notRead[] = {
      {TFileReadFailure::Missing, ENOENT, "ファイルまたはフォルダーがありません。"},
      {TFileReadFailure::Missing, ENOTDIR, "パスの途中にフォルダーでないものがあります。"},
      {TFileReadFailure::Unreadable, EACCES, "権限がありません。"},
      {TFileReadFailure::Unreadable, EROFS, "読み取り専用のファイルシステムです。"},
      {TFileReadFailure::Unreadable, ELOOP, "シンボリックリンクが循環しています。"},
      {TFileReadFailure::Unreadable, EIO, "入出力エラーが発生しました。"},
      {TFileReadFailure::Unreadable, EMFILE, "このプログラムが開いているファイルが多すぎます。"},
      {TFileReadFailure::NotRegular, EISDIR, "フォルダーです。"},
      {TFileReadFailure::NotRegular, 0, "通常のファイルではありません。"},
      {TFileReadFailure::TooLarge, 0, "大きすぎます（上限 256 MB）。"},
  };
  for (const auto& [failure, error, cause] : notRead) {
    EXPECT_EQ(ReadFailureCause(failure, error, 256u << 20), cause) << error;
  }
}

// Every read of a file that the user named passes on the error of its own failure.
TEST(FileErrors, ReadsTellTheCauseOfTheirOwnFailure) {
  test::TempDir dir;
  fs::create_directory(dir / "folder.jww");
  fs::create_symlink("loop.jww", dir / "loop.jww");
  test::WriteFile(dir / "locked.jww", "JwwData.");
  fs::permissions(dir / "locked.jww", fs::perms::owner_write);
  const std::string outcome = test::AsOrdinaryUser(dir.path(), [&] {
    std::string told;
    for (const char* name : {"folder.jww", "loop.jww", "locked.jww"}) {
      const fs::path path = dir / name;
      REnvironment env = DefaultEnvironment();
      for (const std::string& message :
           {test::MessageOf([&] { ReadDrawingBytes(path); }),
            test::MessageOf([&] { ReadListLines(path); }), ReadIniFile(path, env).value_or("")}) {
        told += message.substr(message.rfind('\n') + 1) + "\n";
      }
    }
    return told;
  });
  EXPECT_EQ(outcome,
            "フォルダーです。\nフォルダーです。\nフォルダーです。\n"
            "シンボリックリンクが循環しています。\nシンボリックリンクが循環しています。\n"
            "シンボリックリンクが循環しています。\n"
            "権限がありません。\n権限がありません。\n権限がありません。\n");
}

// A write tells the error of the call that failed it; only a refusal to create or replace the
// file is about the user's permission.
TEST(FileErrors, WritesTellTheCauseOfTheirOwnFailure) {
  test::TempDir dir;
  const auto write = [&] {
    return test::MessageOf([&] { WriteFileSafely(dir / "a.pdf", "whole"); });
  };
  const struct {
    test::RefusedCall call;
    std::string cause;
  } cases[] = {
      {{__NR_openat, EROFS}, "読み取り専用のファイルシステムです。"},
      {{__NR_openat, EACCES}, "書き込む権限がありません。"},
      {{__NR_openat, EPERM}, "書き込む権限がありません。"},
      {{__NR_openat, ENOENT}, "このフォルダーにはファイルを作成できません。"},
      // Network and delayed-allocation file systems tell a full disk when the data is synced.
      {{__NR_fdatasync, ENOSPC}, "ディスクの空き容量が足りません。"},
      {{__NR_fdatasync, EDQUOT}, "ディスクの使用量が上限に達しました。"},
      {{__NR_fdatasync, EIO}, "入出力エラーが発生しました。"},
      {{__NR_rename, EROFS}, "読み取り専用のファイルシステムです。"},
  };
  for (const auto& [call, cause] : cases) {
    EXPECT_EQ(test::WithoutUnnamedFiles(write, {call}), cause) << call.number << " " << call.error;
  }
  // The write itself fails beyond the process's file size limit. (Refusing every write would
  // also refuse those of the sanitizers.)
  const std::string tooLarge = test::WithoutUnnamedFiles([&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit none{0, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &none);
    return write();
  });
  EXPECT_EQ(tooLarge, "ファイルが大きすぎます。");
  EXPECT_TRUE(test::FileNames(dir.path()).empty());
}

}  // namespace
}  // namespace kyrovane
