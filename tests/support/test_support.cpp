#include "support/test_support.h"

#include <grp.h>
#include <pwd.h>
#include <sys/mman.h>
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

TempDir::TempDir(const std::filesystem::path& under) {
  std::string pattern = (under / "kyrovane-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ScopedEnvironment::ScopedEnvironment(const std::string& name, const std::string& value)
    : name_(name) {
  const char* current = std::getenv(name.c_str());
  hadValue_ = current != nullptr;
  if (hadValue_) saved_ = current;
  setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment() {
  if (hadValue_) {
    setenv(name_.c_str(), saved_.c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
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

std::string AsOrdinaryUser(const std::filesystem::path& folder,
                           const std::function<std::string()>& work) {
  const passwd* nobody = getpwnam("nobody");
  const uid_t uid = nobody ? nobody->pw_uid : 65534;
  const gid_t gid = nobody ? nobody->pw_gid : 65534;
  const bool root = geteuid() == 0;
  if (root) {
    lchown(folder.c_str(), uid, gid);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
      lchown(entry.path().c_str(), uid, gid);
    }
  }
  // The child's answer comes back in memory shared with it.
  constexpr std::size_t kAnswerSize = 1 << 16;
  void* shared =
      mmap(nullptr, kAnswerSize, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) throw std::runtime_error("cannot share memory with a child");
  char* answer = static_cast<char*>(shared);
  const pid_t child = fork();
  if (child == 0) {
    std::string result = "cannot become an ordinary user";
    if (!root || (setgroups(0, nullptr) == 0 && setresgid(gid, gid, gid) == 0 &&
                  setresuid(uid, uid, uid) == 0)) {
      try {
        result = work();
      } catch (const std::exception& error) {
        result = error.what();
      }
    }
    answer[result.copy(answer, kAnswerSize - 1)] = '\0';
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  const std::string result =
      WIFEXITED(status) ? answer : "the child ended with status " + std::to_string(status);
  munmap(shared, kAnswerSize);
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
