// Files written beside their target and put in place when complete.

#include "app/core/OutputFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iterator>

#include "app/core/FileErrors.h"
#include "app/core/HiddenFiles.h"
#include "app/core/ListFiles.h"
#include "app/core/SettingsFiles.h"
#include "support/test_support.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

std::string MessageOfWriting(const fs::path& target) {
  return test::MessageOf([&] { WriteFileSafely(target, "new"); });
}

TEST(OutputFile, ReplacesTheTargetWholeAndLeavesNothingElse) {
  test::TempDir dir;
  WriteFileSafely(dir / "a.pdf", "first");
  test::WriteFile(dir / "b.pdf", "old");
  fs::permissions(dir / "b.pdf", fs::perms(0640));
  {
    TOutputFile file(dir / "b.pdf");
    file.Stream() << "new";
    EXPECT_EQ(test::ReadFile(dir / "b.pdf"), "old");
    file.Commit();
  }
  EXPECT_EQ(test::ReadFile(dir / "a.pdf"), "first");
  EXPECT_EQ(test::ReadFile(dir / "b.pdf"), "new");
  EXPECT_EQ(fs::status(dir / "b.pdf").permissions(), fs::perms(0640));
  {
    TOutputFile dropped(dir / "b.pdf");
    dropped.Stream() << "never";
  }
  EXPECT_EQ(test::ReadFile(dir / "b.pdf"), "new");
  EXPECT_EQ(test::FileNames(dir.path()), (std::vector<std::string>{"a.pdf", "b.pdf"}));
}

TEST(OutputFile, SymbolicLinksAreWrittenThrough) {
  test::TempDir dir;
  fs::create_directory(dir / "real");
  test::WriteFile(dir / "real" / "plan.pdf", "old");
  fs::create_symlink("real/plan.pdf", dir / "link.pdf");
  fs::create_symlink("link.pdf", dir / "chain.pdf");
  fs::create_symlink("real/new.pdf", dir / "dangling.pdf");
  WriteFileSafely(dir / "chain.pdf", "through");
  WriteFileSafely(dir / "dangling.pdf", "created");
  EXPECT_TRUE(fs::is_symlink(dir / "link.pdf"));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.pdf"));
  EXPECT_EQ(test::ReadFile(dir / "real" / "plan.pdf"), "through");
  EXPECT_EQ(test::ReadFile(dir / "real" / "new.pdf"), "created");
  fs::create_symlink("loop.pdf", dir / "loop.pdf");
  EXPECT_EQ(test::MessageOf([&] { TOutputFile{dir / "loop.pdf"}; }),
            "シンボリックリンクが循環しています。");
}

// In a sticky folder that others may write, another user's link is planted, not the user's.
TEST(OutputFile, AnotherUsersLinkInASharedStickyFolderIsNotFollowed) {
  if (geteuid() != 0) GTEST_SKIP() << "only root can make links of other users";
  test::TempDir dir;
  const uid_t folderOwner = 65534, stranger = 4242;
  test::WriteFile(dir / "thesis.txt", "mine");
  const auto plant = [&](const fs::path& folder, const std::string& name, uid_t owner) {
    fs::create_symlink("../thesis.txt", folder / name);
    ASSERT_EQ(lchown((folder / name).c_str(), owner, owner), 0);
  };
  const auto sharedFolder = [&](const std::string& name, fs::perms mode) {
    fs::create_directory(dir / name);
    fs::permissions(dir / name, mode);
    EXPECT_EQ(chown((dir / name).c_str(), folderOwner, folderOwner), 0);
    return dir / name;
  };
  const std::string refused =
      "共有フォルダーにあるほかのユーザーのシンボリックリンクです。リンク先には書き込みません。";
  for (const fs::perms mode : {fs::perms(01777), fs::perms(01770)}) {
    const fs::path shared = sharedFolder("shared" + std::to_string(int(mode)), mode);
    plant(shared, "plan.pdf", stranger);
    plant(shared, "list.kvs", stranger);
    EXPECT_EQ(test::MessageOf([&] { WriteFileSafely(shared / "plan.pdf", "pdf"); }), refused);
    Settings settings;
    settings.Env = DefaultEnvironment();
    EXPECT_EQ(test::MessageOf([&] { SaveListFile(shared / "list.lst", {}, settings); }),
              CannotWriteText(shared / "list.kvs", refused));
    EXPECT_TRUE(fs::is_symlink(shared / "plan.pdf"));
    EXPECT_EQ(test::FileNames(shared), (std::vector<std::string>{"list.kvs", "plan.pdf"}));
  }
  EXPECT_EQ(test::ReadFile(dir / "thesis.txt"), "mine");

  // The user's own links and the folder owner's are followed, and so are links elsewhere.
  const fs::path sticky = sharedFolder("sticky", fs::perms(01777));
  const fs::path open = sharedFolder("open", fs::perms(0777));
  plant(sticky, "own.pdf", geteuid());
  plant(sticky, "owners.pdf", folderOwner);
  plant(open, "strangers.pdf", stranger);
  for (const fs::path& link : {sticky / "own.pdf", sticky / "owners.pdf", open / "strangers.pdf"}) {
    WriteFileSafely(link, link.filename().string());
    EXPECT_EQ(test::ReadFile(dir / "thesis.txt"), link.filename().string());
  }
}

