#pragma once

// Helpers shared by the test suites: scratch folders, whole-file I/O, running the PDF
// readers (qpdf, poppler, mupdf, ghostscript) and locating test data.

#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace kyrovane::test {

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& path);
// The names of the entries of a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs a shell command line and captures its exit code, standard output and standard error.
CommandResult Run(const std::string& commandLine);

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

}  // namespace kyrovane::test
