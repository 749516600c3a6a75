#pragma once

// Helpers shared by the test suites: scratch folders, whole-file I/O, running the PDF
// readers (qpdf, poppler, mupdf, ghostscript) and locating test data.

#include <gtest/gtest.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kyrovane::test {

// A fresh folder that only its owner may enter (under the system temp folder unless another
// is given), removed with everything in it.
class TempDir {
 public:
  TempDir() : TempDir(std::filesystem::temp_directory_path()) {}
  explicit TempDir(const std::filesystem::path& under);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Sets an environment variable for its lifetime, then gives it back its value or its absence.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const std::string& name, const std::string& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::string saved_;
  bool hadValue_;
};

std::string ReadFile(const std::filesystem::path& path);
// The names of the entries of a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// A pipe (FIFO) that no one writes to: opening it the ordinary way waits for ever.
void MakePipe(const std::filesystem::path& path);

// Ends the test program with SIGALRM when it still runs `seconds` after this was made, so that
// a reader waiting on a pipe fails its test instead of hanging the suite.
class HangAlarm {
 public:
  explicit HangAlarm(unsigned seconds);
  ~HangAlarm();
  HangAlarm(const HangAlarm&) = delete;
  HangAlarm& operator=(const HangAlarm&) = delete;
};

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs a shell command line and captures its exit code, standard output and standard error.
CommandResult Run(const std::string& commandLine);

// Runs `work` in a child process with an ordinary user's rights, so that file permissions hold
// even when the tests run as root: the child then runs as "nobody", made the owner of `folder`
// and everything in it first. Returns what `work` returned, the message of what it threw, or
// how the child ended; so does the next one.
std::string AsOrdinaryUser(const std::filesystem::path& folder,
                           const std::function<std::string()>& work);

// A system call (its number, __NR_…) made to fail with an errno value.
struct RefusedCall {
  long number;
  int error;
};

// Runs `work` in a child process for which no file system makes unnamed temporary files
// (O_TMPFILE), as network file systems do not, and in which the calls `refused` fail: a mode
// change refused with EPERM, say, as file systems that decide the modes themselves refuse it.
std::string WithoutUnnamedFiles(const std::function<std::string()>& work,
                                const std::vector<RefusedCall>& refused = {});

// Runs `work` in a child process that sees no /proc, as in some containers and chroots; the
// child answers "cannot hide /proc" where it may not mount (not as root, say).
std::string WithoutProc(const std::function<std::string()>& work);

// The message of the exception that `call` throws, or "no exception".
template <class Call>
std::string MessageOf(Call call) {
  try {
    call();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "no exception";
}

// Quotes one argument for the shell.
std::string ShellQuote(const std::string& text);

// Files of ../shared/testdata (read only) and of tests/data in the source tree.
std::filesystem::path SharedTestData(const std::string& relative);
std::filesystem::path TestData(const std::string& relative);

// Why the shared test data cannot be used (its folder is missing), or nothing when it can.
std::string MissingSharedTestData();
// Whether a missing shared data folder fails the tests that need it instead of skipping them:
// set by KYROVANE_REQUIRE_SHARED_TESTDATA=1 in the environment, as CI does.
bool SharedTestDataRequired();

// The files of a folder of the shared data with the given extension, sorted. Without the
// shared data the list holds the missing folder alone, so that a suite made from it still
// has one test, which KYROVANE_NEEDS_SHARED_TESTDATA skips or fails.
std::vector<std::filesystem::path> SharedTestDataFiles(const std::string& folder,
                                                       const std::string& extension);

}  // namespace kyrovane::test

// First statement of a test (or of its fixture's SetUp) that reads the shared test data: skips
// the test with the reason when the data is missing, or fails it when the data is required.
#define KYROVANE_NEEDS_SHARED_TESTDATA()                                                           \
  do {                                                                                             \
    if (const std::string missing = ::kyrovane::test::MissingSharedTestData(); !missing.empty()) { \
      if (::kyrovane::test::SharedTestDataRequired()) GTEST_FAIL() << missing;                     \
      GTEST_SKIP() << missing;                                                                     \
    }                                                                                              \
  } while (false)

namespace kyrovane::test {}  // namespace kyrovane::test
