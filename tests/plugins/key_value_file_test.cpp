// The registry file: values written and read back, hand-edited and damaged files, a pipe in its
// place, and values it cannot hold.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "plugins/KeyValueFile.h"
#include "support/test_support.h"

namespace kyrovane::test {
namespace {

TEST(KeyValueFile, ValuesAreWrittenInPlaceAndOtherLinesKept) {
  TempDir dir;
  const TKeyValueFile file(dir / "new" / "registry.conf");
  EXPECT_FALSE(file.Read("A\\B"));
  file.Write("A\\B", "/x y/z");
  file.Write("Other", "1");
  WriteFile(dir / "new" / "registry.conf",
            ReadFile(dir / "new" / "registry.conf") + "# a\\b=comment\nno equals sign\n");
  file.Write("a\\b", "");
  file.Write("Other", "2");
  EXPECT_EQ(ReadFile(dir / "new" / "registry.conf"),
            "a\\b=\nOther=2\n# a\\b=comment\nno equals sign\n");
  EXPECT_EQ(file.Read("A\\B"), "");
}

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
  EXPECT_THROW(file.Write("key", "value"), std::runtime_error);
}

TEST(KeyValueFile, ValuesItCannotHoldAndFilesItCannotWriteAreRefused) {
  TempDir dir;
  const TKeyValueFile file(dir / "registry.conf");
  for (const auto& [name, value] : {std::pair{"", "v"},
                                    {"a=b", "v"},
                                    {"a\nb", "v"},
                                    {"a", "v\r"},
                                    {" a", "v"},
                                    {"a", "v "},
                                    {"#a", "v"}}) {
    EXPECT_THROW(file.Write(name, value), std::invalid_argument) << name << value;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "registry.conf"));
  if (geteuid() != 0) {
    chmod(dir.path().c_str(), 0500);
    EXPECT_EQ(MessageOf([&] { file.Write("a", "b"); }),
              (dir / "registry.conf").string() + " に書き込めません");
    chmod(dir.path().c_str(), 0700);
  }
}

}  // namespace
}  // namespace kyrovane::test
