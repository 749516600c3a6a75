// The registry file: hand-edited and damaged files, and a pipe in its place.

#include <gtest/gtest.h>

#include "plugins/KeyValueFile.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

TEST(KeyValueFile, HandEditedAndDamagedFilesReadSafely) {
  TempDir dir;
  const TKeyValueFile file(dir / "registry.conf");
  struct Case {
    std::string contents;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"  key  =  /a b  \r\nkey=second\n", "/a b"},
      {"KEY=x=y", "x=y"},
      {";key=no\n#key=no\n", std::nullopt},
      {std::string("\0\xFF\x01key=\0v\n", 11), std::nullopt},
      {std::string("key=v\0w\n", 8), std::string("v\0w", 3)},
      {"=\n==\nkey", std::nullopt},
      {std::string(2 * 1024 * 1024, 'k') + "=v\nkey=too large\n", std::nullopt},
  };
  for (const Case& c : cases) {
    WriteFile(dir / "registry.conf", c.contents);
    EXPECT_EQ(file.Read("key"), c.value) << c.contents.substr(0, 40);
  }
  std::filesystem::create_directory(dir / "folder.conf");
  EXPECT_FALSE(TKeyValueFile(dir / "folder.conf").Read("key"));
}

TEST(KeyValueFile, APipeInItsPlaceIsRefusedWithoutWaiting) {
  const HangAlarm hangAlarm(30);
  TempDir dir;
  MakePipe(dir / "registry.conf");
  const TKeyValueFile file(dir / "registry.conf");
  EXPECT_FALSE(file.Read("key"));
}

}  // namespace
}  // namespace kyrovane::test
