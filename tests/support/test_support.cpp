#include "support/test_support.h"

#include <fcntl.h>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
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

void MakePipe(const std::filesystem::path& path) {
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
}

HangAlarm::HangAlarm(unsigned seconds) {
  alarm(seconds);
}

HangAlarm::~HangAlarm() {
  alarm(0);
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

namespace {

// Runs `work` in a child process: see AsOrdinaryUser.
std::string InChild(const std::function<std::string()>& work) {
  // The child's answer comes back in memory shared with it.
  constexpr std::size_t kAnswerSize = 1 << 16;
  void* shared =
      mmap(nullptr, kAnswerSize, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) throw std::runtime_error("cannot share memory with a child");
  char* answer = static_cast<char*>(shared);
  const pid_t child = fork();
  if (child == 0) {
    std::string result;
    try {
      result = work();
    } catch (const std::exception& error) {
      result = error.what();
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

}  // namespace

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
  return InChild([&] {
    if (root && (setgroups(0, nullptr) != 0 || setresgid(gid, gid, gid) != 0 ||
                 setresuid(uid, uid, uid) != 0)) {
      return std::string("cannot become an ordinary user");
    }
    return work();
  });
}

std::string WithoutUnnamedFiles(const std::function<std::string()>& work,
                                const std::vector<RefusedCall>& refused) {
  return InChild([&] {
    std::vector<sock_filter> filter = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
    };
    for (const RefusedCall& call : refused) {
      filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<__u32>(call.number), 0, 1));
      filter.push_back(
          BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | static_cast<__u32>(call.error)));
    }
    // openat with O_TMPFILE among its flags (the third argument) fails as a network file
    // system makes it fail; every other call is let through.
    filter.insert(filter.end(),
                  {
                      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 4),
                      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
                      BPF_STMT(BPF_ALU | BPF_AND | BPF_K, O_TMPFILE),
                      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, O_TMPFILE, 0, 1),
                      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
                      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
                  });
    const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
      return std::string("cannot filter system calls");
    }
    return work();
  });
}

std::string WithoutProc(const std::function<std::string()>& work) {
  return InChild([&] {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("none", "/proc", "tmpfs", 0, nullptr) != 0) {
      return std::string("cannot hide /proc");
    }
    return work();
  });
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
