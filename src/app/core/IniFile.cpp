#include "app/core/IniFile.h"

#include <cstdio>

#include "app/core/FileErrors.h"
#include "app/core/OutputFile.h"
#include "import/DecimalText.h"
#include "text/AsciiCase.h"
#include "text/TextLines.h"

namespace kyrovane {
namespace {

// Far more than any settings file holds; a larger file is not read.
constexpr std::uintmax_t kMaxProfileSize = 1u << 20;

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The name of a section line "[name]"; nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (!line.starts_with('[')) return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct TEntry {
  std::string_view Key;
  std::string_view Value;
};

std::optional<TEntry> Entry(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return TEntry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

TIniFile::TIniFile(std::filesystem::path Path) : path_(std::move(Path)) {
  const TFileBytes file = ReadRegularFile(path_, kMaxProfileSize);
  readFailure_ = file.Failure;
  readError_ = file.Error;
  SetLines(file.Bytes);
}

TIniFile::TIniFile(std::filesystem::path Path, std::string_view Text) : path_(std::move(Path)) {
  SetLines(Text);
}

void TIniFile::SetLines(std::string_view Text) {
  Text = WithoutByteOrderMark(Text);
  for (std::string_view line; TakeLine(Text, line);) lines_.emplace_back(line);
}

std::optional<std::pair<std::size_t, std::size_t>> TIniFile::FindSection(
    std::string_view Section) const {
  for (std::size_t first = 0; first < lines_.size(); ++first) {
    const auto name = SectionName(lines_[first]);
    if (!name || !EqualIgnoringAsciiCase(*name, Section)) continue;
    std::size_t end = first + 1;
    while (end < lines_.size() && !SectionName(lines_[end])) ++end;
    return std::pair{first + 1, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> TIniFile::FindKey(std::size_t First, std::size_t End,
                                             std::string_view Key) const {
  for (std::size_t i = First; i < End; ++i) {
    const auto entry = Entry(lines_[i]);
    if (entry && EqualIgnoringAsciiCase(entry->Key, Key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> TIniFile::Value(std::string_view Section, std::string_view Key) const {
  const auto section = FindSection(Section);
  if (!section) return std::nullopt;
  const auto line = FindKey(section->first, section->second, Key);
  if (!line) return std::nullopt;
  return std::string(Unquoted(Entry(lines_[*line])->Value));
}

void TIniFile::SetValue(std::string_view Section, std::string_view Key, std::string_view Value) {
  if (HasLineBreak(Section) || HasLineBreak(Key) || HasLineBreak(Value)) {
    throw EIniFileError(path_.string() + "\r\nに、改行を含む値は書き込めません（" +
                        std::string(Key) + "）。");
  }
  std::string line = std::string(Key) + "=" + std::string(Value);
  const auto section = FindSection(Section);
  if (!section) {
    lines_.push_back("[" + std::string(Section) + "]");
    lines_.push_back(std::move(line));
    return;
  }
  if (const auto found = FindKey(section->first, section->second, Key)) {
    lines_[*found] = std::move(line);
    return;
  }
  // After the last line of the section that is not blank.
  std::size_t at = section->second;
  while (at > section->first && Trim(lines_[at - 1]).empty()) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

std::string TIniFile::ReadString(std::string_view Section, std::string_view Key,
                                 std::string_view Default) const {
  return Value(Section, Key).value_or(std::string(Default));
}

int32_t TIniFile::ReadInteger(std::string_view Section, std::string_view Key,
                              int32_t Default) const {
  const auto text = Value(Section, Key);
  return text ? ParseInteger(*text).value_or(Default) : Default;
}

bool TIniFile::ReadBool(std::string_view Section, std::string_view Key, bool Default) const {
  return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

long double TIniFile::ReadFloat(std::string_view Section, std::string_view Key,
                                long double Default) const {
  const auto text = Value(Section, Key);
  return text ? ParseDecimal(*text).value_or(Default) : Default;
}

void TIniFile::WriteString(std::string_view Section, std::string_view Key, std::string_view Value) {
  SetValue(Section, Key, Value);
}

void TIniFile::WriteInteger(std::string_view Section, std::string_view Key, int32_t Value) {
  SetValue(Section, Key, std::to_string(Value));
}

void TIniFile::WriteBool(std::string_view Section, std::string_view Key, bool Value) {
  SetValue(Section, Key, Value ? "1" : "0");
}

void TIniFile::WriteFloat(std::string_view Section, std::string_view Key, long double Value) {
  SetValue(Section, Key, FormatFloat(Value));
}

std::string TIniFile::Text() const {
  std::string text;
  for (const std::string& line : lines_) text += line + "\r\n";
  return text;
}

std::string TIniFile::CannotReadMessage() const {
  return CannotReadText(path_, ReadFailureCause(readFailure_, readError_, kMaxProfileSize));
}

void TIniFile::UpdateFile() const {
  // Keys that the program does not know would be lost with the file. (A folder, pipe or
  // device in the file's place is refused by the write itself.)
  if (readFailure_ == TFileReadFailure::Unreadable || readFailure_ == TFileReadFailure::TooLarge)
    throw EIniFileError(path_.string() + "\r\nは、読み込めないため書き換えませんでした。");
  try {
    WriteFileSafely(path_, Text());
  } catch (const EFileWriteError& error) {
    throw EIniFileError(CannotWriteText(path_, error.what()));
  }
}

std::string FormatFloat(long double Value) {
  if (Value == 0) return "0";
  // d.dddddddddddddde±x: the 15 significant digits and the decimal exponent.
  char scientific[64];
  std::snprintf(scientific, sizeof scientific, "%.14Le", Value);
  std::string_view text = scientific;
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t e = text.find('e');
  const int exponent = std::stoi(std::string(text.substr(e + 1)));
  std::string digits = std::string(text.substr(0, 1)) + std::string(text.substr(2, e - 2));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string result = negative ? "-" : "";
  if (exponent >= 15 || exponent < -4) {
    result += digits.substr(0, 1);
    if (digits.size() > 1) result += "." + digits.substr(1);
    return result + "E" + std::to_string(exponent);
  }
  if (exponent < 0) return result + "0." + std::string(-exponent - 1, '0') + digits;
  const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return result + digits + std::string(whole - digits.size(), '0');
  return result + digits.substr(0, whole) + "." + digits.substr(whole);
}

}  // namespace kyrovane
