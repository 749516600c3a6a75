#include "plugins/KeyValueFile.h"

#include <algorithm>
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

}  // namespace

std::optional<std::string> TKeyValueFile::Read(std::string_view name) const {
  const std::optional<std::vector<TLine>> lines = ReadLines(path_);
  if (!lines) return std::nullopt;
  const auto line = Find(*lines, name);
  if (line == lines->end()) return std::nullopt;
  return std::string(line->Value());
}

}  // namespace kyrovane
