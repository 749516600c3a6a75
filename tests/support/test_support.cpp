#include "support/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace kyrovane::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kyrovane-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

CommandResult Run(const std::string& commandLine) {
  TempDir scratch;
  std::filesystem::path errPath = scratch / "stderr";
  std::string full = "(" + commandLine + ") 2>" + ShellQuote(errPath.string());
  CommandResult result;
  FILE* pipe = popen(full.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run " + commandLine);
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.out.append(buffer.data(), n);
  int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.err = ReadFile(errPath);
  return result;
}

std::filesystem::path SharedTestData(const std::string& relative) {
  return std::filesystem::path(KYROVANE_SHARED_TESTDATA) / relative;
}

std::string MissingSharedTestData() {
  const std::filesystem::path folder = KYROVANE_SHARED_TESTDATA;
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return {};
  return "the shared test data " + folder.lexically_normal().string() + " is missing";
}

bool SharedTestDataRequired() {
  const char* value = std::getenv("KYROVANE_REQUIRE_SHARED_TESTDATA");
  return value != nullptr && std::string_view(value) == "1";
}

std::vector<std::filesystem::path> SharedTestDataFiles(const std::string& folder,
                                                       const std::string& extension) {
  const std::filesystem::path path = SharedTestData(folder);
  if (!MissingSharedTestData().empty()) return {path};
  std::vector<std::filesystem::path> files;
  for (const std::string& name : FileNames(path)) {
    if (std::filesystem::path(name).extension() == extension) files.push_back(path / name);
  }
  return files;
}

std::filesystem::path TestData(const std::string& relative) {
  return std::filesystem::path(KYROVANE_TEST_DATA) / relative;
}

}  // namespace kyrovane::test