TEST(OutputFile, AReplacedFileKeepsOnlyItsPermissionBits) {
  test::TempDir dir;
  test::WriteFile(dir / "plan.pdf", "old");
  fs::permissions(dir / "plan.pdf", fs::perms(06777));
  WriteFileSafely(dir / "plan.pdf", "new");
  EXPECT_EQ(fs::status(dir / "plan.pdf").permissions(), fs::perms(0777));
}

TEST(OutputFile, WithoutProcFilesAreWrittenUnderAHiddenName) {
  test::TempDir dir;
  test::WriteFile(dir / "old.pdf", "old");
  const std::string outcome = test::WithoutProc([&] {
    WriteFileSafely(dir / "new.pdf", "new");
    WriteFileSafely(dir / "old.pdf", "replaced");
    return std::string("written");
  });
  if (outcome == "cannot hide /proc" && geteuid() != 0) GTEST_SKIP() << outcome;
  EXPECT_EQ(outcome, "written");
  EXPECT_EQ(test::FileNames(dir.path()), (std::vector<std::string>{"new.pdf", "old.pdf"}));
  EXPECT_EQ(test::ReadFile(dir / "new.pdf"), "new");
  EXPECT_EQ(test::ReadFile(dir / "old.pdf"), "replaced");
}

TEST(OutputFile, TargetsThatMustNotBeReplacedAreRefused) {
  test::TempDir dir;
  test::WriteFile(dir / "plan.jww", "drawing");
  fs::create_hard_link(dir / "plan.jww", dir / "hard.pdf");
  fs::create_symlink("plan.jww", dir / "soft.pdf");
  test::MakePipe(dir / "pipe.pdf");
  fs::create_directory(dir / "folder.pdf");
  const std::string notRegular = "通常のファイルではありません。";
  const std::string source = "変換元のファイルと同じファイルです。";
  const std::pair<fs::path, std::string> cases[] = {
      {"/dev/null", notRegular},
      {dir / "pipe.pdf", notRegular},
      {dir / "folder.pdf", notRegular},
      {dir / "plan.jww", source},
      {dir / "hard.pdf", source},
      {dir / "soft.pdf", source},
      {dir / "none" / "a.pdf", "フォルダーがありません。"},
  };
  for (const auto& [target, cause] : cases) {
    try {
      TOutputFile file(target, {dir / "plan.jww"});
      ADD_FAILURE() << target;
    } catch (const EFileWriteError& error) {
      EXPECT_EQ(error.what(), cause) << target;
      EXPECT_EQ(error.Path(), target);
    }
  }
  EXPECT_EQ(test::ReadFile(dir / "plan.jww"), "drawing");
}

