// The reader of every file a user names: regular files within their limit, and nothing else,
// without waiting on what is not a file.

#include "files/RegularFile.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/test_support.h"

namespace kyrovane::test {
namespace {

TEST(RegularFile, ReadsRegularFilesWithinTheirLimitAndRefusesAllElseWithoutWaiting) {
  const HangAlarm hangAlarm(30);
  TempDir dir;
  const std::string bytes("abc\0def", 7);
  WriteFile(dir / "a", bytes);
  std::filesystem::create_symlink(dir / "a", dir / "link");
  MakePipe(dir / "pipe");

  EXPECT_EQ(ReadRegularFile(dir / "link", 7).Bytes, bytes);
  EXPECT_EQ(ReadRegularFile(dir / "a", 6).Failure, TFileReadFailure::TooLarge);
  EXPECT_EQ(ReadRegularFileStart(dir / "a", 3).Bytes, "abc");
  EXPECT_EQ(ReadRegularFileStart(dir / "a", 100).Bytes, bytes);

  const TFileBytes missing = ReadRegularFile(dir / "missing" / "a", 100);
  EXPECT_EQ(missing.Failure, TFileReadFailure::Missing);
  EXPECT_EQ(missing.Error, ENOENT);
  const TFileBytes folder = ReadRegularFile(dir.path(), 100);
  EXPECT_EQ(folder.Failure, TFileReadFailure::NotRegular);
  EXPECT_EQ(folder.Error, EISDIR);
  for (const std::filesystem::path& other : {dir / "pipe", std::filesystem::path("/dev/zero")}) {
    EXPECT_EQ(ReadRegularFile(other, 100).Failure, TFileReadFailure::NotRegular) << other;
    EXPECT_EQ(ReadRegularFileStart(other, 0).Failure, TFileReadFailure::NotRegular) << other;
  }
}

TEST(RegularFile, OnlyANameWithNothingBehindItIsAbsent) {
  TempDir dir;
  WriteFile(dir / "a", "");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling");
  std::filesystem::create_symlink(dir / "loop", dir / "loop");
  for (const char* absent : {"missing", "missing/a", "a/b", "dangling"}) {
    EXPECT_TRUE(IsAbsent(dir / absent)) << absent;
  }
  for (const char* there : {"a", ".", "loop", "loop/a"}) {
    EXPECT_FALSE(IsAbsent(dir / there)) << there;
  }
}

}  // namespace
}  // namespace kyrovane::test
