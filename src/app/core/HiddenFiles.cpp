#include "app/core/HiddenFiles.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

namespace kyrovane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = ".kyrovane-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::string_view kUnknownMachine = "unknown";
// A file under way grows while it is written, and the output of a list waits at most as long
// as its drawings take: a week without a change is no conversion's.
constexpr time_t kAbandonedAge = 7 * 24 * 60 * 60;

// This boot of this machine, and the process-ID namespace, within which alone a process ID
// tells whether its process runs.
const std::string& MachineTag() {
  static const std::string tag = [] {
    std::string boot;
    std::ifstream("/proc/sys/kernel/random/boot_id") >> boot;
    std::erase(boot, '-');
    struct stat processes;
    const bool known = !boot.empty() && std::ranges::all_of(boot, [](char c) {
      return std::isxdigit(static_cast<unsigned char>(c));
    }) && stat("/proc/self/ns/pid", &processes) == 0;
    return known ? boot + "." + std::to_string(processes.st_ino) : std::string(kUnknownMachine);
  }();
  return tag;
}

struct TWriter {
  std::string Machine;  // empty in the names of earlier versions, which carry no machine
  pid_t Process = 0;
};

// The writer that a hidden name tells: ".kyrovane-<machine>-<process>-<random>.tmp", or
// ".kyrovane-<process>-<random>.tmp" of earlier versions; nothing for other names.
std::optional<TWriter> WriterOf(std::string_view name) {
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return std::nullopt;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  std::vector<std::string_view> fields;
  for (std::size_t dash; (dash = name.find('-')) != std::string_view::npos;) {
    fields.push_back(name.substr(0, dash));
    name.remove_prefix(dash + 1);
  }
  fields.push_back(name);
  if (fields.size() < 2 || fields.size() > 3) return std::nullopt;
  TWriter writer;
  const std::string_view process = fields[fields.size() - 2];
  const auto [end, error] =
      std::from_chars(process.data(), process.data() + process.size(), writer.Process);
  if (error != std::errc() || end != process.data() + process.size() || writer.Process <= 0) {
    return std::nullopt;
  }
  if (fields.size() == 3) writer.Machine = fields[0];
  return writer;
}

bool ProcessIsGone(pid_t process) {
  return kill(process, 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string HiddenFileName(pid_t Writer) {
  static std::mt19937_64 generator{std::random_device{}()};
  return std::string(kPrefix) + MachineTag() + "-" + std::to_string(Writer) + "-" +
         std::to_string(generator()) + std::string(kSuffix);
}

void RemoveLeftovers(const fs::path& Folder, const timespec& Now) {
  const bool machineKnown = MachineTag() != kUnknownMachine;
  std::error_code error;
  for (fs::directory_iterator entry(Folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::optional<TWriter> writer = WriterOf(entry->path().filename().string());
    struct stat info;
    if (!writer || lstat(entry->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    const bool here = machineKnown && writer->Machine == MachineTag();
    if (here && writer->Process == getpid()) continue;
    const bool abandoned = Now.tv_sec - info.st_mtim.tv_sec > kAbandonedAge;
    if ((here && ProcessIsGone(writer->Process)) || abandoned) unlink(entry->path().c_str());
  }
}

}  // namespace kyrovane