TEST(OutputFile, AFileTheUserMayNotWriteIsRefused) {
  test::TempDir dir;
  test::WriteFile(dir / "locked.pdf", "old");
  fs::permissions(dir / "locked.pdf", fs::perms(0444));
  const std::string outcome = test::AsOrdinaryUser(dir.path(), [&] {
    return test::MessageOf([&] { WriteFileSafely(dir / "locked.pdf", "new"); });
  });
  EXPECT_EQ(outcome, "書き込む権限がありません。");
  EXPECT_EQ(test::ReadFile(dir / "locked.pdf"), "old");
  EXPECT_EQ(fs::status(dir / "locked.pdf").permissions(), fs::perms(0444));
}

TEST(OutputFile, OnlyHiddenFilesThatNoWriterCanStillWriteAreRemoved) {
  test::TempDir dir;
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  const std::string elsewhere = ".kyrovane-0123456789abcdef0123456789abcdef.1-";
  const std::vector<std::string> kept = {
      HiddenFileName(1),  // a process that runs here
      elsewhere + std::to_string(gone) + "-7.tmp",
      elsewhere + "1-8.tmp",                              // untouched for just under a week
      ".kyrovane-" + std::to_string(gone) + "-ab12.tmp",  // earlier versions named no machine
  };
  const std::vector<std::string> removed = {
      HiddenFileName(gone),
      elsewhere + "1-7.tmp",  // untouched for more than a week
      ".kyrovane-1-ab12.tmp",
  };
  for (const auto& name : kept) test::WriteFile(dir / name, "partial");
  for (const auto& name : removed) test::WriteFile(dir / name, "partial");
  const auto week = std::chrono::hours(7 * 24);
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(dir / kept[2], now - week + std::chrono::minutes(1));
  for (const auto& name : {removed[1], removed[2]}) {
    fs::last_write_time(dir / name, now - week - std::chrono::minutes(1));
  }
  WriteFileSafely(dir / "a.pdf", "whole");
  std::vector<std::string> left = kept;
  left.push_back("a.pdf");
  std::ranges::sort(left);
  EXPECT_EQ(test::FileNames(dir.path()), left);
}

// A process that runs for another user cannot be signalled, yet it runs.
TEST(OutputFile, TheHiddenFileOfAnotherUsersRunningWriterStays) {
  test::TempDir dir;
  const std::string outcome = test::AsOrdinaryUser(dir.path(), [&] {
    // This test program when the child became an ordinary user, else the system's first process.
    for (const pid_t other : {getppid(), pid_t{1}}) {
      if (kill(other, 0) == 0 || errno != EPERM) continue;
      const std::string hidden = HiddenFileName(other);
      test::WriteFile(dir / hidden, "partial");
      WriteFileSafely(dir / "a.pdf", "whole");
      return std::string(fs::exists(dir / hidden) ? "kept" : "removed");
    }
    return std::string("no process of another user is to be seen");
  });
  if (outcome.starts_with("no process")) GTEST_SKIP() << outcome;
  EXPECT_EQ(outcome, "kept");
}

TEST(OutputFile, WhereFoldersHoldNoUnnamedFilesTheHiddenOneMayVanish) {
  test::TempDir dir;
  const std::string outcome = test::WithoutUnnamedFiles([&] {
    WriteFileSafely(dir / "a.pdf", "whole");
    TOutputFile file(dir / "a.pdf");
    file.Stream() << "new";
    const std::vector<std::string> names = test::FileNames(dir.path());
    if (names.size() != 2) return std::string("no hidden file");
    // As another machine's writers might: one removes it, another takes its name.
    fs::remove(dir / names[0]);
    test::WriteFile(dir / names[0], "theirs");
    return test::MessageOf([&] { file.Commit(); });
  });
  EXPECT_TRUE(outcome.starts_with("書き込み中の一時ファイル .kyrovane-")) << outcome;
  EXPECT_TRUE(
      outcome.ends_with(".tmp が消えました。ほかのコンピューターまたはプログラムが削除した"
                        "可能性があります。"))
      << outcome;
  const std::vector<std::string> names = test::FileNames(dir.path());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(test::ReadFile(dir / names[0]), "theirs");
  EXPECT_EQ(test::ReadFile(dir / "a.pdf"), "whole");
}

