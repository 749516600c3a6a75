// The causes of system failures, as users read them.

#include "app/core/FileErrors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

namespace kyrovane {
namespace {

TEST(FileErrors, CausesAreJapaneseSentencesWhateverTheError) {
  const std::pair<int, std::string> told[] = {
      {EMFILE, "このプログラムが開いているファイルが多すぎます。"},
      {ENFILE, "システム全体で開いているファイルが多すぎます。"},
      {EBUSY, "ファイルまたはフォルダーが使用中です。"},
      {EIO, "入出力エラーが発生しました。"},
      {EDQUOT, "ディスクの使用量が上限に達しました。"},
      {EFBIG, "ファイルが大きすぎます。"},
      {ESTALE, "ネットワーク上のファイルへの参照が無効になりました。"},
      {ETIMEDOUT, "応答がなく、時間切れになりました。"},
      {EMLINK, "リンクの数が多すぎます。"},
      {ENOTDIR, "パスの途中にフォルダーでないものがあります。"},
      {EDOM, "システムのエラーが発生しました（エラー番号 33）。"},
  };
  for (const auto& [error, cause] : told) EXPECT_EQ(ErrorCause(error), cause) << error;
  for (int error = 1; error < 200; ++error) {
    const std::string cause = ErrorCause(error);
    EXPECT_TRUE(cause.ends_with("。")) << error;
    const auto english = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    EXPECT_FALSE(std::ranges::any_of(cause, english)) << error << " " << cause;
  }
}

}  // namespace
}  // namespace kyrovane
