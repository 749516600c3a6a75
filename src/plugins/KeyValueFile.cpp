#include "plugins/KeyValueFile.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "files/RegularFile.h"
#include "text/AsciiCase.h"

namespace kyrovane {
namespace {

constexpr std::uintmax_t kMaxFileSize = 1024 * 1024;

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

struct TLine {
  std::string text;
  std::string_view Name() const {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return {};
    const std::string_view name = Trimmed(std::string_view(text).substr(0, equals));
    return name.starts_with('#') || name.starts_with(';') ? std::string_view() : name;
  }
  std::string_view Value() const {
    return Trimmed(std::string_view(text).substr(text.find('=') + 1));
  }
};

// The lines of the file, none of a missing file; nothing when it cannot be read or is too large.
std::optional<std::vector<TLine>> ReadLines(const std::filesystem::path& path) {
  const TFileBytes file = ReadRegularFile(path, kMaxFileSize);
  if (file.Failure == TFileReadFailure::Missing) return std::vector<TLine>();
  if (file.Failure != TFileReadFailure::None) return std::nullopt;
  std::vector<TLine> lines;
  for (std::string_view rest = file.Bytes; !rest.empty();) {
    const std::size_t end = rest.find('\n');
    lines.push_back({std::string(rest.substr(0, end))});
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return lines;
}

// The first line that holds `name`, or the end.
template <class Lines>
auto Find(Lines& lines, std::string_view name) {
  return std::ranges::find_if(lines, [name](const TLine& line) {
    return !line.Name().empty() && EqualIgnoringAsciiCase(line.Name(), name);
  });
}

bool WriteAll(int fd, const std::string& data) {
  for (std::size_t done = 0; done < data.size();) {
    const ssize_t written = ::write(fd, data.data() + done, data.size() - done);
    if (written < 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return ::fsync(fd) == 0;
}

}  // namespace

std::optional<std::string> TKeyValueFile::Read(std::string_view name) const {
  const std::optional<std::vector<TLine>> lines = ReadLines(path_);
  if (!lines) return std::nullopt;
  const auto line = Find(*lines, name);
  if (line == lines->end()) return std::nullopt;
  return std::string(line->Value());
}

void TKeyValueFile::Write(std::string_view name, std::string_view value) const {
  const auto breaks = [](std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
  };
  if (name.empty() || name.find('=') != std::string_view::npos || breaks(name) || breaks(value) ||
      Trimmed(name) != name || Trimmed(value) != value || name.starts_with('#') ||
      name.starts_with(';')) {
    throw std::invalid_argument("not a value the registry file can hold: " + std::string(name));
  }
  const std::runtime_error cannotWrite(path_.string() + " に書き込めません");
  std::optional<std::vector<TLine>> read = ReadLines(path_);
  if (!read) throw cannotWrite;
  std::vector<TLine>& lines = *read;
  const std::string entry = std::string(name) + "=" + std::string(value);
  if (const auto line = Find(lines, name); line != lines.end()) {
    line->text = entry;
  } else {
    lines.push_back({entry});
  }
  std::string data;
  for (const TLine& line : lines) data += line.text + "\n";

  std::error_code error;
  std::filesystem::create_directories(path_.parent_path(), error);
  std::string temporary = path_.string() + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw cannotWrite;
  const bool written = WriteAll(fd, data);
  if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path_.c_str()) != 0) {
    ::unlink(temporary.c_str());
    throw cannotWrite;
  }
}

}  // namespace kyrovane
