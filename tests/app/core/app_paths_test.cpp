// The per-user folders follow the XDG variables and fall back to the home folder.

#include "app/core/AppPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/test_support.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

TEST(AppPaths, FoldersFollowTheXdgVariablesWhenAbsolute) {
  setenv("HOME", "/home/someone", 1);
  setenv("XDG_CONFIG_HOME", "/x/config", 1);
  setenv("XDG_CACHE_HOME", "relative/cache", 1);
  EXPECT_EQ(IniFilePath(), "/x/config/Kyrovane/Kyrovane.ini");
  EXPECT_EQ(CacheFolder(), "/home/someone/.cache/Kyrovane");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(ConfigFolder(), "/home/someone/.config/Kyrovane");
}

TEST(AppPaths, PreviewFilesAreDeletedButNotAFolderOfTheirName) {
  test::TempDir dir;
  for (int n : {0, 17, 64, 65}) test::WriteFile(PreviewFilePath(dir.path(), n), "pdf");
  fs::create_directory(dir / "temp1.pdf");
  DeletePreviewFiles(dir.path());
  EXPECT_EQ(test::FileNames(dir.path()), (std::vector<std::string>{"temp1.pdf", "temp65.pdf"}));
}

}  // namespace
}  // namespace kyrovane
