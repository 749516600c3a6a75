#include "settings_ini.h"

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "import/DecimalText.h"
#include "text/AsciiCase.h"

namespace kyrovane::tools {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

// The values of a profile file by lower-cased section and key; the first of repeated keys
// counts.
class TProfile {
 public:
  explicit TProfile(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::istringstream lines{std::string(text)};
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
      const std::string_view entry = Trim(line);
      if (entry.empty() || entry.front() == ';') continue;
      if (entry.front() == '[' && entry.back() == ']') {
        section = Lower(Trim(entry.substr(1, entry.size() - 2)));
        continue;
      }
      const std::size_t equals = entry.find('=');
      if (equals == std::string_view::npos) continue;
      values_.try_emplace({section, Lower(Trim(entry.substr(0, equals)))},
                          std::string(Trim(entry.substr(equals + 1))));
    }
  }

  std::optional<std::string> Value(std::string_view section, std::string_view key) const {
    const auto found = values_.find({Lower(section), Lower(key)});
    if (found == values_.end()) return std::nullopt;
    return found->second;
  }

 private:
  static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

class TReader {
 public:
  explicit TReader(const TProfile& profile) : profile_(profile) {}

  void Integer(std::string_view key, int32_t& value, std::string_view section = kEnvironment) {
    if (const auto text = profile_.Value(section, key)) {
      if (const std::optional<int32_t> number = ParseInteger(*text)) value = *number;
    }
  }
  void Boolean(std::string_view key, bool& value) {
    int32_t number = value ? 1 : 0;
    Integer(key, number);
    value = number != 0;
  }
  void Float(std::string_view key, long double& value) {
    if (const auto text = profile_.Value(kEnvironment, key)) {
      if (const std::optional<long double> number = ParseDecimal(*text)) value = *number;
    }
  }
  void String(std::string_view key, std::string& value) {
    if (const auto text = profile_.Value(kEnvironment, key)) value = *text;
  }

  static constexpr std::string_view kEnvironment = "Environment";

 private:
  const TProfile& profile_;
};

}  // namespace

REnvironment LoadSettingsFile(const std::filesystem::path& path) {
  std::error_code error;
  std::ifstream file(path, std::ios::binary);
  if (!std::filesystem::is_regular_file(path, error) || !file.is_open()) {
    throw ESettingsFileError(path.string() + " cannot be read");
  }
  const TProfile profile(std::string(std::istreambuf_iterator<char>(file), {}));
  TReader read(profile);

  REnvironment env = DefaultEnvironment();
  read.Boolean("Mode", env.Mode);
  read.Boolean("Save", env.Save);
  read.Boolean("PreView", env.PreView);
  read.Boolean("UseSpline", env.UseSpline);
  read.Boolean("UseJwwFont", env.UseJwwFont);
  read.Boolean("UseGray", env.UseGray);
  read.Boolean("PictureCompression", env.PictureCompression);
  for (int pen = 1; pen <= 9; ++pen) {
    read.Float("Line" + std::to_string(pen), env.Line[pen]);
    read.Integer("LineColor" + std::to_string(pen), env.LineColor[pen]);
  }
  read.Integer("GrayLayerColor", env.GrayLayerColor);
  read.Integer("BackGroundColor", env.BackGroundColor);
  read.Boolean("UseColor", env.UseColor);
  read.Boolean("UseLayerColor", env.UseLayerColor);
  for (int i = 0; i < 8; ++i) read.Integer("CustomColor" + std::to_string(i), env.CustomColor[i]);
  for (int t = 1; t <= 19; ++t) {
    read.Float("LinePatternScale" + std::to_string(t), env.LinePatternScale[t]);
  }
  read.Float("Magnification", env.Magnification);
  read.Float("TextRise", env.TextRise);
  read.Float("LeftMargin", env.LeftMargin);
  read.Float("BottomMargin", env.BottomMargin);
  read.Float("RandomWidth", env.RandomWidth);
  for (int l = 0; l < 256; ++l) read.Integer(std::to_string(l), env.LayerColor[l], "LayerColor");
  read.String("LastDir", env.LastDir);
  read.String("TextFont", env.TextFont);
  ValidateTextFont(env);
  return env;
}

}  // namespace kyrovane::tools
