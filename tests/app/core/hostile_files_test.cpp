// Lists, settings files and drawings that are pipes, devices or far too large: each is refused
// with its message, without waiting for ever and without memory growing with the file. Pipes and
// links named like the files under way stay where the program cleans up.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "app/core/HiddenFiles.h"
#include "app/core/ListEditor.h"
#include "app/core/ListFiles.h"
#include "app/core/OutputFile.h"
#include "app/core/driver_fixture.h"
#include "import/support/fixed_clock.h"

namespace kyrovane {
namespace {

namespace fs = std::filesystem;
using test::MakePipe;

// What the user reads about a file that was not read.
std::string NotReadText(const fs::path& path, const std::string& cause) {
  return path.string() + "\r\nを読み込めません。\r\n" + cause;
}

class HostileFilesTest : public test::DriverFixture {
 protected:
  HostileFilesTest() : DriverFixture(clock) {}

  test::FixedClock clock;
  const test::HangAlarm hangAlarm{120};
};

TEST_F(HostileFilesTest, PipesAndDevicesAreRefusedWithoutWaiting) {
  MakePipe(dir / "pipe.lst");
  MakePipe(dir / "pipe.jww");
  fs::create_symlink("/dev/zero", dir / "zero.lst");
  Settings settings;
  for (const char* name : {"pipe.lst", "zero.lst"}) {
    const std::string cannotRead = NotReadText(dir / name, "通常のファイルではありません。");
    EXPECT_EQ(test::MessageOf([&] { LoadListFile(dir / name, settings, ui); }), cannotRead);
    ui.Messages.clear();
    EXPECT_EQ(Convert(dir / name, pdf), std::nullopt);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_NE(ui.Messages[0].Text.find(cannotRead), std::string::npos) << ui.Messages[0].Text;
  }

  // A drawing that is a pipe is passed over like any drawing that cannot be read.
  WriteList({(dir / "pipe.jww").string(), drawing.string()});
  ui.Messages.clear();
  ASSERT_EQ(Convert(list, pdf), pdf);
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_TRUE(ui.Messages[0].Text.starts_with((dir / "pipe.jww").string() + "\r\nを読み込めません"))
      << ui.Messages[0].Text;
  const std::vector<TListEntry> entries = LoadListFile(list, settings, ui);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Param.Memo, "");

  // A settings file beside the list that is a pipe is reported, and the list loads.
  MakePipe(dir / "plans.kvs");
  ui.Messages.clear();
  settings.Env.UseColor = true;
  EXPECT_EQ(LoadListFile(list, settings, ui).size(), 2u);
  ASSERT_EQ(ui.Messages.size(), 2u);  // the pipe drawing's, then the settings file's
  EXPECT_EQ(ui.Messages[1].Text, NotReadText(dir / "plans.kvs", "通常のファイルではありません。"));
  EXPECT_TRUE(settings.Env.UseColor);
}

TEST_F(HostileFilesTest, OnlyRegularFilesAreRemovedAsLeftovers) {
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  test::WriteFile(dir / "theirs.pdf", "theirs");
  const fs::path pipe = dir / HiddenFileName(gone), link = dir / HiddenFileName(gone);
  MakePipe(pipe);
  fs::create_symlink("theirs.pdf", link);
  WriteFileSafely(pdf, "whole");
  EXPECT_EQ(fs::symlink_status(pipe).type(), fs::file_type::fifo);
  EXPECT_EQ(fs::symlink_status(link).type(), fs::file_type::symlink);
  EXPECT_EQ(test::ReadFile(dir / "theirs.pdf"), "theirs");
}

TEST_F(HostileFilesTest, ADrawingThatIsAPipeIsAddedToTheListWindowWithoutWaiting) {
  const fs::path pipe = dir / "pipe.jwc";
  MakePipe(pipe);
  const std::string cannotRead = NotReadText(pipe, "通常のファイルではありません。");
  Settings settings;
  TListEditor editor(settings, ui);
  ui.OpenFilesAnswers.push_back({pipe});
  editor.Add();
  ASSERT_EQ(editor.Entries().size(), 1u);
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages.back().Text, cannotRead);
  // A line with masks is looked at only when it is selected.
  WriteList({pipe.string() + "," + std::string(68, 'F')});
  editor.Empty();
  ui.OpenAnswers.push_back(list);
  editor.Load();
  EXPECT_EQ(test::MessageOf([&] { editor.Select(0); }), cannotRead);
}

// Writes `size` bytes of line ends without holding them in memory.
void WriteEmptyLines(const fs::path& path, std::size_t size) {
  std::ofstream file(path, std::ios::binary);
  const std::string chunk(1 << 20, '\n');
  for (std::size_t left = size; left > 0; left -= std::min(left, chunk.size())) {
    file.write(chunk.data(), static_cast<std::streamsize>(std::min(left, chunk.size())));
  }
}

// The most memory that loading the list took, in bytes; the load runs in a child process.
long PeakMemoryOfLoading(const fs::path& list) {
  const pid_t child = fork();
  if (child == 0) {
    // A reader that grew with the file would take gigabytes; fail it well before.
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (1ul << 30);
    const rlimit space{limit, limit};
    setrlimit(RLIMIT_AS, &space);
    test::ScriptedUi ui;
    Settings settings;
    try {
      LoadListFile(list, settings, ui);
    } catch (...) {
    }
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return usage.ru_maxrss * 1024;
}

TEST_F(HostileFilesTest, ListsPastTheirBoundsAreRefusedCheaply) {
  const fs::path huge = dir / "huge.lst";
  const fs::path many = dir / "many.lst";
  WriteEmptyLines(huge, 64u << 20);
  WriteEmptyLines(many, kMaxListFileSize);
  Settings settings;
  EXPECT_EQ(test::MessageOf([&] { LoadListFile(huge, settings, ui); }),
            NotReadText(huge, "大きすぎます（上限 16 MB）。"));
  EXPECT_EQ(test::MessageOf([&] { ReadListLines(many); }),
            NotReadText(many, "行が多すぎます（上限 65536 行）。"));
  for (const fs::path& list : {huge, many}) {
    EXPECT_LT(PeakMemoryOfLoading(list), 256l << 20) << list;
  }

  // The bound itself is allowed, with or without an end after the last line.
  test::WriteFile(many, std::string(kMaxListLines, '\n'));
  EXPECT_EQ(LoadListFile(many, settings, ui).size(), kMaxListLines);
  test::WriteFile(many, std::string(kMaxListLines - 1, '\n') + "last");
  EXPECT_EQ(ReadListLines(many).back(), "last");
  EXPECT_TRUE(ui.Messages.empty());
}

}  // namespace
}  // namespace kyrovane