TEST(OutputFile, WhereTheFileSystemDecidesTheModesNewFilesAreWritten) {
  test::TempDir dir;
  test::WriteFile(dir / "old.pdf", "old");
  // FAT through FUSE does not implement mode changes at all.
  EXPECT_EQ(test::WithoutUnnamedFiles([&] { return MessageOfWriting(dir / "fuse.pdf"); },
                                      {{__NR_fchmod, ENOSYS}}),
            "no exception");
  fs::remove(dir / "fuse.pdf");
  const std::string outcome = test::WithoutUnnamedFiles(
      [&] {
        WriteFileSafely(dir / "new.pdf", "new");
        WriteFileSafely(dir / "old.pdf", "replaced");
        Settings settings;
        settings.Env = DefaultEnvironment();
        WriteIniFile(dir / "Kyrovane.ini", settings.Env, {});
        WriteSettingsFile(dir / "s.kvs", settings.Env, 0, 0);
        SaveListFile(dir / "l.lst", {}, settings);
        return std::string("written");
      },
      {{__NR_fchmod, EPERM}});
  EXPECT_EQ(outcome, "written");
  EXPECT_EQ(test::FileNames(dir.path()), (std::vector<std::string>{"Kyrovane.ini", "l.kvs", "l.lst",
                                                                   "new.pdf", "old.pdf", "s.kvs"}));
  EXPECT_EQ(test::ReadFile(dir / "old.pdf"), "replaced");

  // A refusal to put the file in place is a real one.
  const std::string refused = test::WithoutUnnamedFiles(
      [&] { return test::MessageOf([&] { WriteFileSafely(dir / "old.pdf", "new"); }); },
      {{__NR_rename, EPERM}});
  EXPECT_EQ(refused, "書き込む権限がありません。");
  EXPECT_EQ(test::FileNames(dir.path()).size(), 6u);
  EXPECT_EQ(test::ReadFile(dir / "old.pdf"), "replaced");
}

TEST(OutputFile, AFailedStartLeavesNoDescriptorAndNoFileBehind) {
  test::TempDir dir;
  const std::string outcome = test::WithoutUnnamedFiles(
      [&] {
        const auto descriptors = [] {
          return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
        };
        const auto before = descriptors();
        std::string told;
        for (int start = 0; start < 3; ++start) {
          told += test::MessageOf([&] { TOutputFile{dir / "a.pdf"}; }) + "\n";
        }
        return told + std::to_string(descriptors() - before);
      },
      {{__NR_fchmod, EIO}});
  EXPECT_EQ(outcome,
            "入出力エラーが発生しました。\n入出力エラーが発生しました。\n"
            "入出力エラーが発生しました。\n0");
  EXPECT_TRUE(test::FileNames(dir.path()).empty());
}

// Every successful write closes what it opened, with unnamed files and with hidden ones.
TEST(OutputFile, SuccessfulWritesLeaveNoDescriptorOpen) {
  test::TempDir dir;
  test::WriteFile(dir / "old.pdf", "old");
  const auto writeEverything = [&] {
    const auto descriptors = [] {
      return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const auto before = descriptors();
    for (int round = 0; round < 3; ++round) {
      WriteFileSafely(dir / ("new" + std::to_string(round) + ".pdf"), "new");
      WriteFileSafely(dir / "old.pdf", "replaced");
      TOutputFile file(dir / "old.pdf");
      file.Stream() << "committed";
      file.Commit();
      Settings settings;
      settings.Env = DefaultEnvironment();
      WriteIniFile(dir / "Kyrovane.ini", settings.Env, {});
      WriteSettingsFile(dir / "s.kvs", settings.Env, 0, 0);
      SaveListFile(dir / "l.lst", {}, settings);
    }
    return std::to_string(descriptors() - before);
  };
  EXPECT_EQ(writeEverything(), "0");
  EXPECT_EQ(test::WithoutUnnamedFiles(writeEverything), "0");
  EXPECT_EQ(test::ReadFile(dir / "old.pdf"), "committed");
}

}  // namespace
}  // namespace kyrovane
