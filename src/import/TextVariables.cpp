#include "import/TextVariables.h"

#include <sys/stat.h>

#include <chrono>
#include <ctime>
#include <span>
#include <tuple>

#include "text/cp932.h"

namespace kyrovane {
namespace {

enum class Value {
  Path,         // the whole drawing path
  Name,         // its file name with extension
  Stem,         // its file name without extension
  DateAndTime,  // yyyy/mm/dd hh:nn:ss
  Date,         // yyyy/mm/dd
  Year2,        // two digits
  Year1,        // last digit
  Era,          // year of the Japanese era
  Era2,         // at least two digits
  EraBlank,     // blank-padded
  Month1,       // no leading zero
  Month2,       // two digits
  MonthBlank,   // blank-padded
  MonthName,    // JAN .. DEC
  Day1,
  Day2,
  DayBlank,
  WeekdayName,   // SUN .. SAT
  WeekdayKanji,  // 日 .. 土
  AmPm,          // AM / PM
  BeforeAfter,   // 前 / 後 (noon)
  Hour1,
  Hour2,
  HourBlank,
  Hour12,  // 13 .. 23 less 12
  Hour12Zero,
  Hour12Blank,
  Minute1,
  Minute2,
  MinuteBlank,
  Second1,
  Second2,
  SecondBlank,
  DrawingTime,  // hours : minutes
};

struct Token {
  std::string_view text;
  Value value;
};

constexpr Token kTokens[] = {
    {"$F", Value::Path},        {"$f", Value::Stem},        {"%f", Value::Name},
    {"%y", Value::Year2},       {"$y", Value::Year1},       {"$Y", Value::Era},
    {"%Y", Value::Era2},        {"&Y", Value::EraBlank},    {"$m", Value::Month1},
    {"%m", Value::Month2},      {"&m", Value::MonthBlank},  {"$d", Value::Day1},
    {"%d", Value::Day2},        {"&d", Value::DayBlank},    {"$n", Value::AmPm},
    {"%n", Value::AmPm},        {"&n", Value::AmPm},        {"$N", Value::BeforeAfter},
    {"%N", Value::BeforeAfter}, {"&N", Value::BeforeAfter}, {"$H", Value::Hour1},
    {"%H", Value::Hour2},       {"&H", Value::HourBlank},   {"$h", Value::Hour12},
    {"%h", Value::Hour12Zero},  {"&h", Value::Hour12Blank}, {"$M", Value::Minute1},
    {"%M", Value::Minute2},     {"&M", Value::MinuteBlank}, {"$S", Value::Second1},
    {"%S", Value::Second2},     {"&S", Value::SecondBlank}, {"&T", Value::DrawingTime},
};

// Tokens starting with "=" and "_" take the drawing file's time, the others the time now.
constexpr Token kJwwTokens[] = {
    {"$F", Value::Path},         {"%F", Value::Path},         {"$f", Value::Stem},
    {"&F", Value::Path},         {"&f", Value::Stem},         {"%f", Value::Name},
    {"=F", Value::DateAndTime},  {"=f", Value::Date},         {"%y", Value::Year2},
    {"=y", Value::Year2},        {"$y", Value::Year1},        {"$Y", Value::Era},
    {"%Y", Value::Era2},         {"=Y", Value::Era2},         {"&Y", Value::EraBlank},
    {"_Y", Value::EraBlank},     {"$m", Value::Month1},       {"%ma", Value::MonthName},
    {"=ma", Value::MonthName},   {"%m", Value::Month2},       {"=m", Value::Month2},
    {"&m", Value::MonthBlank},   {"_m", Value::MonthBlank},   {"$d", Value::Day1},
    {"%d", Value::Day2},         {"=d", Value::Day2},         {"&d", Value::DayBlank},
    {"_d", Value::DayBlank},     {"%wa", Value::WeekdayName}, {"=wa", Value::WeekdayName},
    {"%w", Value::WeekdayKanji}, {"=w", Value::WeekdayKanji}, {"$n", Value::AmPm},
    {"%n", Value::AmPm},         {"=n", Value::AmPm},         {"&n", Value::AmPm},
    {"_n", Value::AmPm},         {"$N", Value::BeforeAfter},  {"%N", Value::BeforeAfter},
    {"=N", Value::BeforeAfter},  {"&N", Value::BeforeAfter},  {"_N", Value::BeforeAfter},
    {"$H", Value::Hour1},        {"%H", Value::Hour2},        {"=H", Value::Hour2},
    {"&H", Value::HourBlank},    {"_H", Value::HourBlank},    {"$h", Value::Hour12},
    {"%h", Value::Hour12Zero},   {"=h", Value::Hour12Zero},   {"&h", Value::Hour12Blank},
    {"_h", Value::Hour12Blank},  {"$M", Value::Minute1},      {"%M", Value::Minute2},
    {"=M", Value::Minute2},      {"&M", Value::MinuteBlank},  {"_M", Value::MinuteBlank},
    {"$S", Value::Second1},      {"%S", Value::Second2},      {"=S", Value::Second2},
    {"&S", Value::SecondBlank},  {"_S", Value::SecondBlank},  {"&T", Value::DrawingTime},
    {"%T", Value::DrawingTime},
};

constexpr std::string_view kMonthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr std::string_view kWeekdayNames[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
// 日 月 火 水 木 金 土 in code page 932.
constexpr std::string_view kWeekdayKanji[] = {"\x93\xfa", "\x8c\x8e", "\x89\xce", "\x90\x85",
                                              "\x96\xd8", "\x8b\xe0", "\x93\x79"};
constexpr std::string_view kBefore = "\x91\x4f";  // 前
constexpr std::string_view kAfter = "\x8c\xe3";   // 後

std::string Digits(long long number, std::size_t width = 1, char pad = '0') {
  std::string text = std::to_string(number);
  if (text.size() < width) text.insert(0, width - text.size(), pad);
  return text;
}

// The year within the Japanese era of the date: 令和 from 2019-05-01, 平成 from 1989-01-08,
// 昭和 before.
int EraYear(const DateTime& t) {
  const auto date = std::make_tuple(t.Year, t.Month, t.Day);
  if (date >= std::make_tuple(2019, 5, 1)) return t.Year - 2018;
  if (date >= std::make_tuple(1989, 1, 8)) return t.Year - 1988;
  return t.Year - 1925;
}

// 0 = Sunday.
unsigned Weekday(const DateTime& t) {
  using namespace std::chrono;
  const year_month_day date{year(t.Year), month(static_cast<unsigned>(t.Month)),
                            day(static_cast<unsigned>(t.Day))};
  return weekday(sys_days(date)).c_encoding();
}

template <std::size_t N>
std::string_view Pick(const std::string_view (&names)[N], long long index) {
  return index >= 0 && index < static_cast<long long>(N) ? names[index] : std::string_view();
}

// File name of a path whose folders are separated by "/", "\" or a drive ":".
std::string_view FileNameOf(std::string_view path) {
  const std::size_t cut = path.find_last_of("/\\:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

class Expansion {
 public:
  Expansion(std::span<const Token> tokens, const ConversionContext& context, long long drawingTime,
            const Clock& clock)
      : tokens_(tokens),
        context_(context),
        drawingTime_(drawingTime),
        clock_(clock),
        now_(clock.Now()) {}

  std::string Expand(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
      if (const Token* token = TokenAt(text, pos)) {
        out += ValueOf(*token);
        pos += token->text.size();
      } else {
        const std::size_t length = cp932::CharLength(text, pos);
        out += text.substr(pos, length);
        pos += length;
      }
    }
    return out;
  }

 private:
  // The longest token at pos. Tokens are ASCII, so a match never starts inside a double-byte
  // character when pos is the start of a character.
  const Token* TokenAt(std::string_view text, std::size_t pos) const {
    if (std::string_view("$%&=_").find(text[pos]) == std::string_view::npos) return nullptr;
    const Token* found = nullptr;
    for (const Token& token : tokens_) {
      if (text.substr(pos, token.text.size()) == token.text &&
          (found == nullptr || token.text.size() > found->text.size())) {
        found = &token;
      }
    }
    return found;
  }

  const DateTime& TimeOf(const Token& token) {
    if (token.text[0] != '=' && token.text[0] != '_') return now_;
    if (!fileTime_) {
      fileTime_ = clock_.FileTime(std::filesystem::path(context_.CurrentFileName)).value_or(now_);
    }
    return *fileTime_;
  }

  std::string ValueOf(const Token& token) {
    const DateTime& t = TimeOf(token);
    const int hour12 = t.Hour > 12 ? t.Hour - 12 : t.Hour;
    const std::string_view name = FileNameOf(context_.CurrentFileName);
    switch (token.value) {
      case Value::Path:
        return cp932::FromUtf8(context_.CurrentFileName);
      case Value::Name:
        return cp932::FromUtf8(name);
      case Value::Stem:
        return cp932::FromUtf8(name.substr(0, name.rfind('.')));
      case Value::DateAndTime:
        return Digits(t.Year, 4) + "/" + Digits(t.Month, 2) + "/" + Digits(t.Day, 2) + " " +
               Digits(t.Hour, 2) + ":" + Digits(t.Minute, 2) + ":" + Digits(t.Second, 2);
      case Value::Date:
        return Digits(t.Year, 4) + "/" + Digits(t.Month, 2) + "/" + Digits(t.Day, 2);
      case Value::Year2:
        return Digits(t.Year % 100, 2);
      case Value::Year1:
        return Digits(t.Year % 10);
      case Value::Era:
        return Digits(EraYear(t));
      case Value::Era2:
        return Digits(EraYear(t), 2);
      case Value::EraBlank:
        return Digits(EraYear(t), 2, ' ');
      case Value::Month1:
        return Digits(t.Month);
      case Value::Month2:
        return Digits(t.Month, 2);
      case Value::MonthBlank:
        return Digits(t.Month, 2, ' ');
      case Value::MonthName:
        return std::string(Pick(kMonthNames, t.Month - 1));
      case Value::Day1:
        return Digits(t.Day);
      case Value::Day2:
        return Digits(t.Day, 2);
      case Value::DayBlank:
        return Digits(t.Day, 2, ' ');
      case Value::WeekdayName:
        return std::string(Pick(kWeekdayNames, Weekday(t)));
      case Value::WeekdayKanji:
        return std::string(Pick(kWeekdayKanji, Weekday(t)));
      case Value::AmPm:
        return t.Hour < 12 ? "AM" : "PM";
      case Value::BeforeAfter:
        return std::string(t.Hour < 12 ? kBefore : kAfter);
      case Value::Hour1:
        return Digits(t.Hour);
      case Value::Hour2:
        return Digits(t.Hour, 2);
      case Value::HourBlank:
        return Digits(t.Hour, 2, ' ');
      case Value::Hour12:
        return Digits(hour12);
      case Value::Hour12Zero:
        return Digits(hour12, 2);
      case Value::Hour12Blank:
        return Digits(hour12, 2, ' ');
      case Value::Minute1:
        return Digits(t.Minute);
      case Value::Minute2:
        return Digits(t.Minute, 2);
      case Value::MinuteBlank:
        return Digits(t.Minute, 2, ' ');
      case Value::Second1:
        return Digits(t.Second);
      case Value::Second2:
        return Digits(t.Second, 2);
      case Value::SecondBlank:
        return Digits(t.Second, 2, ' ');
      case Value::DrawingTime:
        return Digits(drawingTime_ / 3600) + " : " + Digits(drawingTime_ / 60 % 60);
    }
    return {};
  }

  std::span<const Token> tokens_;
  const ConversionContext& context_;
  long long drawingTime_;
  const Clock& clock_;
  DateTime now_;
  std::optional<DateTime> fileTime_;
};

DateTime FromTimeT(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace

DateTime SystemClock::Now() const {
  return FromTimeT(std::time(nullptr));
}

std::optional<DateTime> SystemClock::FileTime(const std::filesystem::path& path) const {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return FromTimeT(status.st_mtime);
}

std::string ReplaceTextVariables(std::string_view Src, const ConversionContext& context,
                                 int32_t DrawingTime, const Clock& clock) {
  return Expansion(kTokens, context, DrawingTime, clock).Expand(Src);
}

std::string ReplaceTextVariablesJww(std::string_view Src, const ConversionContext& context,
                                    uint32_t DrawingTime, const Clock& clock) {
  return Expansion(kJwwTokens, context, DrawingTime, clock).Expand(Src);
}

}  // namespace kyrovane
